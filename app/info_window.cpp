#include "info_window.h"

#include "app/dialog_fonts.h"
#include "app/schedule_accessibility.h"
#include "app/window_frame.h"
#include "version/version.h"

#include <QCloseEvent>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QTextEdit>
#include <QWindow>

namespace shift {

TForm2 *Form2 = nullptr;

namespace {

constexpr QSize kClientSize { 416, 410 };

// The information text, line by line; the box wraps long lines at its width.
constexpr const char *kInfoLines[] = {
    "ShiftSchedule version " SHIFT_VERSION ", " SHIFT_RELEASE_DATE ". Programmet är fri "
    "programvara: det får användas, kopieras och delas ut fritt.",
    "ShiftSchedule utvecklas av ShiftSchedule-projektet. Frågor och felrapporter tas emot i "
    "projektets ärendelista.",
    "Nya versioner och uppdateringar publiceras på projektets sida.",
    "",
    "Nytt i den här versionen:",
    "- 1.1: Schemats regler på ett enda ställe; säkrare filer och utskrift; nästa skift, "
    "timmar och skiftbyten på kommandoraden; publicerade kalendrar; skarpare utskrift.",
    "- 1.0: Programmet körs nu som ett vanligt fönsterprogram på Linux.",
    "- 0.9: Månadskalendern visar veckonummer och helgdagarnas namn.",
    "- 0.8: Norda-rotationen med fem lag och tolvtimmarsskift på helger.",
    "- 0.7: Alla fem lag kan visas sida vid sida i sex månader.",
    "- 0.6: Helgdagsaftnar och produktionsstopp markeras.",
    "- Ny layout av visningen.",
    "- Utskrift av scheman.",
    "- Omarbetad rättning för datorer inställda på stora teckensnitt.",
    "- Koden har trimmats.",
    "- Hjälptexter visas när muspekaren vilar på knapparna.",
    "",
    "Tidigare rättade problem:",
    "1. Nyårsdagen visades inte som helgdag.",
    "2. Problem med inställningen för stora teckensnitt.",
    "3. Nattskiftet visades fel efter midnatt.",
    "4. Fel påskdag under skottår.",
    "5. Färgerna har ändrats, och veckornas slut och början markeras.",
    "6. Alla helgons dag är tillbaka.",
    "7. Kalendervisningen har lagts till.",
    "8. Valet av schema har ändrats.",
    "",
    "Kända problem:",
    "- Vid skärmupplösningar under 800 × 600 syns inte hela schemat, eftersom fönstret är så "
    "stort.",
    "- Utskriften börjar direkt, utan att fråga hur utskriften ska se ut.",
    "",
    "Programmets historia:",
    "Schemat fanns först i tidigare versioner på andra datorer och system, innan programmet "
    "fick sitt nuvarande fönster. Alla beräkningar av veckonummer, påsk, helgdagar och "
    "skiftrotation är projektets egna och klarar år 2000; startdatum hämtas från datorns klocka.",
    "",
    "Skriv gärna till projektet med frågor, fel och förslag!",
    "",
    " ",
};

QString infoText()
{
    QStringList lines;
    for (const char *line : kInfoLines)
        lines << QString::fromUtf8(line);
    return lines.join(QLatin1Char('\n'));
}

} // namespace

TForm2::TForm2(QWidget *owner)
    : QWidget(owner,
        Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
            | Qt::WindowCloseButtonHint)
    , Label1(new QLabel(this))
    , RichEdit1(new QTextEdit(this))
    , CloseWin(new QPushButton(this))
{
    Form2 = this;
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Info"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(kClientSize);
    setFont(msSansSerif(11));
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);

    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(msSansSerif(13));
    Label1->setText(QStringLiteral("ShiftSchedule info"));
    // Grows with its text, as a label that sizes itself does.
    Label1->setGeometry(152, 8, qMax(99, Label1->sizeHint().width()), 16);

    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setGeometry(8, 32, 401, 329);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    RichEdit1->setLineWrapMode(QTextEdit::WidgetWidth);
    RichEdit1->setReadOnly(false);
    // Tab moves on to the button instead of typing a tab into the text.
    RichEdit1->setTabChangesFocus(true);
    RichEdit1->setPlainText(infoText());

    CloseWin->setObjectName(QStringLiteral("CloseWin"));
    CloseWin->setText(QStringLiteral("Stäng"));
    CloseWin->setFont(msSansSerif(19));
    CloseWin->setGeometry(144, 368, 121, 33);
    // Enter presses the focused button, as Space does; this is no QDialog that would do it.
    CloseWin->setAutoDefault(true);
    connect(CloseWin, &QPushButton::clicked, this, &TForm2::CloseWinClick);

    setTabOrder(CloseWin, RichEdit1);
    // The window opens with the button focused; later openings keep whatever had the focus.
    CloseWin->setFocus();

    makeAccessible(*this);
}

TForm2::~TForm2()
{
    if (Form2 == this)
        Form2 = nullptr;
}

void TForm2::CloseWinClick()
{
    hide();
}

void TForm2::closeEvent(QCloseEvent *event)
{
    event->ignore();
    hide();
}

void TForm2::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TForm2::showEvent(QShowEvent *event)
{
    if (!m_placed) {
        m_placed = true;
        // A window that belongs to no screen yet opens on the primary one; on several monitors
        // it belongs on the owner's, where the user is looking.
        if (parentWidget() != nullptr && windowHandle() != nullptr)
            windowHandle()->setScreen(parentWidget()->screen());
        m_placement.place(*this);
    }
    QWidget::showEvent(event);
}

} // namespace shift
