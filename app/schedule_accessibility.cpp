#include "app/schedule_accessibility.h"

#include "app/info_window.h"
#include "app/main_window.h"
#include "views/day_description.h"
#include "views/schedule_table.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QToolTip>
#include <QWindow>

#include <algorithm>
#include <cstdint>

namespace shift {

// The keyboard's way into the drawn schedule: a child of the main window that draws nothing,
// lets every mouse event through to the window beneath and covers the window right of the
// control column. It holds the focused cell, which stays valid whether or not assistive
// technology listens; its accessible interface is the schedule's table.
class ScheduleFocus : public QWidget {
    Q_OBJECT
public:
    explicit ScheduleFocus(TForm1 &window);

    TForm1 &form() const { return m_window; }

    // The table of the window's state now; generation() grows whenever its shape changes.
    const ScheduleTable &shape() const
    {
        refresh();
        return m_shape;
    }
    std::uint64_t generation() const
    {
        refresh();
        return m_generation;
    }

    // The focused cell: where the keys left it, or before any, today's row (else the first)
    // and the first team.
    int currentRow() const;
    int currentColumn() const;

    // After a redraw: the focused cell follows its day and team into the new shape.
    void redrawn();
    // After the cells' texts changed in the same shape: the table is told as after a new shape.
    void textsChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    // Neither calls QWidget's, which would repaint the view beneath for a focus frame that is
    // never drawn.
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *) override { }

private:
    bool refresh() const;
    int todayRow() const;
    void moveTo(int row, int column);
    void announce();
    void showTip();
    void coverWindow();

    TForm1 &m_window;
    mutable ScheduleTable m_shape;
    mutable std::uint64_t m_generation = 0;
    mutable int m_row = -1; // -1 until the focus first comes, or when its day went
    mutable int m_column = 0;
};

