#pragma once

#include "core/clock.h"

#include <QObject>
#include <QTimer>

#include <functional>

namespace shift {

// Notices, without any event from the user, that the wall clock has moved into another hour:
// the marks of today and of the shift working now change only on whole hours, and a window
// left open must follow them.
//
// It looks at the clock once a minute, just after each whole minute, and runs `newHour` when
// the date or the hour differs from the last look's. A timer aimed straight at the next whole
// hour would not do: a monotonic timer stops while the machine sleeps and knows nothing of a
// clock that is set, so it could fire hours late; one look a minute finds a new hour within a
// minute, however it came (the hour striking, a resume from suspend, a clock set by hand or by
// NTP). Nothing else runs in between, and nothing at all before start().
//
// Example: started at 23:59:30 on 1 October, it looks next at 00:00:00.05 on 2 October, runs
// newHour, and looks again at 00:01:00.05.
class HourWatch : public QObject {
    Q_OBJECT
public:
    // `readClock` reads the wall clock (it may also keep the reading, as the schedule does);
    // `newHour` is what a new hour brings. An exception from either leaves check() after the
    // next look has been set; from a look the timer takes, it ends in the error box
    // (error_box.h), and the looks go on.
    HourWatch(std::function<LocalDateTime()> readClock,
        std::function<void()> newHour,
        QObject *parent = nullptr);

    // Takes the date and hour of a first reading and sets the first look.
    void start();

    // One look at the clock, as the timer takes it: runs newHour when the date or the hour is
    // not the last look's, and sets the next look by this reading.
    void check();

    // Whether a look is set, and in how many milliseconds it comes.
    bool isActive() const { return m_timer.isActive(); }
    int remainingTime() const { return m_timer.remainingTime(); }

    // Milliseconds from `reading` to kLateMilliseconds after the next whole minute (1..60000 +
    // kLateMilliseconds). Examples: 23:59:30.000 -> 30050; 12:00:00.000 -> 60050.
    static int delayAfter(const LocalDateTime &reading);
    static constexpr int kLateMilliseconds = 50;

signals:
    // Emitted after every look, with or without a new hour; for tests.
    void looked();

private:
    struct Hour {
        int year = 0;
        int month = 0;
        int day = 0;
        int hour = -1;
        friend bool operator==(const Hour &, const Hour &) = default;
    };
    static Hour hourOf(const LocalDateTime &reading);
    void lookFromTimer();

    std::function<LocalDateTime()> m_readClock;
    std::function<void()> m_newHour;
    QTimer m_timer;
    Hour m_lastHour;
    bool m_looking = false;
};

} // namespace shift
