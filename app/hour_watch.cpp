#include "app/hour_watch.h"

#include "app/error_box.h"

#include <QScopedValueRollback>

#include <utility>

namespace shift {

namespace {

constexpr int kMinuteMilliseconds = 60000;

} // namespace

HourWatch::HourWatch(
    std::function<LocalDateTime()> readClock, std::function<void()> newHour, QObject *parent)
    : QObject(parent)
    , m_readClock(std::move(readClock))
    , m_newHour(std::move(newHour))
{
    m_timer.setSingleShot(true);
    // A coarse timer may come seconds late on a minute's interval; the marks should change
    // with the hour, not some seconds after it.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &HourWatch::lookFromTimer);
}

// An error box opened by one look runs an event loop of its own; the looks it lets through
// wait, instead of stacking boxes.
void HourWatch::lookFromTimer()
{
    if (m_looking) {
        m_timer.start(kMinuteMilliseconds);
        return;
    }
    const QScopedValueRollback<bool> looking(m_looking, true);
    runGuarded([this] { check(); });
}

int HourWatch::delayAfter(const LocalDateTime &reading)
{
    const int intoMinute = reading.second * 1000 + reading.millisecond; // 0..59999
    return kMinuteMilliseconds - intoMinute + kLateMilliseconds;
}

HourWatch::Hour HourWatch::hourOf(const LocalDateTime &reading)
{
    return { reading.year, reading.month, reading.day, reading.hour };
}

void HourWatch::start()
{
    m_timer.start(kMinuteMilliseconds);
    const LocalDateTime reading = m_readClock();
    m_lastHour = hourOf(reading);
    m_timer.start(delayAfter(reading));
}

void HourWatch::check()
{
    // Set before the clock is read, so that a clock that fails now is looked at again.
    m_timer.start(kMinuteMilliseconds);
    const LocalDateTime reading = m_readClock();
    m_timer.start(delayAfter(reading));
    const Hour now = hourOf(reading);
    if (now != m_lastHour) {
        m_lastHour = now;
        m_newHour();
    }
    emit looked();
}

} // namespace shift
