#include "core/days_database.h"

#include "core/civil_date.h"
#include "core/sqlite_connection.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace shift {

namespace {

// Long enough for three other writers ahead in the queue, each a few milliseconds.
constexpr int kBusyTimeoutMs = 10000;

// Each step takes the schema from the version before it to its own number.
constexpr std::array<const char *, kDaysSchemaVersion> kUpgrades = {
    // 1
    "CREATE TABLE team_moves ("
    " from_day TEXT PRIMARY KEY NOT NULL,"
    " scheme INTEGER NOT NULL,"
    " team INTEGER NOT NULL);"
    "CREATE TABLE entries ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " kind TEXT NOT NULL CHECK (kind IN ('vacation', 'sick', 'leave', 'off', 'extra')),"
    " first_day TEXT NOT NULL,"
    " last_day TEXT NOT NULL,"
    " shift TEXT,"
    " note TEXT NOT NULL DEFAULT '');",
    // 2
    "DELETE FROM entries WHERE id NOT IN (SELECT min(id) FROM entries"
    " GROUP BY kind, first_day, last_day, ifnull(shift, ''), note);"
    "CREATE UNIQUE INDEX entries_identity"
    " ON entries (kind, first_day, last_day, ifnull(shift, ''), note);",
};

std::string quotedPath(const std::string &path)
{
    return "'" + path + "'";
}

// "YYYY-MM-DD" as the file keeps it. Read digit by digit: sscanf costs most of a large read.
DayCount dayOfText(const std::string &text)
{
    const bool shaped = text.size() == 10 && text[4] == '-' && text[7] == '-';
    int fields[3] = { 0, 0, 0 };
    const std::size_t starts[3] = { 0, 5, 8 };
    const std::size_t ends[3] = { 4, 7, 10 };
    for (std::size_t f = 0; shaped && f < 3; ++f) {
        for (std::size_t i = starts[f]; i < ends[f]; ++i) {
            if (text[i] < '0' || text[i] > '9')
                throw DaysDatabaseError("the days database holds a malformed date '" + text + "'");
            fields[f] = fields[f] * 10 + (text[i] - '0');
        }
    }
    if (!shaped || fields[1] < 1 || fields[1] > 12 || fields[2] < 1 || fields[2] > 31)
        throw DaysDatabaseError("the days database holds a malformed date '" + text + "'");
    return dayCountOf(civilDate(fields[0], fields[1], fields[2]));
}

bool fileIsEmptyOrMissing(const std::string &path, bool &missing)
{
    struct stat info { };
    if (::stat(path.c_str(), &info) != 0) {
        missing = errno == ENOENT;
        if (!missing)
            throw DaysDatabaseError(
                "cannot read " + quotedPath(path) + ": " + std::strerror(errno));
        return true;
    }
    missing = false;
    if (S_ISDIR(info.st_mode))
        throw DaysDatabaseError(quotedPath(path) + " is a folder, not a days database");
    return info.st_size == 0;
}

DaysDatabaseError damagedError(const std::string &path)
{
    return DaysDatabaseError(quotedPath(path) + " is not a database or is damaged; left unchanged");
}

// A query's failure as one line: damage named as the first look names it.
[[noreturn]] void rethrowReadError(const SqliteError &error, const std::string &path)
{
    if (error.code() == SQLITE_NOTADB || error.code() == SQLITE_CORRUPT)
        throw damagedError(path);
    throw DaysDatabaseError("cannot read " + quotedPath(path) + ": " + error.what());
}

// What the read-only look at an existing file found.
struct FileCheck {
    int version = 0; // 0: an empty database, to be set up
};

// A writer checks the whole file (quick_check) before it changes anything; a reader, which
// changes nothing, meets damage as errors of its queries instead (damagedError below), and so
// reads a large file in half the time.
FileCheck checkFile(SqliteConnection &db, const std::string &path, bool wholeFile)
{
    const std::string name = quotedPath(path);
    try {
        const std::int64_t applicationId = db.integer("PRAGMA application_id");
        const std::int64_t version = db.integer("PRAGMA user_version");
        const std::int64_t objects = db.integer("SELECT count(*) FROM sqlite_schema");
        if (applicationId != kDaysApplicationId && (applicationId != 0 || objects != 0))
            throw DaysDatabaseError(name + " is not a shiftschedule days database; left unchanged");
        if (version > kDaysSchemaVersion)
            throw DaysDatabaseError(name + " was written by a newer shiftschedule (schema "
                + std::to_string(version) + ", this one knows " + std::to_string(kDaysSchemaVersion)
                + "); left unchanged");
        const std::optional<std::string> check
            = wholeFile ? db.text("PRAGMA quick_check") : std::optional<std::string>("ok");
        if (check != "ok")
            throw DaysDatabaseError(
                name + " is damaged (" + check.value_or("no answer") + "); left unchanged");
        return { static_cast<int>(version) };
    } catch (const SqliteError &error) {
        if (error.code() == SQLITE_NOTADB || error.code() == SQLITE_CORRUPT)
            throw damagedError(path);
        if (error.code() == SQLITE_BUSY)
            throw DaysDatabaseError(name + " is busy: " + error.what());
        throw DaysDatabaseError("cannot read " + name + ": " + error.what());
    }
}

DayEntry entryOf(const SqliteStatement &row)
{
    DayEntry entry;
    entry.id = row.integer(0);
    entry.kind = dayKindOf(row.text(1)).value_or(DayKind::Off);
    entry.first = dayOfText(row.text(2));
    entry.last = dayOfText(row.text(3));
    const std::string letter = row.text(4);
    entry.letter = letter.empty() ? ' ' : letter[0];
    entry.note = row.text(5);
    return entry;
}

constexpr const char *kEntryColumns
    = "SELECT id, kind, first_day, last_day, shift, note FROM entries";

// Sick days are health data: the folders this makes and a new file are the user's alone, whatever
// the umask. SQLite gives the log and the shared-memory file the database file's mode.
void makePrivateFile(const std::string &path)
{
    std::vector<std::filesystem::path> missing;
    std::error_code ignored;
    for (std::filesystem::path folder = std::filesystem::path(path).parent_path();
         !folder.empty() && !std::filesystem::exists(folder, ignored);
         folder = folder.parent_path()) {
        missing.push_back(folder);
        if (folder == folder.parent_path())
            break;
    }
    for (auto folder = missing.rbegin(); folder != missing.rend(); ++folder)
        ::mkdir(folder->c_str(), 0700);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0)
        ::close(fd);
}

} // namespace

