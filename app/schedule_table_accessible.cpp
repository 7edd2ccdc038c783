#include "app/schedule_table_accessible.h"

#include "app/main_window.h"
#include "app/schedule_focus.h"
#include "views/day_description.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QWindow>

#include <cstdint>

namespace shift {

namespace {

const QString kTableName = QStringLiteral("Skiftschema");

QRect onScreen(const QWidget &window, const PixelRect &area)
{
    return toQRect(area).translated(window.mapToGlobal(QPoint(0, 0)));
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

} // namespace

QAccessibleInterface *scheduleTableAccessible(ScheduleFocus &focus)
{
    return new ScheduleTableAccessible(focus);
}

} // namespace shift
