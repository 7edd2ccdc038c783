#pragma once

#include "core/personal_days.h"

#include <array>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// The personal record on disk: one SQLite file, by default $XDG_DATA_HOME/shiftschedule/days.db.
//
// Each DaysDatabase object is one transaction: a reader's snapshot (BEGIN) or a writer's
// (BEGIN IMMEDIATE, so writers queue on the busy timeout instead of failing midway); commit()
// makes a writer's changes durable, the destructor rolls back whatever was not committed.
// The file is in WAL mode with synchronous=FULL, so an acknowledged change survives a killed
// process and a power cut, and a reader sees whole transactions only.
//
// Before anything is written the file is opened read-only and checked: a file that is no
// database, belongs to another program (application_id), was written by a newer schema
// (user_version above kDaysSchemaVersion) or, for a writer, fails SQLite's quick_check is
// refused with DaysDatabaseError and left as it was; a reader meets damage when it reads, with
// the same one-line error. An older schema is upgraded by a writer, after a copy
// of the whole file is kept beside it as PATH.vN.bak.
//
// Example:
//   DaysDatabase db(defaultDaysDatabasePath(), DaysDatabase::Access::Write);
//   const std::int64_t id = db.addEntry({0, DayKind::Vacation, first, last, ' ', "Crete"});
//   db.commit();
namespace shift {

// The schema this program writes. 1: the tables; 2: one row per distinct entry (an index that
// lets an import merge), duplicates of version 1 folded into their first.
inline constexpr int kDaysSchemaVersion = 2;

// The file's application_id: "shft".
inline constexpr std::int32_t kDaysApplicationId = 0x73686674;

// One line saying what is wrong with the file and that it was left as it was.
class DaysDatabaseError : public std::runtime_error {
public:
    explicit DaysDatabaseError(const std::string &message)
        : std::runtime_error(message)
    {
    }
};

// $XDG_DATA_HOME/shiftschedule/days.db, with ~/.local/share for an unset or relative
// XDG_DATA_HOME. Empty when neither that nor HOME is known.
std::string defaultDaysDatabasePath();

// "YYYY-MM-DD" of a day, as the file keeps dates. Example: 736102 -> "2016-05-19".
std::string daysDateText(DayCount day);

// The words the file and the command line use for the kinds, in the order of DayKind.
inline constexpr std::array<std::string_view, 5> kDayKindWords
    = { "vacation", "sick", "leave", "off", "extra" };

// Example: dayKindWord(DayKind::Sick) == "sick"; dayKindOf("sick") == DayKind::Sick.
std::string_view dayKindWord(DayKind kind);
std::optional<DayKind> dayKindOf(std::string_view word);

class SqliteConnection;

class DaysDatabase {
public:
    enum class Access { Read, Write };

    // Read: a missing file reads as an empty record and is not created. Write: the file, and
    // its folder, are created when missing. Throws DaysDatabaseError.
    DaysDatabase(const std::string &path, Access access);
    ~DaysDatabase();
    DaysDatabase(const DaysDatabase &) = delete;
    DaysDatabase &operator=(const DaysDatabase &) = delete;

    void commit();

    // The schema version of the file as opened (0 for no file), before any upgrade.
    int foundVersion() const { return m_foundVersion; }

    PersonalRecord record();
    // The entries that touch a day from `first` to `last`, by first day, then id.
    std::vector<DayEntry> entries(DayCount first, DayCount last);

    // Writers only. An entry equal to one already there in kind, days, shift and note is that
    // entry: its id comes back and `added` says false.
    std::int64_t addEntry(const DayEntry &entry, bool *added = nullptr);
    bool removeEntry(std::int64_t id);
    // Records a move; a second move on the same day replaces the first.
    void setTeam(const TeamMove &move);

private:
    void openForWriting(const std::string &path);
    void upgrade(int from);

    std::unique_ptr<SqliteConnection> m_db; // null for a missing file read
    std::string m_path;
    int m_foundVersion = 0;
    bool m_open = false;
};

} // namespace shift
