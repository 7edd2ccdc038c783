#include "app/print_command.h"

#include "app/print_surface.h"
#include "views/page_geometry.h"

#include <QPrinter>

namespace shift {

PrintCommand::PrintCommand(ShiftCalendar &calendar, QWidget *dialogOwner)
    : m_calendar(calendar)
    , m_setupDialog(dialogOwner)
{
}

void PrintCommand::print()
{
    const PixelSize page = printSurfaceSizeFor(m_calendar.state());
    Form3->setOuterHeight(page.height);
    Form3->setOuterWidth(page.width);
    redrawPrintSurface();

    if (!m_setupDialog.Execute())
        return;
    QPrinter &printer = m_setupDialog.printer();
    const QString name = printer.printerName();
    const int newestBefore = newestJobOf(name);
    printFormImage(*Form3, printer);
    if (const int job = submittedJob(name, newestBefore); job != 0)
        m_jobs.follow(name, job);
}

void PrintCommand::redrawPrintSurface()
{
    if (Form3 != nullptr)
        Form3->FormCreate();
}

} // namespace shift