std::string defaultDaysDatabasePath()
{
    const char *data = std::getenv("XDG_DATA_HOME");
    std::string folder;
    if (data != nullptr && data[0] == '/') {
        folder = data;
    } else {
        const char *home = std::getenv("HOME");
        if (home == nullptr || home[0] == '\0')
            return {};
        folder = std::string(home) + "/.local/share";
    }
    return folder + "/shiftschedule/days.db";
}

std::string daysDateText(DayCount day)
{
    const CivilDate date = civilDateOf(day);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", yearOf(date), monthOf(date), dayOf(date));
    return text;
}

std::string_view dayKindWord(DayKind kind)
{
    return kDayKindWords[static_cast<std::size_t>(kind)];
}

std::optional<DayKind> dayKindOf(std::string_view word)
{
    for (std::size_t i = 0; i < kDayKindWords.size(); ++i) {
        if (kDayKindWords[i] == word)
            return static_cast<DayKind>(i);
    }
    return std::nullopt;
}

DaysDatabase::DaysDatabase(const std::string &path, Access access)
    : m_path(path)
{
    bool missing = false;
    const bool empty = fileIsEmptyOrMissing(path, missing);
    if (empty && access == Access::Read)
        return;
    if (!empty) {
        // Looked at read-only first, so that a file we must refuse is never touched.
        auto reader = std::make_unique<SqliteConnection>(path, SqliteConnection::Mode::ReadOnly);
        sqlite3_busy_timeout(reader->handle(), kBusyTimeoutMs);
        // One snapshot for the whole look: a writer setting the file up may otherwise commit
        // between the look at its application id and the look at its tables.
        reader->execute("BEGIN");
        m_foundVersion = checkFile(*reader, path, access == Access::Write).version;
        // A file that was never set up (a writer's first transaction rolled back) reads as empty.
        if (access == Access::Read && m_foundVersion == 0)
            return;
        if (access == Access::Read) {
            m_db = std::move(reader);
            m_open = true;
            return;
        }
    }
    openForWriting(path);
}

void DaysDatabase::openForWriting(const std::string &path)
{
    makePrivateFile(path);
    try {
        m_db = std::make_unique<SqliteConnection>(path, SqliteConnection::Mode::ReadWriteCreate);
        sqlite3_busy_timeout(m_db->handle(), kBusyTimeoutMs);
        // The copy is taken before anything, even the journal mode, changes the file.
        if (m_foundVersion > 0 && m_foundVersion < kDaysSchemaVersion) {
            const std::string copy = path + ".v" + std::to_string(m_foundVersion) + ".bak";
            if (::access(copy.c_str(), F_OK) != 0)
                m_db->backupTo(copy);
        }
        if (m_db->text("PRAGMA journal_mode = WAL") != "wal")
            throw DaysDatabaseError("cannot keep " + quotedPath(path) + " in WAL mode");
        // FULL: WAL mode's NORMAL may lose the last commits on a power cut.
        m_db->execute("PRAGMA synchronous = FULL");
        m_db->execute("BEGIN IMMEDIATE");
        m_open = true;
        // Another process may have set the file up or upgraded it since the first look.
        const int version = checkFile(*m_db, path, false).version;
        if (version < kDaysSchemaVersion)
            upgrade(version);
    } catch (const SqliteError &error) {
        throw DaysDatabaseError("cannot write " + quotedPath(path) + ": " + error.what());
    }
}

