#include "app/my_days.h"

#include "core/days_database.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace shift {

namespace {

// A command of shiftcal writes its log and the file within a few milliseconds; one read after
// the burst instead of one per event.
constexpr int kSettleMs = 50;

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
    watch();
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

void MyDays::watch()
{
    // Files that were replaced or removed drop out of the watch by themselves; start afresh.
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    if (QFileInfo::exists(m_path)) {
        m_watcher.addPath(m_path);
        if (QFileInfo::exists(m_path + QStringLiteral("-wal")))
            m_watcher.addPath(m_path + QStringLiteral("-wal"));
        return;
    }
    QString folder = QFileInfo(m_path).absolutePath();
    while (!QFileInfo(folder).isDir() && folder != QDir::rootPath())
        folder = QFileInfo(folder).path();
    m_watcher.addPath(folder);
}

} // namespace shift
