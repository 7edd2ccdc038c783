#include "app/schedule_accessibility.h"

#include "app/main_window.h"
#include "views/schedule_table.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QWindow>

namespace shift {

namespace {

using Target = DrawingSurface::Target;

QRect onScreen(const QWidget &window, const PixelRect &area)
{
    const QPoint topLeft = window.mapToGlobal(QPoint(area.left, area.top));
    return { topLeft, QSize(area.right - area.left, area.bottom - area.top) };
}

QString fromUtf8(const std::string &text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

class ScheduleTableAccessible;

class ScheduleCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    ScheduleCellAccessible(ScheduleTableAccessible &table, int row, int column)
        : m_table(table)
        , m_row(row)
        , m_column(column)
    {
    }

    bool isValid() const override;
    QObject *object() const override { return nullptr; }
    QWindow *window() const override;
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString &) override { }
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.readOnly = true;
        return state;
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface *>(this);
        return nullptr;
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface *> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_column; }
    int rowIndex() const override { return m_row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override;

private:
    ScheduleTableAccessible &m_table;
    int m_row;
    int m_column;
};

// Registered with Qt's accessibility cache, which owns it and its cells; the main window's
// destruction takes them out of it.
class ScheduleTableAccessible : public QAccessibleInterface, public QAccessibleTableInterface {
public:
    explicit ScheduleTableAccessible(TForm1 &window)
        : m_window(&window)
        , m_shape(window.calendar().state(), Target::MainWindow)
    {
    }

    // The table of the window's current state; when its shape differs from the one the cells
    // were made for, the cells go. Returns whether it changed.
    bool refresh() const;
    const ScheduleTable &shape() const
    {
        refresh();
        return m_shape;
    }
    TForm1 *form() const { return m_window.data(); }
    void dropCells() const;

