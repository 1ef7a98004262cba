#include "pictureinfo/PictureInfoDatabase.h"

#include "pictureinfo/FoldedText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <sqlite3.h>

namespace {

const QString kTable = QStringLiteral("KoLumbra");
constexpr int kBusyTimeoutMs = 3000;

const QString kSelectRow =
    QStringLiteral("SELECT [Album Name], [Page], [ImageNumber], [Discription] FROM KoLumbra WHERE rowid = ?1");
const QString kOrder = QStringLiteral(" ORDER BY [Album Name] COLLATE KoLumbraFold, [Page], [ImageNumber], rowid");
const QString kSameAlbum = QStringLiteral("[Album Name] = ?1 COLLATE KoLumbraFold");

QString keysSql(RecordQuery::Kind kind)
{
    switch (kind) {
    case RecordQuery::Kind::All:
        return QStringLiteral("SELECT rowid FROM KoLumbra") + kOrder;
    case RecordQuery::Kind::AlbumNameContains:
        return QStringLiteral("SELECT rowid FROM KoLumbra WHERE kolumbra_contains([Album Name], ?1)") + kOrder;
    case RecordQuery::Kind::DescriptionContains:
        return QStringLiteral("SELECT rowid FROM KoLumbra WHERE kolumbra_contains([Discription], ?1)") + kOrder;
    case RecordQuery::Kind::Position:
        return QStringLiteral("SELECT rowid FROM KoLumbra WHERE ") + kSameAlbum
            + QStringLiteral(" AND [Page] = ?2 AND [ImageNumber] = ?3 ORDER BY rowid");
    case RecordQuery::Kind::Album:
        return QStringLiteral("SELECT rowid FROM KoLumbra WHERE ") + kSameAlbum + kOrder;
    }
    return {};
}

QByteArray fileNameForSqlite(const QString &path)
{
#ifdef Q_OS_WIN
    return path.toUtf8();
#else
    return QFile::encodeName(path);
#endif
}

// Asks the file system rather than the permission bits: a read-only mount or
// an immutable folder refuses what the bits allow.
bool folderTakesNewFiles(const QString &folder)
{
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".kolumbra-db-probe-XXXXXX")));
    return probe.open();
}

bool fileTakesChanges(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadWrite);
}

// The four fields of a record as ?1 to ?4.
void bindRecord(SqliteStatement &st, const PictureRecord &record)
{
    st.bind(1, record.albumName);
    st.bind(2, qint64(record.page));
    st.bind(3, qint64(record.imageNumber));
    st.bind(4, record.description);
}

QString sentence(QString text)
{
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    if (!text.endsWith(QLatin1Char('.')))
        text += QLatin1Char('.');
    return text;
}

}  // namespace

PictureInfoDatabase::PictureInfoDatabase(QString path, NoticeHandler notices)
    : m_path(std::move(path))
    , m_notices(std::move(notices))
{
}

PictureInfoDatabase::~PictureInfoDatabase()
{
    m_statements.clear();
    sqlite3_close_v2(m_db);
}

std::shared_ptr<PictureInfoDatabase> PictureInfoDatabase::open(const QString &path, NoticeHandler notices)
{
    std::shared_ptr<PictureInfoDatabase> db(new PictureInfoDatabase(path, std::move(notices)));
    db->openFile();
    return db;
}

