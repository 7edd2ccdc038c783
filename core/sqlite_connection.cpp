#include "core/sqlite_connection.h"

#include <sqlite3.h>

namespace shift {

SqliteConnection::SqliteConnection(const std::string &path, Mode mode)
{
    const int flags = mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY
                                             : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    // One connection per thread: SQLite's own locks on every call would only cost time.
    const int code = sqlite3_open_v2(path.c_str(), &m_db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (code != SQLITE_OK) {
        const std::string message = m_db != nullptr ? sqlite3_errmsg(m_db) : sqlite3_errstr(code);
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        throw SqliteError(message, code & 0xff);
    }
    sqlite3_extended_result_codes(m_db, 0);
}

SqliteConnection::~SqliteConnection()
{
    sqlite3_close_v2(m_db);
}

void SqliteConnection::check(int code, std::string_view what) const
{
    if (code == SQLITE_OK || code == SQLITE_ROW || code == SQLITE_DONE)
        return;
    throw SqliteError(std::string(what) + ": " + sqlite3_errmsg(m_db), code & 0xff);
}

void SqliteConnection::execute(const std::string &sql)
{
    check(sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, nullptr), sql);
}

std::optional<std::string> SqliteConnection::text(const std::string &sql)
{
    SqliteStatement statement(*this, sql);
    if (!statement.step() || statement.isNull(0))
        return std::nullopt;
    return statement.text(0);
}

std::int64_t SqliteConnection::integer(const std::string &sql)
{
    SqliteStatement statement(*this, sql);
    return statement.step() ? statement.integer(0) : 0;
}

std::int64_t SqliteConnection::lastInsertId() const
{
    return sqlite3_last_insert_rowid(m_db);
}

int SqliteConnection::changes() const
{
    return sqlite3_changes(m_db);
}

void SqliteConnection::backupTo(const std::string &path)
{
    SqliteConnection copy(path, Mode::ReadWriteCreate);
    sqlite3_backup *backup = sqlite3_backup_init(copy.m_db, "main", m_db, "main");
    if (backup == nullptr)
        copy.check(sqlite3_errcode(copy.m_db), "backup");
    const int stepped = sqlite3_backup_step(backup, -1);
    const int finished = sqlite3_backup_finish(backup);
    if (stepped != SQLITE_DONE)
        throw SqliteError(std::string("backup: ") + sqlite3_errstr(stepped), stepped & 0xff);
    copy.check(finished, "backup");
}

SqliteStatement::SqliteStatement(SqliteConnection &db, const std::string &sql)
    : m_db(db)
{
    m_db.check(sqlite3_prepare_v2(db.handle(), sql.c_str(), -1, &m_statement, nullptr), sql);
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_statement);
}

SqliteStatement &SqliteStatement::bind(int index, std::int64_t value)
{
    m_db.check(sqlite3_bind_int64(m_statement, index, value), "bind");
    return *this;
}

SqliteStatement &SqliteStatement::bind(int index, std::string_view text)
{
    m_db.check(sqlite3_bind_text64(
                   m_statement, index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8),
        "bind");
    return *this;
}

SqliteStatement &SqliteStatement::bindNull(int index)
{
    m_db.check(sqlite3_bind_null(m_statement, index), "bind");
    return *this;
}

bool SqliteStatement::step()
{
    const int code = sqlite3_step(m_statement);
    m_db.check(code, "step");
    return code == SQLITE_ROW;
}

void SqliteStatement::reset()
{
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
}

std::int64_t SqliteStatement::integer(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

std::string SqliteStatement::text(int column) const
{
    const auto *bytes = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
    const int size = sqlite3_column_bytes(m_statement, column);
    return bytes == nullptr ? std::string() : std::string(bytes, static_cast<std::size_t>(size));
}

bool SqliteStatement::isNull(int column) const
{
    return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

} // namespace shift
