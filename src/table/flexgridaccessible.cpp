#include "flexgridaccessible.h"

#include "flexgrid.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <utility>

namespace {

bool isMarked(const FlexGrid &grid, int row)
{
    return row >= 1 && row == grid.markedRow();
}

QList<int> markedRows(const FlexGrid &grid)
{
    QList<int> rows;
    for (int row = 1; row < grid.Rows(); ++row) {
        if (isMarked(grid, row))
            rows.append(row);
    }
    return rows;
}

class GridTable;

// One cell of the grid. Row 0 holds the column titles; a receiver row's
// RX cell is the header of its row.
class GridCell : public QAccessibleInterface, public QAccessibleTableCellInterface
{
public:
    GridCell(FlexGrid *grid, int row, int col)
        : grid_(grid)
        , row_(row)
        , col_(col)
    { }

    const FlexGrid *grid() const { return grid_; }

    bool isValid() const override { return grid_ && row_ < grid_->Rows() && col_ < grid_->Cols(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return grid_ ? grid_->window()->windowHandle() : nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(grid_); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }

    QString text(QAccessible::Text t) const override
    {
        if (!isValid())
            return {};
        const QString shown = grid_->TextMatrix(row_, col_);
        if (t == QAccessible::Value)
            return shown;
        if (t != QAccessible::Name)
            return {};
        if (row_ == 0)
            return shown;
        const QString receiver = FlexGrid::tr("Receiver %1").arg(row_);
        if (col_ == 0)
            return receiver;
        const QString title = grid_->TextMatrix(0, col_);
        // An empty cell read as its bare title would sound like a header.
        return shown.isEmpty() ? FlexGrid::tr("%1, %2, empty").arg(receiver, title)
                               : FlexGrid::tr("%1, %2 %3").arg(receiver, title, shown);
    }
    void setText(QAccessible::Text, const QString &) override { }

    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect inView = grid_->visualItemRect(grid_->item(row_, col_));
        return QRect(grid_->viewport()->mapToGlobal(inView.topLeft()), inView.size());
    }
    QAccessible::Role role() const override
    {
        return row_ == 0 ? QAccessible::ColumnHeader : QAccessible::Cell;
    }
    QAccessible::State state() const override
    {
        QAccessible::State st;
        if (!isValid()) {
            st.invalid = true;
            return st;
        }
        const QRect inView = grid_->visualItemRect(grid_->item(row_, col_));
        st.invisible = !grid_->isVisible() || !grid_->viewport()->rect().intersects(inView);
        st.readOnly = true;
        if (row_ == 0)
            return st;
        st.selectable = true;
        st.focusable = true;
        st.selected = isMarked(*grid_, row_);
        // Only the object that has the keyboard focus says so.
        st.focused = grid_->hasFocus() && grid_->currentRow() == row_ && grid_->currentColumn() == col_;
        return st;
    }
    void *interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface *>(this)
                                                    : nullptr;
    }

    bool isSelected() const override { return isValid() && isMarked(*grid_, row_); }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    int columnIndex() const override { return col_; }
    int rowIndex() const override { return row_; }
    QList<QAccessibleInterface *> columnHeaderCells() const override;
    QList<QAccessibleInterface *> rowHeaderCells() const override;
    QAccessibleInterface *table() const override { return parent(); }

private:
    QPointer<FlexGrid> grid_;
    int row_;
    int col_;
};

class GridTable : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit GridTable(FlexGrid *grid)
        : QAccessibleWidget(grid, QAccessible::Table)
    { }
    ~GridTable() override
    {
        for (QAccessible::Id id : std::as_const(cells_))
            QAccessible::deleteAccessibleInterface(id);
    }

    FlexGrid *grid() const { return static_cast<FlexGrid *>(widget()); }

    void *interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface *>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    // The table keeps its cells, so a reader meets the same object for a
    // cell each time it asks; one deleted by someone else is made anew.
    QAccessibleInterface *cellAt(int row, int col) const override
    {
        if (row < 0 || col < 0 || row >= grid()->Rows() || col >= grid()->Cols())
            return nullptr;
        const auto place = qMakePair(row, col);
        if (QAccessibleInterface *kept = QAccessible::accessibleInterface(cells_.value(place)))
            return kept;
        auto *made = new GridCell(grid(), row, col);
        cells_.insert(place, QAccessible::registerAccessibleInterface(made));
        return made;
    }

    int childCount() const override { return grid()->Rows() * grid()->Cols(); }
    QAccessibleInterface *child(int index) const override
    {
        const int cols = grid()->Cols();
        return index < 0 || cols == 0 ? nullptr : cellAt(index / cols, index % cols);
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        const auto *cell = dynamic_cast<const GridCell *>(child);
        if (!cell || cell->grid() != grid())
            return -1;
        return cell->rowIndex() * grid()->Cols() + cell->columnIndex();
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QModelIndex index = grid()->indexAt(grid()->viewport()->mapFromGlobal(QPoint(x, y)));
        return index.isValid() ? cellAt(index.row(), index.column()) : nullptr;
    }
    QAccessibleInterface *focusChild() const override
    {
        const int row = grid()->currentRow();
        return grid()->hasFocus() && row >= 1 ? cellAt(row, grid()->currentColumn()) : nullptr;
    }

    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    int columnCount() const override { return grid()->Cols(); }
    int rowCount() const override { return grid()->Rows(); }
    QString columnDescription(int col) const override { return grid()->TextMatrix(0, col); }
    QString rowDescription(int row) const override
    {
        return row >= 1 ? FlexGrid::tr("Receiver %1").arg(row) : QString();
    }

    // The red-marked row is the selection; nothing else can be selected.
    QList<int> selectedRows() const override { return markedRows(*grid()); }
    int selectedRowCount() const override { return int(selectedRows().size()); }
    bool isRowSelected(int row) const override { return isMarked(*grid(), row); }
    QList<QAccessibleInterface *> selectedCells() const override
    {
        QList<QAccessibleInterface *> cells;
        for (int row : selectedRows()) {
            for (int col = 0; col < grid()->Cols(); ++col)
                cells.append(cellAt(row, col));
        }
        return cells;
    }
    int selectedCellCount() const override { return selectedRowCount() * grid()->Cols(); }
    QList<int> selectedColumns() const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    bool isColumnSelected(int) const override { return false; }
    // A row is chosen by the operator's click or key, which also sets the
    // buttons; a reader cannot choose one behind their back.
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }

    void modelChange(QAccessibleTableModelChangeEvent *) override
    {
        for (auto it = cells_.begin(); it != cells_.end();) {
            if (it.key().first < grid()->Rows() && it.key().second < grid()->Cols()) {
                ++it;
                continue;
            }
            QAccessible::deleteAccessibleInterface(it.value());
            it = cells_.erase(it);
        }
    }