void PictureInfoDatabase::openFile()
{
    const QFileInfo info(m_path);
    const QString folder = QDir::toNativeSeparators(info.absolutePath());
    if (!QFileInfo(info.absolutePath()).isDir())
        return becomeUnavailable(QStringLiteral("The folder %1 does not exist.").arg(folder));
    if (info.exists() && info.isDir())
        return becomeUnavailable(QStringLiteral("It is a folder, not a file."));
    if (info.exists() && !info.isReadable())
        return becomeUnavailable(QStringLiteral("The file cannot be read (no permission)."));

    QString readOnlyReason;
    if (!folderTakesNewFiles(info.absolutePath()))
        readOnlyReason = QStringLiteral("The folder %1 is read-only.").arg(folder);
    else if (info.exists() && !fileTakesChanges(m_path))
        readOnlyReason = QStringLiteral("The file is read-only.");
    if (!info.exists() && !readOnlyReason.isEmpty())
        return becomeUnavailable(QStringLiteral("The file does not exist and cannot be made: %1")
                                     .arg(readOnlyReason.at(0).toLower() + readOnlyReason.mid(1)));

    const int flags = readOnlyReason.isEmpty() ? (SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE) : SQLITE_OPEN_READONLY;
    int rc = sqlite3_open_v2(fileNameForSqlite(m_path).constData(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK)
        return becomeUnavailable(reasonFor(rc));
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
    rc = FoldedText::install(m_db);
    if (rc != SQLITE_OK)
        return becomeUnavailable(reasonFor(rc));

    m_access = readOnlyReason.isEmpty() ? Access::ReadWrite : Access::ReadOnly;
    m_problem = readOnlyReason;
    prepareTable();
}

bool PictureInfoDatabase::prepareTable()
{
    // The first read tells a file that is no database, or a damaged one.
    bool hasTable = false;
    bool hasIndex = false;
    {
        SqliteStatement schema(m_db, QStringLiteral("SELECT type, name FROM sqlite_master"));
        if (!schema.isValid()) {
            becomeUnavailable(reasonFor(schema.prepareResult()));
            return false;
        }
        int rc;
        while ((rc = schema.step()) == SQLITE_ROW) {
            const QString type = schema.value(0).toString();
            const QString name = schema.value(1).toString();
            if (type == QLatin1String("table") && name.compare(kTable, Qt::CaseInsensitive) == 0)
                hasTable = true;
            if (type == QLatin1String("index") && name.compare(QLatin1String("KoLumbraKey"), Qt::CaseInsensitive) == 0)
                hasIndex = true;
        }
        if (rc != SQLITE_DONE) {
            becomeUnavailable(reasonFor(rc));
            return false;
        }
    }

    if (!hasTable && !isWritable()) {
        becomeUnavailable(QStringLiteral("The file holds no table %1, and it cannot be added: %2")
                              .arg(kTable, m_problem.at(0).toLower() + m_problem.mid(1)));
        return false;
    }
    if (isWritable() && (!hasTable || !hasIndex)) {
        const bool made = exec("BEGIN IMMEDIATE")
            && exec("CREATE TABLE IF NOT EXISTS KoLumbra ([Album Name] TEXT, [Page] INTEGER, "
                    "[ImageNumber] INTEGER, [Discription] TEXT)")
            && exec("CREATE INDEX IF NOT EXISTS KoLumbraKey ON KoLumbra "
                    "([Album Name] COLLATE KoLumbraFold, [Page], [ImageNumber])")
            && exec("COMMIT");
        if (!made) {
            const int rc = sqlite3_extended_errcode(m_db);
            const QString reason = reasonFor(rc);
            exec("ROLLBACK");
            if (!hasTable) {
                becomeUnavailable(reason);
                return false;
            }
            // Without the index every lookup reads the whole table: slower,
            // but the descriptions are all there.
            if ((rc & 0xff) == SQLITE_READONLY) {
                m_access = Access::ReadOnly;
                m_problem = reason;
            }
        }
    }

    // An existing file is used as it is, as long as it has the four fields.
    SqliteStatement columns(m_db, QStringLiteral("PRAGMA table_info(KoLumbra)"));
    QStringList present;
    while (columns.isValid() && columns.step() == SQLITE_ROW)
        present << columns.value(1).toString().toCaseFolded();
    for (const QString &field : PictureRecord::fieldNames()) {
        if (!present.contains(field.toCaseFolded())) {
            becomeUnavailable(QStringLiteral("The table %1 has no field [%2].").arg(kTable, field));
            return false;
        }
    }
    return true;
}

bool PictureInfoDatabase::exec(const char *sql)
{
    return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

SqliteStatement &PictureInfoDatabase::statement(const QString &sql)
{
    auto it = m_statements.find(sql);
    if (it == m_statements.end())
        it = m_statements.emplace(sql, SqliteStatement(m_db, sql)).first;
    it->second.reset();
    return it->second;
}

QString PictureInfoDatabase::reasonFor(int rc) const
{
    switch (rc & 0xff) {
    case SQLITE_NOTADB:
        return QStringLiteral("The file is not a database.");
    case SQLITE_CORRUPT:
        return QStringLiteral("The file is damaged.");
    case SQLITE_READONLY:
        return QStringLiteral("The file is read-only.");
    case SQLITE_FULL:
        return QStringLiteral("The disk is full.");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("Another program is using the file.");
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return QStringLiteral("Access to the file is not permitted.");
    case SQLITE_CANTOPEN:
        return QStringLiteral("The file cannot be opened.");
    default:
        break;
    }
    return sentence(m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString::fromUtf8(sqlite3_errstr(rc)));
}

void PictureInfoDatabase::becomeUnavailable(const QString &reason)
{
    m_access = Access::Unavailable;
    m_problem = reason;
    m_statements.clear();
    if (m_notices)
        m_notices({Notice::Kind::Unavailable,
                   QStringLiteral("Picture descriptions are not available.\r\nFile: %1\r\nReason: %2\r\n"
                                  "Everything else works as usual.")
                       .arg(QDir::toNativeSeparators(m_path), reason)});
}

void PictureInfoDatabase::readFailed(int rc)
{
    becomeUnavailable(reasonFor(rc));
}

void PictureInfoDatabase::refuseChange(const QString &what, const QString &reason)
{
    QString text = what + QStringLiteral("\r\n");
    if (m_access == Access::ReadOnly)
        text += QStringLiteral("Picture descriptions can only be read here.\r\n");
    else if (m_access == Access::Unavailable)
        text += QStringLiteral("Picture descriptions are not available.\r\n");
    text += QStringLiteral("File: %1\r\nReason: %2")
                .arg(QDir::toNativeSeparators(m_path), reason.isEmpty() ? m_problem : reason);
    if (m_notices)
        m_notices({Notice::Kind::ChangeRefused, text});
}

bool PictureInfoDatabase::runChange(SqliteStatement &st, const QString &what)
{
    const int rc = st.isValid() ? st.run() : st.prepareResult();
    st.reset();
    if (rc == SQLITE_DONE)
        return true;
    changeFailed(rc, what);
    return false;
}

void PictureInfoDatabase::changeFailed(int rc, const QString &what)
{
    const QString reason = reasonFor(rc);
    switch (rc & 0xff) {
    case SQLITE_READONLY:
        m_access = Access::ReadOnly;
        m_problem = reason;
        break;
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        m_access = Access::Unavailable;
        m_problem = reason;
        break;
    default:
        break;
    }
    refuseChange(what, reason);
}

std::vector<qint64> PictureInfoDatabase::select(const RecordQuery &query)
{
    std::vector<qint64> keys;
    if (!isAvailable())
        return keys;
    SqliteStatement &st = statement(keysSql(query.kind));
    if (!st.isValid()) {
        readFailed(st.prepareResult());
        return keys;
    }
    switch (query.kind) {
    case RecordQuery::Kind::All:
        break;
    case RecordQuery::Kind::Position:
        st.bind(2, qint64(query.page));
        st.bind(3, qint64(query.imageNumber));
        st.bind(1, query.text);
        break;
    default:
        st.bind(1, query.text);
        break;
    }
    int rc;
    while ((rc = st.step()) == SQLITE_ROW)
        keys.push_back(st.int64(0));
    if (rc != SQLITE_DONE) {
        keys.clear();
        readFailed(rc);
        return keys;
    }
    st.reset();
    return keys;
}

QString PictureInfoDatabase::queryPlan(const RecordQuery &query)
{
    if (!isAvailable())
        return {};
    SqliteStatement plan(m_db, QStringLiteral("EXPLAIN QUERY PLAN ") + keysSql(query.kind));
    QStringList steps;
    while (plan.isValid() && plan.step() == SQLITE_ROW)
        steps << plan.value(3).toString();
    return steps.join(QLatin1Char('\n'));
}

std::optional<PictureInfoDatabase::Row> PictureInfoDatabase::read(qint64 key)
{
    if (!isAvailable())
        return std::nullopt;
    SqliteStatement &st = statement(kSelectRow);
    if (!st.isValid()) {
        readFailed(st.prepareResult());
        return std::nullopt;
    }
    st.bind(1, key);
    const int rc = st.step();
    if (rc == SQLITE_ROW) {
        Row row{st.value(0), st.value(1), st.value(2), st.value(3)};
        st.reset();
        return row;
    }
    if (rc != SQLITE_DONE)
        readFailed(rc);
    else
        st.reset();
    return std::nullopt;
}

int PictureInfoDatabase::albumRowCount(const QString &album)
{
    if (!isAvailable())
        return -1;
    SqliteStatement &st = statement(QStringLiteral("SELECT count(*) FROM KoLumbra WHERE ") + kSameAlbum);
    if (!st.isValid()) {
        readFailed(st.prepareResult());
        return -1;
    }
    st.bind(1, album);
    const int rc = st.step();
    if (rc != SQLITE_ROW) {
        readFailed(rc);
        return -1;
    }
    const int count = int(st.int64(0));
    st.reset();
    return count;
}

std::optional<qint64> PictureInfoDatabase::insert(const PictureRecord &record, const QString &what)
{
    if (!isWritable()) {
        refuseChange(what);
        return std::nullopt;
    }
    SqliteStatement &st = statement(QStringLiteral(
        "INSERT INTO KoLumbra ([Album Name], [Page], [ImageNumber], [Discription]) VALUES (?1, ?2, ?3, ?4)"));
    bindRecord(st, record);
    if (!runChange(st, what))
        return std::nullopt;
    return sqlite3_last_insert_rowid(m_db);
}

bool PictureInfoDatabase::update(qint64 key, const PictureRecord &record, const QString &what)
{
    if (!isWritable()) {
        refuseChange(what);
        return false;
    }
    SqliteStatement &st = statement(QStringLiteral("UPDATE KoLumbra SET [Album Name] = ?1, [Page] = ?2, "
                                                   "[ImageNumber] = ?3, [Discription] = ?4 WHERE rowid = ?5"));
    bindRecord(st, record);
    st.bind(5, key);
    if (!runChange(st, what))
        return false;
    if (sqlite3_changes(m_db) == 0) {
        refuseChange(what, QStringLiteral("The description was deleted meanwhile."));
        return false;
    }
    return true;
}

bool PictureInfoDatabase::remove(const std::vector<qint64> &keys, const QString &what)
{
    if (keys.empty())
        return true;
    if (!isWritable()) {
        refuseChange(what);
        return false;
    }
    const bool ownTransaction = !m_inTransaction && keys.size() > 1;
    std::optional<Transaction> own = ownTransaction ? beginChange(what) : std::nullopt;
    if (ownTransaction && !own)
        return false;
    SqliteStatement &st = statement(QStringLiteral("DELETE FROM KoLumbra WHERE rowid = ?1"));
    for (const qint64 key : keys) {
        st.bind(1, key);
        if (!runChange(st, what))
            return false;
    }
    return !own || own->commit();
}

bool PictureInfoDatabase::renameAlbumRows(const QString &from, const QString &to, const QString &what)
{
    if (!isWritable()) {
        refuseChange(what);
        return false;
    }
    if (QString::compare(from, to, Qt::CaseInsensitive) != 0) {
        SqliteStatement &clash = statement(
            QStringLiteral("DELETE FROM KoLumbra WHERE [Album Name] = ?2 COLLATE KoLumbraFold AND EXISTS "
                           "(SELECT 1 FROM KoLumbra AS moved WHERE moved.[Album Name] = ?1 COLLATE KoLumbraFold "
                           "AND moved.[Page] = KoLumbra.[Page] AND moved.[ImageNumber] = KoLumbra.[ImageNumber])"));
        clash.bind(1, from);
        clash.bind(2, to);
        if (!runChange(clash, what))
            return false;
    }
    SqliteStatement &st = statement(QStringLiteral("UPDATE KoLumbra SET [Album Name] = ?2 WHERE ") + kSameAlbum);
    st.bind(1, from);
    st.bind(2, to);
    return runChange(st, what);
}

std::optional<PictureInfoDatabase::Transaction> PictureInfoDatabase::beginChange(const QString &what)
{
    if (!isWritable()) {
        refuseChange(what);
        return std::nullopt;
    }
    if (m_inTransaction || !exec("BEGIN IMMEDIATE")) {
        changeFailed(m_inTransaction ? SQLITE_MISUSE : sqlite3_extended_errcode(m_db), what);
        return std::nullopt;
    }
    return Transaction(*this, what);
}

PictureInfoDatabase::Transaction::Transaction(PictureInfoDatabase &db, QString what)
    : m_db(&db)
    , m_what(std::move(what))
{
    m_db->m_inTransaction = true;
}

PictureInfoDatabase::Transaction::Transaction(Transaction &&other) noexcept
    : m_db(std::exchange(other.m_db, nullptr))
    , m_what(std::move(other.m_what))
{
}

PictureInfoDatabase::Transaction::~Transaction()
{
    if (!m_db)
        return;
    m_db->exec("ROLLBACK");
    m_db->m_inTransaction = false;
}

bool PictureInfoDatabase::Transaction::commit()
{
    if (!m_db)
        return false;
    PictureInfoDatabase *db = std::exchange(m_db, nullptr);
    db->m_inTransaction = false;
    if (db->exec("COMMIT"))
        return true;
    const int rc = sqlite3_extended_errcode(db->m_db);
    db->exec("ROLLBACK");
    db->changeFailed(rc, m_what);
    return false;
}
