#pragma once

#include "pictureinfo/FoldedText.h"
#include "pictureinfo/PictureRecord.h"

#include <QFile>
#include <QList>
#include <QStringList>

#include <sqlite3.h>

// Writes and reads a descriptions file straight through SQLite, so that tests
// see what is really on disk rather than what the program's own layer says.
namespace DescriptionFile {

class Connection
{
public:
    explicit Connection(const QString &path)
    {
        sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr);
        FoldedText::install(m_db);
    }
    ~Connection() { sqlite3_close_v2(m_db); }
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    bool exec(const QString &sql)
    {
        return sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    }

    // Every row as "album|page|picture|text", in the order stored.
    QStringList rows()
    {
        QStringList out;
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(m_db,
                           "SELECT [Album Name], [Page], [ImageNumber], [Discription] FROM KoLumbra ORDER BY rowid", -1,
                           &st, nullptr);
        while (st && sqlite3_step(st) == SQLITE_ROW) {
            QStringList fields;
            for (int i = 0; i < 4; ++i)
                fields << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, i)));
            out << fields.join(QLatin1Char('|'));
        }
        sqlite3_finalize(st);
        return out;
    }

    void insert(const QList<PictureRecord> &records)
    {
        exec(QStringLiteral("BEGIN"));
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(m_db,
                           "INSERT INTO KoLumbra ([Album Name], [Page], [ImageNumber], [Discription]) "
                           "VALUES (?1, ?2, ?3, ?4)",
                           -1, &st, nullptr);
        for (const PictureRecord &r : records) {
            const QByteArray album = r.albumName.toUtf8();
            const QByteArray text = r.description.toUtf8();
            sqlite3_bind_text(st, 1, album.constData(), int(album.size()), SQLITE_TRANSIENT);
            sqlite3_bind_int(st, 2, r.page);
            sqlite3_bind_int(st, 3, r.imageNumber);
            sqlite3_bind_text(st, 4, text.constData(), int(text.size()), SQLITE_TRANSIENT);
            sqlite3_step(st);
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
        exec(QStringLiteral("COMMIT"));
    }

private:
    sqlite3 *m_db = nullptr;
};

// A file holding the table (as an earlier run of the program left it, without
// the index) and the given rows.
inline void create(const QString &path, const QList<PictureRecord> &records)
{
    Connection db(path);
    db.exec(QStringLiteral("CREATE TABLE KoLumbra ([Album Name] TEXT, [Page] INTEGER, [ImageNumber] INTEGER, "
                           "[Discription] TEXT)"));
    db.insert(records);
}

inline QStringList rows(const QString &path)
{
    return Connection(path).rows();
}

inline QString row(const QString &album, int page, int picture, const QString &text)
{
    return QStringLiteral("%1|%2|%3|%4").arg(album).arg(page).arg(picture).arg(text);
}

}  // namespace DescriptionFile