void DaysDatabase::upgrade(int from)
{
    for (int version = from; version < kDaysSchemaVersion; ++version)
        m_db->execute(kUpgrades[static_cast<std::size_t>(version)]);
    m_db->execute("PRAGMA application_id = " + std::to_string(kDaysApplicationId));
    m_db->execute("PRAGMA user_version = " + std::to_string(kDaysSchemaVersion));
}

DaysDatabase::~DaysDatabase()
{
    if (m_open) {
        try {
            m_db->execute("ROLLBACK");
        } catch (const SqliteError &) {
            // Closing the connection rolls back as well.
        }
    }
}

void DaysDatabase::commit()
{
    if (!m_open)
        return;
    try {
        m_db->execute("COMMIT");
    } catch (const SqliteError &error) {
        throw DaysDatabaseError("cannot write " + quotedPath(m_path) + ": " + error.what());
    }
    m_open = false;
}

PersonalRecord DaysDatabase::record()
{
    PersonalRecord record;
    if (!m_db)
        return record;
    try {
        SqliteStatement moves(
            *m_db, "SELECT from_day, scheme, team FROM team_moves ORDER BY from_day");
        while (moves.step()) {
            record.moves.push_back({ dayOfText(moves.text(0)),
                static_cast<int>(moves.integer(1)),
                static_cast<int>(moves.integer(2)) });
        }
        SqliteStatement entries(*m_db, std::string(kEntryColumns) + " ORDER BY id");
        while (entries.step())
            record.entries.push_back(entryOf(entries));
    } catch (const SqliteError &error) {
        rethrowReadError(error, m_path);
    }
    return record;
}

std::vector<DayEntry> DaysDatabase::entries(DayCount first, DayCount last)
{
    std::vector<DayEntry> found;
    if (!m_db)
        return found;
    SqliteStatement query(*m_db,
        std::string(kEntryColumns)
            + " WHERE last_day >= ?1 AND first_day <= ?2"
              " ORDER BY first_day, id");
    query.bind(1, daysDateText(first)).bind(2, daysDateText(last));
    try {
        while (query.step())
            found.push_back(entryOf(query));
    } catch (const SqliteError &error) {
        rethrowReadError(error, m_path);
    }
    return found;
}

std::int64_t DaysDatabase::addEntry(const DayEntry &entry, bool *added)
{
    SqliteStatement insert(*m_db,
        "INSERT OR IGNORE INTO entries (kind, first_day, last_day, shift, note)"
        " VALUES (?1, ?2, ?3, ?4, ?5)");
    insert.bind(1, dayKindWord(entry.kind))
        .bind(2, daysDateText(entry.first))
        .bind(3, daysDateText(entry.last))
        .bind(5, entry.note);
    if (entry.kind == DayKind::Extra)
        insert.bind(4, std::string_view(&entry.letter, 1));
    else
        insert.bindNull(4);
    insert.step();
    const bool inserted = m_db->changes() > 0;
    if (added != nullptr)
        *added = inserted;
    if (inserted)
        return m_db->lastInsertId();
    SqliteStatement existing(*m_db,
        "SELECT id FROM entries WHERE kind = ?1 AND first_day = ?2 AND last_day = ?3"
        " AND ifnull(shift, '') = ?4 AND note = ?5");
    existing.bind(1, dayKindWord(entry.kind))
        .bind(2, daysDateText(entry.first))
        .bind(3, daysDateText(entry.last))
        .bind(4, entry.kind == DayKind::Extra ? std::string_view(&entry.letter, 1) : "")
        .bind(5, entry.note);
    existing.step();
    return existing.integer(0);
}

bool DaysDatabase::removeEntry(std::int64_t id)
{
    SqliteStatement remove(*m_db, "DELETE FROM entries WHERE id = ?1");
    remove.bind(1, id).step();
    return m_db->changes() > 0;
}

void DaysDatabase::setTeam(const TeamMove &move)
{
    SqliteStatement upsert(*m_db,
        "INSERT INTO team_moves (from_day, scheme, team) VALUES (?1, ?2, ?3)"
        " ON CONFLICT (from_day) DO UPDATE SET scheme = excluded.scheme, team = excluded.team");
    upsert.bind(1, daysDateText(move.from)).bind(2, move.scheme).bind(3, move.team).step();
}

} // namespace shift