private:
    mutable QHash<QPair<int, int>, QAccessible::Id> cells_;
};

// A title cell is its own column header, and an RX cell its own row header:
// a reader asks the table's first row and column for the headers.
QList<QAccessibleInterface *> GridCell::columnHeaderCells() const
{
    if (!isValid())
        return {};
    return {static_cast<GridTable *>(parent())->cellAt(0, col_)};
}

QList<QAccessibleInterface *> GridCell::rowHeaderCells() const
{
    if (!isValid() || row_ == 0)
        return {};
    return {static_cast<GridTable *>(parent())->cellAt(row_, 0)};
}

QAccessibleInterface *gridTableFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String(FlexGrid::staticMetaObject.className()) && object->isWidgetType())
        return new GridTable(static_cast<FlexGrid *>(object));
    return nullptr;
}

GridTable *tableOf(FlexGrid *grid)
{
    if (!QAccessible::isActive())
        return nullptr;
    return dynamic_cast<GridTable *>(QAccessible::queryAccessibleInterface(grid));
}

// The mark is redrawn cell by cell (cleared everywhere, then set), so the
// selection is told once the handler is done, and only where it changed.
struct MarkAnnouncer
{
    QList<int> told;
    bool pending = false;

    static void schedule(FlexGrid *grid, const std::shared_ptr<MarkAnnouncer> &announcer)
    {
        if (std::exchange(announcer->pending, true))
            return;
        QTimer::singleShot(0, grid, [grid, announcer] { announcer->tell(grid); });
    }

    void tell(FlexGrid *grid)
    {
        pending = false;
        const QList<int> now = markedRows(*grid);
        if (now == told)
            return;
        const QList<int> before = told;
        told = now;
        GridTable *table = tableOf(grid);
        if (!table)
            return;
        for (int row = 1; row < grid->Rows(); ++row) {
            if (before.contains(row) == now.contains(row))
                continue;
            const auto change = now.contains(row) ? QAccessible::SelectionAdd : QAccessible::SelectionRemove;
            for (int col = 0; col < grid->Cols(); ++col) {
                QAccessibleEvent changed(table->cellAt(row, col), change);
                QAccessible::updateAccessibility(&changed);
            }
        }
        QAccessibleEvent within(table, QAccessible::SelectionWithin);
        QAccessible::updateAccessibility(&within);
    }
};

} // namespace

void exposeToScreenReaders(FlexGrid *grid)
{
    static const bool installed = [] {
        QAccessible::installFactory(gridTableFactory);
        return true;
    }();
    Q_UNUSED(installed);
    auto announcer = std::make_shared<MarkAnnouncer>();
    const QAbstractItemModel *model = grid->model();
    QObject::connect(
        model, &QAbstractItemModel::dataChanged, grid,
        [grid, announcer](const QModelIndex &topLeft, const QModelIndex &, const QList<int> &roles) {
            if (topLeft.column() == 0 && (roles.isEmpty() || roles.contains(Qt::BackgroundRole)))
                MarkAnnouncer::schedule(grid, announcer);
        });
    QObject::connect(model, &QAbstractItemModel::rowsRemoved, grid,
                     [grid, announcer] { MarkAnnouncer::schedule(grid, announcer); });
}

void announceCurrentCell(FlexGrid *grid, const QModelIndex &current, const QModelIndex &)
{
    if (!grid->hasFocus() || !current.isValid() || current.row() < 1)
        return;
    if (GridTable *table = tableOf(grid)) {
        QAccessibleEvent focus(table->cellAt(current.row(), current.column()), QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
    }
}

void announceFocusLeft(FlexGrid *grid)
{
    const int row = grid->currentRow();
    if (row < 1)
        return;
    if (GridTable *table = tableOf(grid)) {
        QAccessible::State focused;
        focused.focused = true;
        QAccessibleStateChangeEvent left(table->cellAt(row, grid->currentColumn()), focused);
        QAccessible::updateAccessibility(&left);
    }
}
