#include "app/schedule_accessibility.h"

#include "app/info_window.h"
#include "app/main_window.h"
#include "app/schedule_focus.h"
#include "app/schedule_table_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>

namespace shift {

namespace {

// The date panel reads as the button it is to the mouse, named with the date it shows, and
// offers its click as an action with its key.
class DatePanelAccessible : public QAccessibleWidget {
public:
    explicit DatePanelAccessible(TPanel &panel)
        : QAccessibleWidget(&panel, QAccessible::Button)
    {
    }

    TPanel &panel() const { return *static_cast<TPanel *>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && isValid())
            return QStringLiteral("I dag: ") + panel().Caption();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return { pressAction() }; }
    void doAction(const QString &name) override
    {
        if (name == pressAction() && isValid())
            panel().click();
    }
    QStringList keyBindingsForAction(const QString &name) const override
    {
        if (name != pressAction() || !isValid() || panel().shortcut().isEmpty())
            return {};
        return { panel().shortcut().toString(QKeySequence::PortableText) };
    }
};

QAccessibleInterface *accessibleFactory(const QString &key, QObject *object)
{
    if (!object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (key == QLatin1String(ScheduleFocus::staticMetaObject.className()))
        return scheduleTableAccessible(*static_cast<ScheduleFocus *>(object));
    if (key == QLatin1String(TPanel::staticMetaObject.className()))
        return new DatePanelAccessible(*static_cast<TPanel *>(object));
    if (key == QLatin1String(TForm1::staticMetaObject.className()))
        return new QAccessibleWidget(widget, QAccessible::Window);
    if (key == QLatin1String(TForm2::staticMetaObject.className()))
        return new QAccessibleWidget(widget, QAccessible::Dialog);
    if (key == QLatin1String(TRadioGroup::staticMetaObject.className()))
        return new QAccessibleWidget(widget, QAccessible::Grouping);
    return nullptr;
}

void describe(QWidget *widget, const QString &name, const QString &description)
{
    widget->setAccessibleName(name);
    widget->setAccessibleDescription(description);
}

void labelFor(QWidget *control, const QString &text)
{
    auto *label = new QLabel(text, control->parentWidget());
    label->setObjectName(control->objectName() + QStringLiteral("Label"));
    label->setBuddy(control);
    label->hide();
}

} // namespace

void installScheduleAccessibility()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(accessibleFactory);
}

void makeAccessible(TForm1 &window)
{
    describe(&window,
        QString(),
        QStringLiteral("Skiftschema för lagen A till E. Tabellen med schemat nås med Tab efter "
                       "Skriv ut; Ctrl+Home gör innevarande månad till startmånad."));
    describe(window.ComboBoxTeams,
        QStringLiteral("Skiftlag"),
        QStringLiteral("Välj vilket lag som visas, eller alla lag; bokstäverna A till E väljer "
                       "ett lag direkt."));
    describe(window.Panel1,
        QString(),
        QStringLiteral("Ett klick eller Ctrl+Home gör innevarande månad till startmånad."));
    describe(
        window.DecSlow, QStringLiteral("En månad bakåt"), QStringLiteral("1 månad bakåt i tiden"));
    describe(window.DecFast,
        QStringLiteral("Snabbt bakåt"),
        QStringLiteral("6 eller 12 månader bakåt i tiden"));
    describe(window.AddFast,
        QStringLiteral("Snabbt framåt"),
        QStringLiteral("6 eller 12 månader framåt i tiden"));
    describe(window.AddSlow,
        QStringLiteral("En månad framåt"),
        QStringLiteral("1 månad framåt i tiden"));
    describe(window.Info,
        QStringLiteral("Om programmet"),
        QStringLiteral("Öppnar fönstret med information om programmet."));
    describe(window.ComboBoxSchemaType,
        QStringLiteral("Lagrotation"),
        QStringLiteral("Välj lagrotation: Sudra med fyra lag eller Norda med fem lag."));
    describe(window.RadioGroupVisningstyp,
        QStringLiteral("Visa som"),
        QStringLiteral("Välj visningstyp: ett lags månad som kalender, eller flera månader."));
    describe(window.RadioGroupVisningstyp->button(0),
        QStringLiteral("Kalender"),
        QStringLiteral("En månad för ett lag, som ett kalenderblad."));
    describe(window.RadioGroupVisningstyp->button(1),
        QStringLiteral("Normal"),
        QStringLiteral("Sex månader för alla lag eller tolv månader för ett lag."));
    describe(window.Printout,
        QStringLiteral("Skriv ut"),
        QStringLiteral("Skriver ut den valda visningen på en sida."));

    // Qt names a list on Linux by its shown entry and lets a label name it, as screen readers
    // expect; the window has no caption beside its lists, so each gets one that is not shown.
    labelFor(window.ComboBoxTeams, window.ComboBoxTeams->accessibleName());
    labelFor(window.ComboBoxSchemaType, window.ComboBoxSchemaType->accessibleName());

    window.Panel1->setShortcut(kTodayKeys);
    auto *focus = new ScheduleFocus(window);
    QWidget::setTabOrder(window.Printout, focus);
}

void makeAccessible(TForm2 &window)
{
    describe(&window, QString(), QStringLiteral("Information om programmet."));
    describe(window.RichEdit1,
        QStringLiteral("Information om programmet"),
        QStringLiteral("Version, nyheter, rättade och kända problem och programmets historia."));
    describe(window.CloseWin, QStringLiteral("Stäng"), QStringLiteral("Stänger infofönstret."));
}

void scheduleRedrawn(TForm1 &window)
{
    if (auto *focus = window.findChild<ScheduleFocus *>(QString(), Qt::FindDirectChildrenOnly))
        focus->redrawn();
}

void scheduleTextsChanged(TForm1 &window)
{
    if (auto *focus = window.findChild<ScheduleFocus *>(QString(), Qt::FindDirectChildrenOnly))
        focus->textsChanged();
}

} // namespace shift
