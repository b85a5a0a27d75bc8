#include "flexgridaccessible.h"

#include "flexgrid.h"
#include "rowselection.h"

#include <QAbstractItemModel>

namespace {

// Sets a hidden header's text for screen readers; its display text stays
// empty, so the header would show nothing even if it were ever shown.
void setHeaderText(FlexGrid *grid, Qt::Orientation orientation, int section, const QString &text)
{
    QTableWidgetItem *header = orientation == Qt::Horizontal ? grid->horizontalHeaderItem(section)
                                                             : grid->verticalHeaderItem(section);
    if (!header) {
        header = new QTableWidgetItem;
        if (orientation == Qt::Horizontal)
            grid->setHorizontalHeaderItem(section, header);
        else
            grid->setVerticalHeaderItem(section, header);
    }
    if (header->data(Qt::AccessibleTextRole).toString() != text)
        header->setData(Qt::AccessibleTextRole, text);
}

void syncColumnTitles(FlexGrid *grid)
{
    for (int col = 0; col < grid->Cols(); ++col)
        setHeaderText(grid, Qt::Horizontal, col, grid->TextMatrix(0, col));
}

// Without this a row would be read by the model's default header, its
// number counted from 1, one more than the receiver it shows.
void syncRowNames(FlexGrid *grid)
{
    for (int row = 0; row < grid->Rows(); ++row)
        setHeaderText(grid, Qt::Vertical, row,
                      row == 0 ? QString() : FlexGrid::tr("Receiver %1").arg(row));
}

// The red first cell is all that shows the selected row.
void syncSelectionMark(FlexGrid *grid, int row)
{
    QTableWidgetItem *first = grid->item(row, 0);
    if (row < 1 || !first)
        return;
    const QString spoken = grid->cellColour(row, 0) == selectedRowColour
                               ? FlexGrid::tr("%1, selected").arg(first->text())
                               : QString();
    if (first->data(Qt::AccessibleTextRole).toString() != spoken)
        first->setData(Qt::AccessibleTextRole, spoken);
}

void cellsChanged(FlexGrid *grid, const QModelIndex &topLeft, const QModelIndex &bottomRight,
                  const QList<int> &roles)
{
    const auto changed = [&roles](int role) { return roles.isEmpty() || roles.contains(role); };
    if (topLeft.row() == 0 && changed(Qt::DisplayRole))
        syncColumnTitles(grid);
    if (topLeft.column() == 0 && (changed(Qt::BackgroundRole) || changed(Qt::DisplayRole))) {
        for (int row = topLeft.row(); row <= bottomRight.row(); ++row)
            syncSelectionMark(grid, row);
    }
}

} // namespace

void exposeToScreenReaders(FlexGrid *grid)
{
    const QAbstractItemModel *model = grid->model();
    QObject::connect(model, &QAbstractItemModel::dataChanged, grid,
                     [grid](const QModelIndex &topLeft, const QModelIndex &bottomRight,
                            const QList<int> &roles) { cellsChanged(grid, topLeft, bottomRight, roles); });
    QObject::connect(model, &QAbstractItemModel::rowsInserted, grid, [grid] { syncRowNames(grid); });
    QObject::connect(model, &QAbstractItemModel::columnsInserted, grid,
                     [grid] { syncColumnTitles(grid); });
    syncColumnTitles(grid);
    syncRowNames(grid);
}