namespace {

using Target = DrawingSurface::Target;

// The control column ends at x 106; the schedule is drawn to the right of it.
constexpr int kControlColumnRight = 107;

const QString kTableName = QStringLiteral("Skiftschema");

QRect toQRect(const PixelRect &area)
{
    return { area.left, area.top, area.right - area.left, area.bottom - area.top };
}

QRect onScreen(const QWidget &window, const PixelRect &area)
{
    return toQRect(area).translated(window.mapToGlobal(QPoint(0, 0)));
}

QString fromUtf8(const std::string &text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

class ScheduleTableAccessible;

// A child of the table, cell or header, at a fixed child index of one shape of the table; no
// longer valid once the shape has changed.
class TablePart : public QAccessibleInterface {
public:
    TablePart(ScheduleTableAccessible &table, int index);

    ScheduleTableAccessible &table() const { return m_table; }
    int index() const { return m_index; }

    bool isValid() const override;
    QObject *object() const override { return nullptr; }
    QWindow *window() const override;
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    void setText(QAccessible::Text, const QString &) override { }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.readOnly = true;
        return state;
    }

private:
    ScheduleTableAccessible &m_table;
    int m_index;
    std::uint64_t m_generation;
};

class ScheduleCellAccessible : public TablePart,
                               public QAccessibleTableCellInterface,
                               public QAccessibleTextInterface {
public:
    ScheduleCellAccessible(ScheduleTableAccessible &table, int index, int row, int column)
        : TablePart(table, index)
        , m_row(row)
        , m_column(column)
    {
    }

    QString text(QAccessible::Text t) const override;
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface *>(this);
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return nullptr;
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface *> columnHeaderCells() const override;
    QList<QAccessibleInterface *> rowHeaderCells() const override;
    int columnIndex() const override { return m_column; }
    int rowIndex() const override { return m_row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override;

    // The text is the name, read-only, without a caret or a selection.
    void selection(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = 0;
        *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override { }
    void removeSelection(int) override { }
    void setSelection(int, int, int) override { }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override { }
    QString text(int startOffset, int endOffset) const override
    {
        return text(QAccessible::Name).mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(text(QAccessible::Name).size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override { }
    QString attributes(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

private:
    int m_row;
    int m_column;
};

// A team's column header or a day's row header. They stand where the view draws no cell of
// their own, so they have no rectangle.
class ScheduleHeaderAccessible : public TablePart {
public:
    ScheduleHeaderAccessible(
        ScheduleTableAccessible &table, int index, QAccessible::Role role, int line)
        : TablePart(table, index)
        , m_role(role)
        , m_line(line)
    {
    }

    QString text(QAccessible::Text t) const override;
    QRect rect() const override { return {}; }
    QAccessible::Role role() const override { return m_role; }

private:
    QAccessible::Role m_role;
    int m_line; // the column or the row
};

// Registered with Qt's accessibility cache, like every interface of an object; its cells and
// headers too, made when first asked for. Those of an older shape are dropped when the first
// part of a new one is made, never while a part's own function runs.
class ScheduleTableAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit ScheduleTableAccessible(ScheduleFocus &focus)
        : QAccessibleWidget(&focus, QAccessible::Table)
    {
    }
    ~ScheduleTableAccessible() override { dropChildren(); }

    ScheduleFocus &focus() const { return *static_cast<ScheduleFocus *>(widget()); }
    TForm1 &form() const { return focus().form(); }

    const ScheduleTable &shape() const { return focus().shape(); }
    std::uint64_t generation() const { return focus().generation(); }
    int cellCount() const { return shape().rowCount() * shape().columnCount(); }
    bool holds(int row, int column) const
    {
        return isValid() && row >= 0 && column >= 0 && row < rowCount() && column < columnCount();
    }
    QAccessibleInterface *columnHeader(int column) const;
    QAccessibleInterface *rowHeader(int row) const;

    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *child(int index) const override;
    int childCount() const override
    {
        return isValid() ? cellCount() + columnCount() + rowCount() : 0;
    }
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *focusChild() const override;
    QString text(QAccessible::Text t) const override;
    QRect rect() const override { return isValid() ? onScreen(form(), shape().area()) : QRect(); }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        return state;
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override;
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface *> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return isValid() ? shape().columnCount() : 0; }
    int rowCount() const override { return isValid() ? shape().rowCount() : 0; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *) override { }

private:
    template <typename Make>
    QAccessibleInterface *part(int index, Make make) const
    {
        if (m_generation != generation()) {
            dropChildren();
            m_generation = generation();
        }
        if (QAccessibleInterface *known = QAccessible::accessibleInterface(m_parts.value(index, 0)))
            return known;
        QAccessibleInterface *made = make(const_cast<ScheduleTableAccessible &>(*this));
        m_parts.insert(index, QAccessible::registerAccessibleInterface(made));
        return made;
    }
    void dropChildren() const
    {
        const QList<QAccessible::Id> parts = m_parts.values();
        m_parts.clear();
        for (const QAccessible::Id id : parts)
            QAccessible::deleteAccessibleInterface(id);
    }

    mutable std::uint64_t m_generation = 0;
    mutable QHash<int, QAccessible::Id> m_parts; // by child index
};

TablePart::TablePart(ScheduleTableAccessible &table, int index)
    : m_table(table)
    , m_index(index)
    , m_generation(table.generation())
{
}

bool TablePart::isValid() const
{
    return m_table.isValid() && m_generation == m_table.generation();
}

QWindow *TablePart::window() const
{
    return m_table.window();
}

QAccessibleInterface *TablePart::parent() const
{
    return &m_table;
}

QString ScheduleCellAccessible::text(QAccessible::Text t) const
{
    if (!isValid())
        return {};
    ScheduleTableAccessible &grid = TablePart::table();
    const ScheduleTable &shape = grid.shape();
    ShiftCalendar &calendar = grid.form().calendar();
    switch (t) {
    case QAccessible::Name:
        return fromUtf8(shape.cellText(calendar, m_row, m_column, grid.form().myRoster()));
    case QAccessible::Description:
        return fromUtf8(describeClockMarks(calendar, shape.day(m_row), shape.team(m_column)));
    default:
        return {};
    }
}

QRect ScheduleCellAccessible::rect() const
{
    if (!isValid())
        return {};
    ScheduleTableAccessible &grid = TablePart::table();
    return onScreen(grid.form(), grid.shape().cellArea(m_row, m_column));
}

QAccessible::State ScheduleCellAccessible::state() const
{
    QAccessible::State state = TablePart::state();
    state.focusable = true;
    const ScheduleFocus &focus = TablePart::table().focus();
    state.focused = isValid() && focus.hasFocus() && focus.currentRow() == m_row
        && focus.currentColumn() == m_column;
    return state;
}

QList<QAccessibleInterface *> ScheduleCellAccessible::columnHeaderCells() const
{
    // A stale cell must not make the table drop its parts, itself among them, under it.
    if (!isValid())
        return {};
    QAccessibleInterface *header = TablePart::table().columnHeader(m_column);
    return header != nullptr ? QList { header } : QList<QAccessibleInterface *> {};
}

QList<QAccessibleInterface *> ScheduleCellAccessible::rowHeaderCells() const
{
    if (!isValid())
        return {};
    QAccessibleInterface *header = TablePart::table().rowHeader(m_row);
    return header != nullptr ? QList { header } : QList<QAccessibleInterface *> {};
}

QAccessibleInterface *ScheduleCellAccessible::table() const
{
    return &TablePart::table();
}

QString ScheduleHeaderAccessible::text(QAccessible::Text t) const
{
    if (!isValid())
        return {};
    const ScheduleTable &shape = table().shape();
    ShiftCalendar &calendar = table().form().calendar();
    if (m_role == QAccessible::ColumnHeader)
        return t == QAccessible::Name ? fromUtf8(shape.columnText(m_line)) : QString();
    switch (t) {
    case QAccessible::Name:
        return fromUtf8(describeDate(calendar, shape.day(m_line)));
    case QAccessible::Description:
        return fromUtf8(describeClockMarks(calendar, shape.day(m_line), DaySpot::kRowLabels));
    default:
        return {};
    }
}

QAccessibleInterface *ScheduleTableAccessible::cellAt(int row, int column) const
{
    if (!holds(row, column))
        return nullptr;
    const int index = row * columnCount() + column;
    return part(index, [index, row, column](ScheduleTableAccessible &table) {
        return new ScheduleCellAccessible(table, index, row, column);
    });
}

QAccessibleInterface *ScheduleTableAccessible::columnHeader(int column) const
{
    if (!holds(0, column))
        return nullptr;
    const int index = cellCount() + column;
    return part(index, [index, column](ScheduleTableAccessible &table) {
        return new ScheduleHeaderAccessible(table, index, QAccessible::ColumnHeader, column);
    });
}

QAccessibleInterface *ScheduleTableAccessible::rowHeader(int row) const
{
    if (!holds(row, 0))
        return nullptr;
    const int index = cellCount() + columnCount() + row;
    return part(index, [index, row](ScheduleTableAccessible &table) {
        return new ScheduleHeaderAccessible(table, index, QAccessible::RowHeader, row);
    });
}

QAccessibleInterface *ScheduleTableAccessible::child(int index) const
{
    const int columns = columnCount();
    const int cells = cellCount();
    if (index < 0 || columns == 0 || index >= childCount())
        return nullptr;
    if (index < cells)
        return cellAt(index / columns, index % columns);
    if (index < cells + columns)
        return columnHeader(index - cells);
    return rowHeader(index - cells - columns);
}

int ScheduleTableAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    const auto *part = dynamic_cast<const TablePart *>(child);
    if (part == nullptr || &part->table() != this || !part->isValid())
        return -1;
    return part->index();
}

QAccessibleInterface *ScheduleTableAccessible::childAt(int x, int y) const
{
    if (!isValid())
        return nullptr;
    const QPoint local = form().mapFromGlobal(QPoint(x, y));
    const auto [row, column] = shape().cellAt(local.x(), local.y());
    return cellAt(row, column);
}

QAccessibleInterface *ScheduleTableAccessible::focusChild() const
{
    if (!isValid() || !focus().hasFocus())
        return nullptr;
    return cellAt(focus().currentRow(), focus().currentColumn());
}

QString ScheduleTableAccessible::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name:
        return kTableName;
    case QAccessible::Description:
        return QStringLiteral("En rad för varje dag, en kolumn för varje lag. Piltangenterna "
                              "flyttar en dag eller ett lag, Home och End till första och sista "
                              "dagen.");
    default:
        return {};
    }
}

QString ScheduleTableAccessible::columnDescription(int column) const
{
    if (!holds(0, column))
        return {};
    return fromUtf8(shape().columnText(column));
}

QString ScheduleTableAccessible::rowDescription(int row) const
{
    if (!holds(row, 0))
        return {};
    return fromUtf8(shape().rowText(form().calendar(), row));
}

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
        return new ScheduleTableAccessible(*static_cast<ScheduleFocus *>(object));
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

ScheduleFocus::ScheduleFocus(TForm1 &window)
    : QWidget(&window)
    , m_window(window)
    , m_shape(window.calendar().state(), Target::MainWindow)
{
    setObjectName(QStringLiteral("ScheduleTable"));
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    coverWindow();
    window.installEventFilter(this);
}

bool ScheduleFocus::refresh() const
{
    ScheduleTable now(m_window.calendar().state(), Target::MainWindow);
    if (now == m_shape)
        return false;
    if (m_row >= 0 && m_row < m_shape.rowCount()) {
        const ShownDay day = m_shape.day(m_row);
        const int team = m_shape.team(m_column);
        m_row = -1;
        for (int row = 0; row < now.rowCount(); ++row) {
            if (now.day(row) == day)
                m_row = row;
        }
        const int column = team - now.team(0);
        m_column = column >= 0 && column < now.columnCount() ? column : 0;
    }
    m_shape = std::move(now);
    ++m_generation;
    return true;
}

int ScheduleFocus::todayRow() const
{
    const ScheduleState &s = m_window.calendar().state();
    const ShownDay today { s.year, s.month - 1, s.day };
    for (int row = 0; row < m_shape.rowCount(); ++row) {
        if (m_shape.day(row) == today)
            return row;
    }
    return 0;
}

int ScheduleFocus::currentRow() const
{
    refresh();
    return m_row >= 0 ? m_row : todayRow();
}

int ScheduleFocus::currentColumn() const
{
    refresh();
    return m_column;
}

void ScheduleFocus::redrawn()
{
    if (refresh())
        textsChanged();
}

void ScheduleFocus::textsChanged()
{
    refresh();
    if (!QAccessible::isActive())
        return;
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(this);
    if (table == nullptr)
        return;
    QAccessibleTableModelChangeEvent reset(table, QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&reset);
    if (hasFocus())
        announce();
}

bool ScheduleFocus::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_window && event->type() == QEvent::Resize)
        coverWindow();
    return QWidget::eventFilter(watched, event);
}

