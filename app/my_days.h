#pragma once

#include "core/personal_days.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <cstdint>
#include <optional>
#include <vector>

namespace shift {

// The worker's own days (the days database that `shiftcal days` keeps) for the window: read
// when made and again whenever the file changes, so that a vacation added in a terminal shows
// in the window left open. Each read is one read-only snapshot (core/days_database.h): the
// window sees what shiftcal has committed, whole, and never writes to the file.
//
// The watch is on the file and its write-ahead log (where a writer commits), not on its
// folder, where every reader (this one too) creates and removes the log; while the file does
// not exist, on the nearest folder of its path that does. It is set before each read, and a
// log that appears during the read brings one more read, so that nothing committed after a
// read's snapshot goes unseen. Events that come together are read once, and a read that finds
// what the last one found changes nothing, so that a busy folder (~/.local/share holds many
// programs' data) costs a look and no redraw. An event that left the file and its log as they
// were (their owner set again, as SQLite does when it runs as root) brings no read at all.
//
// A file that cannot be read (damaged, another program's, a newer version's) leaves the window
// as without a record: error() says why, and so does one line on standard error.
//
// Example:
//   MyDays days(QString::fromStdString(defaultDaysDatabasePath()));
//   QObject::connect(&days, &MyDays::changed, [&] { window.redrawActiveView(); });
//   drawActiveView(calendar, surface, days.roster());
class MyDays : public QObject {
    Q_OBJECT
public:
    explicit MyDays(const QString &path, QObject *parent = nullptr);

    // The record as last read, or null: no file, no team recorded, or a file not read.
    const PersonalRoster *roster() const { return m_roster ? &*m_roster : nullptr; }

    // Why the last read failed; empty after a good one.
    const QString &error() const { return m_error; }

    // Reads the file again now; emits changed() when the record or the error is not the last.
    void reload();

signals:
    void changed();

private:
    // Watches what there is to watch now and returns it.
    QStringList watch();

    QString m_path;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    std::optional<PersonalRoster> m_roster;
    QString m_error;
    bool m_read = false;
    std::vector<std::int64_t> m_stamp; // of the file and its log at the last read
};

} // namespace shift
