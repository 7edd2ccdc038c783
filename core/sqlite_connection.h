#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

// A thin owner of one SQLite connection and its prepared statements, throwing SqliteError
// with SQLite's own message where the C interface returns an error code.
//
// Example:
//   SqliteConnection db("days.db", SqliteConnection::Mode::ReadOnly);
//   SqliteStatement count(db, "SELECT count(*) FROM entries");
//   count.step();               // true: a row
//   count.integer(0);           // the number
namespace shift {

class SqliteError : public std::runtime_error {
public:
    SqliteError(const std::string &message, int code)
        : std::runtime_error(message)
        , m_code(code)
    {
    }
    int code() const { return m_code; } // SQLite's primary result code, e.g. SQLITE_NOTADB
private:
    int m_code;
};

class SqliteConnection {
public:
    enum class Mode { ReadOnly, ReadWriteCreate };

    // Opens `path`; ReadOnly never creates or changes the file's contents.
    SqliteConnection(const std::string &path, Mode mode);
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection &) = delete;
    SqliteConnection &operator=(const SqliteConnection &) = delete;

    // Runs statements that return nothing of interest.
    void execute(const std::string &sql);

    // The first column of the first row of `sql`, as text, or nullopt for no row or NULL.
    std::optional<std::string> text(const std::string &sql);

    // The same as an integer; 0 for no row.
    std::int64_t integer(const std::string &sql);

    std::int64_t lastInsertId() const;
    int changes() const;

    // Copies the whole database as this connection sees it to a new file `path`.
    void backupTo(const std::string &path);

    sqlite3 *handle() const { return m_db; }

    // Throws SqliteError for a `code` other than OK, ROW and DONE, with `what` and SQLite's
    // message.
    void check(int code, std::string_view what) const;

private:
    sqlite3 *m_db = nullptr;
};

class SqliteStatement {
public:
    SqliteStatement(SqliteConnection &db, const std::string &sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement &) = delete;
    SqliteStatement &operator=(const SqliteStatement &) = delete;

    // Parameters are numbered from 1. Text is bound with its length, so any bytes survive.
    SqliteStatement &bind(int index, std::int64_t value);
    SqliteStatement &bind(int index, std::string_view text);
    SqliteStatement &bindNull(int index);

    // True while there is a row to read; false once done.
    bool step();
    void reset();

    std::int64_t integer(int column) const; // columns from 0
    std::string text(int column) const; // "" for NULL
    bool isNull(int column) const;

private:
    SqliteConnection &m_db;
    sqlite3_stmt *m_statement = nullptr;
};

} // namespace shift
