#include "rowselection.h"

#include "command/downlinkwindow.h"
#include "copyoperations.h"
#include "flexgrid.h"

#include <QWidget>

bool isFilledRow(const FlexGrid &grid, int row)
{
    return isFilled(readRow(grid, row));
}

void clearSelectionMark(FlexGrid &grid, int maxreceivers, int fixedcolor)
{
    for (int row = 1; row <= maxreceivers && row < grid.Rows(); ++row) {
        if (grid.cellColour(row, 0) == selectedRowColour)
            grid.setCellColour(row, 0, fixedcolor);
    }
}

void selectCurrentRow(const RowSelectionControls &controls, int maxreceivers, int fixedcolor)
{
    FlexGrid &grid = *controls.grid;
    const int r = grid.Row();
    grid.setCol(0);
    // Each cell is coloured where it stands: moving the current cell through
    // the rows would take the keyboard focus, and a screen reader, with it.
    // Every receiver row's first cell takes the unmarked colour (unlike
    // clearSelectionMark, which touches only a marked cell).
    for (int i = 1; i <= maxreceivers && i < grid.Rows(); ++i)
        grid.setCellColour(i, 0, fixedcolor);
    const bool isReceiverRow = r >= 1 && r <= maxreceivers;
    if (isReceiverRow)
        grid.setCellBackColor(selectedRowColour);
    if (r > 0)
        controls.copytorx->setEnabled(true);
    if (isReceiverRow && isFilledRow(grid, r)) {
        controls.sendx->setEnabled(true);
        controls.copytosettings->setEnabled(true);
        controls.rightlabel->setVisible(showsUplinkHint(grid.TextMatrix(r, 1)));
    } else {
        controls.sendx->setEnabled(false);
        controls.copytosettings->setEnabled(false);
        controls.rightlabel->setVisible(false);
    }
}
