#pragma once

#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

// One prepared SQLite statement, finalised when it goes. Values are always
// bound, never written into the SQL text.
class SqliteStatement
{
public:
    SqliteStatement() = default;
    SqliteStatement(sqlite3 *db, const QString &sql);
    ~SqliteStatement();
    SqliteStatement(SqliteStatement &&other) noexcept;
    SqliteStatement &operator=(SqliteStatement &&other) noexcept;
    SqliteStatement(const SqliteStatement &) = delete;
    SqliteStatement &operator=(const SqliteStatement &) = delete;

    bool isValid() const { return m_stmt != nullptr; }
    // The result code of preparing it.
    int prepareResult() const { return m_prepareResult; }

    // Ready for another run: the last one is reset and the values unbound.
    void reset();
    void bind(int index, const QString &text);
    void bind(int index, qint64 number);
    // SQLITE_ROW, SQLITE_DONE or an error code.
    int step();
    // Steps to the end; SQLITE_DONE when all went well.
    int run();

    QVariant value(int column) const;
    qint64 int64(int column) const;

private:
    sqlite3_stmt *m_stmt = nullptr;
    int m_prepareResult = 0;
};
