#include "copyoperations.h"

#include "flexgrid.h"
#include "tuning/boxstate.h"

#include <QComboBox>

RowCells workingSettingsTexts(const WorkingSettingsBoxes &boxes)
{
    return {boxes.frequency->currentText(), boxes.symbolrate->currentText(), boxes.offset->currentText(),
            boxes.antenna->currentText(), boxes.voltage->currentText()};
}

void writeRow(FlexGrid &grid, int row, const RowCells &cells)
{
    grid.setTextMatrix(row, 1, cells.frequency);
    grid.setTextMatrix(row, 2, cells.symbolRate);
    grid.setTextMatrix(row, 3, cells.offset);
    grid.setTextMatrix(row, 4, cells.antenna);
    grid.setTextMatrix(row, 5, cells.voltage);
}

bool loadRowIntoSettings(const RowCells &cells, const WorkingSettingsBoxes &boxes)
{
    if (cells.frequency.isEmpty())
        return false;
    // Choosing the empty item runs nothing in the step boxes.
    boxes.frequencymegs->setCurrentIndex(0);
    boxes.frequencydecimal->setCurrentIndex(0);
    boxes.frequency->setEditText(cells.frequency);
    boxes.symbolrate->setEditText(cells.symbolRate);
    boxes.offset->setEditText(cells.offset);
    chooseItemByText(boxes.antenna, cells.antenna);
    chooseItemByText(boxes.voltage, cells.voltage);
    return true;
}
