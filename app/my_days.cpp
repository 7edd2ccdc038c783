#include "app/my_days.h"

#include "core/days_database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <cstdio>
#include <sys/stat.h>
#include <vector>

namespace shift {

namespace {

// A command of shiftcal writes its log and the file within a few milliseconds; one read after
// the burst instead of one per event.
constexpr int kSettleMs = 50;

// What a change of the database shows in its file and its log: a commit or a checkpoint their
// size and time of change, a replaced file its inode. Their owner and mode do not count: SQLite
// running as root sets the log's owner each time it opens it, this reader's opens too.
std::vector<std::int64_t> stampOf(const QString &path)
{
    std::vector<std::int64_t> stamp;
    for (const QString &file : { path, path + QStringLiteral("-wal") }) {
        struct stat info { };
        if (::stat(QFile::encodeName(file).constData(), &info) != 0) {
            stamp.push_back(-1);
            continue;
        }
        stamp.insert(stamp.end(),
            { static_cast<std::int64_t>(info.st_ino),
                static_cast<std::int64_t>(info.st_size),
                static_cast<std::int64_t>(info.st_mtim.tv_sec),
                static_cast<std::int64_t>(info.st_mtim.tv_nsec) });
    }
    return stamp;
}

} // namespace

MyDays::MyDays(const QString &path, QObject *parent)
    : QObject(parent)
    , m_path(path)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, &MyDays::reload);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, &m_settle, qOverload<>(&QTimer::start));
    connect(
        &m_watcher, &QFileSystemWatcher::directoryChanged, &m_settle, qOverload<>(&QTimer::start));
    reload();
}

void MyDays::reload()
{
    // Watched before the read, so that a change after the read's snapshot brings another read.
    const QStringList before = watch();
    const std::vector<std::int64_t> stamp = stampOf(m_path);
    if (m_read && stamp == m_stamp)
        return;
    m_read = true;
    m_stamp = stamp;
    std::optional<PersonalRoster> roster;
    QString error;
    try {
        DaysDatabase database(m_path.toStdString(), DaysDatabase::Access::Read);
        PersonalRoster read(database.record());
        if (read.hasTeam())
            roster.emplace(std::move(read));
    } catch (const std::exception &failure) {
        error = QString::fromUtf8(failure.what());
    }
    // A log or a file that appeared meanwhile was not watched when the read began: it may hold
    // commits that came after the snapshot, and no event will tell of them.
    for (const QString &path : watch()) {
        if (!before.contains(path))
            m_settle.start();
    }
    const bool sameRecord = roster.has_value() == m_roster.has_value()
        && (!roster || roster->record() == m_roster->record());
    if (sameRecord && error == m_error)
        return;
    if (!error.isEmpty() && error != m_error)
        std::fprintf(stderr, "shiftschedule: %s\n", error.toUtf8().constData());
    m_roster = std::move(roster);
    m_error = error;
    emit changed();
}

QStringList MyDays::watch()
{
    QStringList wanted;
    if (QFileInfo::exists(m_path)) {
        wanted << m_path;
        if (QFileInfo::exists(m_path + QStringLiteral("-wal")))
            wanted << m_path + QStringLiteral("-wal");
    } else {
        QString folder = QFileInfo(m_path).absolutePath();
        while (!QFileInfo(folder).isDir() && folder != QDir::rootPath())
            folder = QFileInfo(folder).path();
        wanted << folder;
    }
    // A file that was removed or replaced has left the watch by itself; it comes back here.
    const QStringList watched = m_watcher.files() + m_watcher.directories();
    for (const QString &path : watched) {
        if (!wanted.contains(path))
            m_watcher.removePath(path);
    }
    for (const QString &path : wanted) {
        if (!watched.contains(path))
            m_watcher.addPath(path);
    }
    return wanted;
}

} // namespace shift
