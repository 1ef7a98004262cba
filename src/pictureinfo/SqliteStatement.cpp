#include "pictureinfo/SqliteStatement.h"

#include <sqlite3.h>

#include <utility>

SqliteStatement::SqliteStatement(sqlite3 *db, const QString &sql)
{
    const QByteArray utf8 = sql.toUtf8();
    m_prepareResult =
        sqlite3_prepare_v3(db, utf8.constData(), int(utf8.size()), SQLITE_PREPARE_PERSISTENT, &m_stmt, nullptr);
    if (m_prepareResult != SQLITE_OK) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
    }
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_stmt);
}

SqliteStatement::SqliteStatement(SqliteStatement &&other) noexcept
    : m_stmt(std::exchange(other.m_stmt, nullptr))
    , m_prepareResult(other.m_prepareResult)
{
}

SqliteStatement &SqliteStatement::operator=(SqliteStatement &&other) noexcept
{
    if (this != &other) {
        sqlite3_finalize(m_stmt);
        m_stmt = std::exchange(other.m_stmt, nullptr);
        m_prepareResult = other.m_prepareResult;
    }
    return *this;
}

void SqliteStatement::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

void SqliteStatement::bind(int index, const QString &text)
{
    // A null QString is still a text: every row the program writes has all
    // of its fields filled.
    static const char16_t empty[] = u"";
    const void *data = text.isNull() ? static_cast<const void *>(empty) : static_cast<const void *>(text.utf16());
    sqlite3_bind_text16(m_stmt, index, data, int(text.size() * sizeof(char16_t)), SQLITE_TRANSIENT);
}

void SqliteStatement::bind(int index, qint64 number)
{
    sqlite3_bind_int64(m_stmt, index, number);
}

int SqliteStatement::step()
{
    return sqlite3_step(m_stmt);
}

int SqliteStatement::run()
{
    int rc = SQLITE_ROW;
    while (rc == SQLITE_ROW)
        rc = step();
    return rc;
}

QVariant SqliteStatement::value(int column) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_NULL:
        return {};
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(m_stmt, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_stmt, column));
    default:
        break;
    }
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    return QVariant(QString::fromUtf8(text, sqlite3_column_bytes(m_stmt, column)));
}

qint64 SqliteStatement::int64(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}
