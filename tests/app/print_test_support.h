#pragma once

// What a printed page of the schedule should show, for the printing tests.

#include "core/shift_calendar.h"
#include "views/month_calendar_view.h"
#include "views/multi_month_view.h"
#include "views/qpainter_surface.h"

#include <QImage>
#include <QPainter>

namespace printtest {

// The print layout of the view that the state selects, drawn straight onto a white bitmap of
// `clientSize` with the views' own calls: the image the page must carry.
inline QImage expectedPrintImage(shift::ShiftCalendar &calendar, QSize clientSize)
{
    QImage image(clientSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(shift::viewFont(16));
    shift::QPainterSurface surface(painter, shift::DrawingSurface::Target::PrintSurface);
    const shift::ScheduleState state = calendar.state();
    if (state.calendarView == 1)
        shift::drawMonthCalendar(
            calendar, state.startYear, state.startMonth, state.firstTeam, surface);
    else
        shift::drawMultiMonth(
            calendar, state.startYear, state.startMonth, state.firstTeam, state.lastTeam, surface);
    return image;
}

} // namespace printtest
