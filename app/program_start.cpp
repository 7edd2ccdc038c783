#include "app/program_start.h"

#include "app/error_box.h"
#include "app/main_window.h"
#include "app/print_surface.h"
#include "core/days_database.h"
#include "views/active_view.h"

#include <QApplication>

#include <memory>

namespace shift {

namespace {

// Owns the main window and the print surface for the run and clears the globals that point at
// them, last window first, however the run ends. The info window, made by the main window on
// its first Info click, is the main window's own (its Qt child, which keeps it above the main
// window) and goes with it.
class ProgramWindows {
public:
    ProgramWindows() = default;
    ProgramWindows(const ProgramWindows &) = delete;
    ProgramWindows &operator=(const ProgramWindows &) = delete;
    ~ProgramWindows()
    {
        Form3 = nullptr;
        m_form3.reset();
        Form1 = nullptr;
        m_form1.reset();
    }

    void createForm1(ShiftCalendar &calendar)
    {
        m_form1 = std::make_unique<TForm1>(calendar);
        Form1 = m_form1.get();
        Form1->FormCreate();
        const std::string myDays = defaultDaysDatabasePath();
        if (!myDays.empty())
            Form1->followMyDays(QString::fromStdString(myDays));
    }

    // The print surface sets its global and runs its creation handler as it is constructed; it
    // draws what the main window shows, in its print layout, and is never shown.
    void createForm3(ShiftCalendar &calendar)
    {
        m_form3
            = std::make_unique<TForm3>([&calendar, form1 = m_form1.get()](DrawingSurface &surface) {
                  drawActiveView(calendar, surface, form1->myRoster());
              });
    }

private:
    std::unique_ptr<TForm1> m_form1;
    std::unique_ptr<TForm3> m_form3;
};

} // namespace

void prepareUnscaledApplication()
{
    if (!qEnvironmentVariableIsSet("QT_ENABLE_HIGHDPI_SCALING"))
        qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    // Qt's styles scale their metrics by the fonts' pixels per inch (the logical dpi, Xft.dpi
    // under X); with a scale factor on top they would be scaled twice.
    QCoreApplication::setAttribute(Qt::AA_Use96Dpi);
}

int runProgram(ShiftCalendar &calendar, const std::function<void(TForm1 &)> &beforeLoop)
{
    try {
        ProgramWindows windows;
        windows.createForm1(calendar);
        windows.createForm3(calendar);
        if (beforeLoop)
            beforeLoop(*Form1);
        Form1->show();
        QApplication::exec();
    } catch (const std::exception &error) {
        showError(error);
    }
    return 0;
}

} // namespace shift
