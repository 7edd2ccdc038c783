#include "app/program_start.h"

#include "app/error_box.h"
#include "app/info_window.h"
#include "app/main_window.h"
#include "app/print_surface.h"

#include <QApplication>

#include <memory>

namespace shift {

namespace {

// Owns the three windows for the run and clears the globals that point at them, last window
// first, however the run ends.
class ProgramWindows {
public:
    ProgramWindows() = default;
    ProgramWindows(const ProgramWindows &) = delete;
    ProgramWindows &operator=(const ProgramWindows &) = delete;
    ~ProgramWindows()
    {
        Form3 = nullptr;
        m_form3.reset();
        Form2 = nullptr;
        m_form2.reset();
        Form1 = nullptr;
        m_form1.reset();
    }

    void createForm1(ShiftCalendar &calendar)
    {
        m_form1 = std::make_unique<TForm1>(calendar);
        Form1 = m_form1.get();
        Form1->FormCreate();
    }

    // The secondary windows set their globals and run their creation handlers as they are
    // constructed. They only hide when closed and never keep the program running.
    void createForm2()
    {
        m_form2 = std::make_unique<TForm2>(Form1);
        m_form2->setAttribute(Qt::WA_QuitOnClose, false);
        Form2 = m_form2.get();
    }

    void createForm3()
    {
        m_form3 = std::make_unique<TForm3>();
        m_form3->setAttribute(Qt::WA_QuitOnClose, false);
        Form3 = m_form3.get();
    }

private:
    std::unique_ptr<TForm1> m_form1;
    std::unique_ptr<TForm2> m_form2;
    std::unique_ptr<TForm3> m_form3;
};

} // namespace

int runProgram(ShiftCalendar &calendar, const std::function<void(TForm1 &)> &beforeLoop)
{
    try {
        ProgramWindows windows;
        windows.createForm1(calendar);
        windows.createForm2();
        windows.createForm3();
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