    bool isValid() const override { return !m_window.isNull(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return isValid() ? m_window->windowHandle() : nullptr; }
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *parent() const override
    {
        return isValid() ? QAccessible::queryAccessibleInterface(m_window.data()) : nullptr;
    }
    QAccessibleInterface *child(int index) const override;
    int childCount() const override { return rowCount() * columnCount(); }
    int indexOfChild(const QAccessibleInterface *child) const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString &) override { }
    QRect rect() const override
    {
        return isValid() ? onScreen(*m_window, shape().area()) : QRect();
    }
    QAccessible::Role role() const override { return QAccessible::Table; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.readOnly = true;
        return state;
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface *>(this);
        return nullptr;
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

    bool holds(int row, int column) const
    {
        return isValid() && row >= 0 && column >= 0 && row < rowCount() && column < columnCount();
    }

private:
    QPointer<TForm1> m_window;
    mutable ScheduleTable m_shape;
    mutable QHash<int, QAccessible::Id> m_cells; // by row * columns + column
};

bool ScheduleCellAccessible::isValid() const
{
    return m_table.holds(m_row, m_column);
}

QWindow *ScheduleCellAccessible::window() const
{
    return m_table.window();
}

QAccessibleInterface *ScheduleCellAccessible::parent() const
{
    return &m_table;
}

QAccessibleInterface *ScheduleCellAccessible::table() const
{
    return &m_table;
}

QString ScheduleCellAccessible::text(QAccessible::Text t) const
{
    if (t != QAccessible::Name || !isValid())
        return {};
    TForm1 &form = *m_table.form();
    return fromUtf8(m_table.shape().cellText(form.calendar(), m_row, m_column));
}

QRect ScheduleCellAccessible::rect() const
{
    if (!isValid())
        return {};
    return onScreen(*m_table.form(), m_table.shape().cellArea(m_row, m_column));
}

bool ScheduleTableAccessible::refresh() const
{
    if (!isValid())
        return false;
    ScheduleTable current(m_window->calendar().state(), Target::MainWindow);
    if (current == m_shape)
        return false;
    dropCells();
    m_shape = std::move(current);
    return true;
}

void ScheduleTableAccessible::dropCells() const
{
    const QList<QAccessible::Id> cells = m_cells.values();
    m_cells.clear();
    for (const QAccessible::Id id : cells)
        QAccessible::deleteAccessibleInterface(id);
}

QAccessibleInterface *ScheduleTableAccessible::cellAt(int row, int column) const
{
    if (!holds(row, column))
        return nullptr;
    const int key = row * columnCount() + column;
    if (QAccessibleInterface *cell = QAccessible::accessibleInterface(m_cells.value(key, 0)))
        return cell;
    auto *cell
        = new ScheduleCellAccessible(const_cast<ScheduleTableAccessible &>(*this), row, column);
    m_cells.insert(key, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

QAccessibleInterface *ScheduleTableAccessible::child(int index) const
{
    const int columns = columnCount();
    if (index < 0 || columns == 0)
        return nullptr;
    return cellAt(index / columns, index % columns);
}

int ScheduleTableAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    const QAccessibleTableCellInterface *cell = child != nullptr
        ? const_cast<QAccessibleInterface *>(child)->tableCellInterface()
        : nullptr;
    if (cell == nullptr || cell->table() != this || !child->isValid())
        return -1;
    return cell->rowIndex() * columnCount() + cell->columnIndex();
}

QAccessibleInterface *ScheduleTableAccessible::childAt(int x, int y) const
{
    if (!isValid())
        return nullptr;
    const QPoint local = m_window->mapFromGlobal(QPoint(x, y));
    const auto [row, column] = shape().cellAt(local.x(), local.y());
    return cellAt(row, column);
}

QString ScheduleTableAccessible::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name:
        return QStringLiteral("Skiftschema");
    case QAccessible::Description:
        return QStringLiteral("En rad för varje dag, en kolumn för varje lag");
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
    return fromUtf8(shape().rowText(m_window->calendar(), row));
}

// The window as QAccessibleWidget makes it, with the schedule's table after its controls.
class MainWindowAccessible : public QAccessibleWidget {
public:
    explicit MainWindowAccessible(TForm1 &window)
        : QAccessibleWidget(&window, QAccessible::Window)
    {
        auto *table = new ScheduleTableAccessible(window);
        m_table = QAccessible::registerAccessibleInterface(table);
        const QAccessible::Id id = m_table;
        QObject::connect(&window, &QObject::destroyed, [id] {
            if (auto *gone
                = static_cast<ScheduleTableAccessible *>(QAccessible::accessibleInterface(id))) {
                gone->dropCells();
                QAccessible::deleteAccessibleInterface(id);
            }
        });
    }

    ScheduleTableAccessible *table() const
    {
        return static_cast<ScheduleTableAccessible *>(QAccessible::accessibleInterface(m_table));
    }

    int childCount() const override { return QAccessibleWidget::childCount() + 1; }
    QAccessibleInterface *child(int index) const override
    {
        if (index == QAccessibleWidget::childCount())
            return table();
        return QAccessibleWidget::child(index);
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (child != nullptr && child == table())
            return QAccessibleWidget::childCount();
        return QAccessibleWidget::indexOfChild(child);
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        if (QAccessibleInterface *control = QAccessibleWidget::childAt(x, y))
            return control;
        ScheduleTableAccessible *schedule = table();
        if (schedule != nullptr && schedule->rect().contains(x, y))
            return schedule;
        return nullptr;
    }

private:
    QAccessible::Id m_table = 0;
};

QAccessibleInterface *mainWindowFactory(const QString &key, QObject *object)
{
    if (key == QLatin1String(TForm1::staticMetaObject.className()) && object->isWidgetType())
        return new MainWindowAccessible(*static_cast<TForm1 *>(object));
    return nullptr;
}

} // namespace

void installScheduleAccessibility()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(mainWindowFactory);
}

void scheduleRedrawn(TForm1 &window)
{
    if (!QAccessible::isActive())
        return;
    auto *main
        = dynamic_cast<MainWindowAccessible *>(QAccessible::queryAccessibleInterface(&window));
    ScheduleTableAccessible *table = main != nullptr ? main->table() : nullptr;
    if (table == nullptr || !table->refresh())
        return;
    QAccessibleTableModelChangeEvent reset(table, QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&reset);
}

} // namespace shift
