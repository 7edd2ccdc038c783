#pragma once

#include "core/personal_days.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <optional>

namespace shift {

// The worker's own days (the days database that `shiftcal days` keeps) for the window: read
// when made and again whenever the file changes, so that a vacation added in a terminal shows
// in the window left open. Each read is one read-only snapshot (core/days_database.h): the
// window sees what shiftcal has committed, whole, and never writes to the file.
//
// The watch is on the file itself and on its write-ahead log, not on its folder, where every
// reader (this one too) creates and removes files; while the file does not exist, on the
// nearest folder of its path that does. Events that come together are read once, and a read
// that finds what the last one found changes nothing, so that the folder's other files
// (~/.local/share holds many programs' data) cost a look and no redraw.
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
    void watch();

    QString m_path;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    std::optional<PersonalRoster> m_roster;
    QString m_error;
};

} // namespace shift