void ScheduleFocus::coverWindow()
{
    setGeometry(kControlColumnRight,
        0,
        std::max(0, m_window.width() - kControlColumnRight),
        m_window.height());
}

void ScheduleFocus::keyPressEvent(QKeyEvent *event)
{
    if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    int row = currentRow();
    int column = currentColumn();
    switch (event->key()) {
    case Qt::Key_Up:
        --row;
        break;
    case Qt::Key_Down:
        ++row;
        break;
    case Qt::Key_Left:
        --column;
        break;
    case Qt::Key_Right:
        ++column;
        break;
    case Qt::Key_Home:
        row = 0;
        break;
    case Qt::Key_End:
        row = m_shape.rowCount() - 1;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    moveTo(std::clamp(row, 0, m_shape.rowCount() - 1),
        std::clamp(column, 0, m_shape.columnCount() - 1));
}

void ScheduleFocus::moveTo(int row, int column)
{
    const bool moved = row != currentRow() || column != currentColumn();
    m_row = row;
    m_column = column;
    showTip();
    if (moved)
        announce();
}

void ScheduleFocus::focusInEvent(QFocusEvent *)
{
    if (m_row < 0) {
        m_row = currentRow();
        m_column = 0;
    }
    showTip();
    // Qt announces this widget, the table, once the focus is in; the cell comes after it.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (hasFocus())
                announce();
        },
        Qt::QueuedConnection);
}

void ScheduleFocus::focusOutEvent(QFocusEvent *)
{
    QToolTip::hideText();
}

void ScheduleFocus::announce()
{
    if (!QAccessible::isActive())
        return;
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(this);
    QAccessibleTableInterface *grid = table != nullptr ? table->tableInterface() : nullptr;
    QAccessibleInterface *cell
        = grid != nullptr ? grid->cellAt(currentRow(), currentColumn()) : nullptr;
    if (cell == nullptr)
        return;
    QAccessibleEvent focus(cell, QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
}

// What the mouse would show resting on the cell, beside it, for whoever sees the screen.
void ScheduleFocus::showTip()
{
    const int row = currentRow();
    const int column = currentColumn();
    const QRect cell = toQRect(m_shape.cellArea(row, column)).translated(-pos());
    QToolTip::showText(mapToGlobal(cell.bottomRight()),
        fromUtf8(m_shape.cellText(m_window.calendar(), row, column, m_window.myRoster())),
        this,
        cell);
}

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

#include "schedule_accessibility.moc"
