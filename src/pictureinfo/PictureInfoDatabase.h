#pragma once

#include "pictureinfo/PictureRecord.h"
#include "pictureinfo/RecordQuery.h"
#include "pictureinfo/SqliteStatement.h"

#include <QString>
#include <QVariant>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

struct sqlite3;

// The descriptions file: an SQLite database holding the table KoLumbra
// ([Album Name], [Page], [ImageNumber], [Discription]) and an index on the
// three key fields. Opening creates what is missing when it may; an existing
// file is used as it is.
//
// A file that cannot serve (missing in a read-only folder, unreadable,
// damaged, not a database) never stops the program: the database is then
// Unavailable, reads give nothing, and the user is told once through the
// notice handler. A database that may not be written is opened ReadOnly, and
// every change attempted is refused with a notice. Nothing is dropped silently.
class PictureInfoDatabase
{
public:
    enum class Access {
        ReadWrite,
        ReadOnly,
        Unavailable
    };

    struct Notice
    {
        enum class Kind {
            Unavailable,    // descriptions cannot be read at all
            ChangeRefused,  // one change was not made
        };
        Kind kind;
        QString text;
    };
    using NoticeHandler = std::function<void(const Notice &)>;
    using Row = std::array<QVariant, 4>;  // the fields in the order of PictureRecord::fieldNames()

    static std::shared_ptr<PictureInfoDatabase> open(const QString &path, NoticeHandler notices = {});
    ~PictureInfoDatabase();
    PictureInfoDatabase(const PictureInfoDatabase &) = delete;
    PictureInfoDatabase &operator=(const PictureInfoDatabase &) = delete;

    bool isAvailable() const { return m_access != Access::Unavailable; }
    bool isWritable() const { return m_access == Access::ReadWrite; }

    // The keys of the rows a query selects, in its order.
    std::vector<qint64> select(const RecordQuery &query);
    // The fields of one row; nothing when the row is gone.
    std::optional<Row> read(qint64 key);
    // Rows of one album (letter case ignored); -1 when that cannot be told.
    int albumRowCount(const QString &album);

    // Changes. Each is stored at once; one that cannot be made is told to the
    // user as "what", followed by the file and the reason.
    std::optional<qint64> insert(const PictureRecord &record, const QString &what);
    bool update(qint64 key, const PictureRecord &record, const QString &what);
    // All rows or none.
    bool remove(const std::vector<qint64> &keys, const QString &what);

    // Several changes that stand or fall together; rolled back unless
    // committed. Refused (with a notice) when the database may not be written.
    class Transaction
    {
    public:
        Transaction(Transaction &&other) noexcept;
        Transaction &operator=(Transaction &&) = delete;
        ~Transaction();
        bool commit();

    private:
        friend class PictureInfoDatabase;
        Transaction(PictureInfoDatabase &db, QString what);
        PictureInfoDatabase *m_db;
        QString m_what;
    };
    std::optional<Transaction> beginChange(const QString &what);

    // Gives the rows of album `from` the name `to`, inside a transaction the
    // caller holds. A row of `to` left from an earlier album of that name
    // that sits on a position `from` has a description for is dropped, so
    // that each position keeps one description.
    bool renameAlbumRows(const QString &from, const QString &to, const QString &what);

    // How SQLite goes about a query, one step per line (for checking that
    // the key lookups use the index).
    QString queryPlan(const RecordQuery &query);

    // Tells the user that a change was not made, and why.
    void refuseChange(const QString &what, const QString &reason = {});

private:
    PictureInfoDatabase(QString path, NoticeHandler notices);
    void openFile();
    bool prepareTable();
    void becomeUnavailable(const QString &reason);
    void readFailed(int rc);
    void changeFailed(int rc, const QString &what);
    // Runs a bound change and makes the statement ready for the next one;
    // a failure is told as "what".
    bool runChange(SqliteStatement &st, const QString &what);
    QString reasonFor(int rc) const;
    SqliteStatement &statement(const QString &sql);
    bool exec(const char *sql);

    QString m_path;
    NoticeHandler m_notices;
    sqlite3 *m_db = nullptr;
    Access m_access = Access::Unavailable;
    QString m_problem;
    std::map<QString, SqliteStatement> m_statements;
    bool m_inTransaction = false;
};
