#include "copyoperations.h"

#include "flexgrid.h"
#include "tuning/boxstate.h"
#include "tuning/numbers.h"

#include <QComboBox>
#include <cmath>

RowCells workingSettingsTexts(const WorkingSettingsBoxes &boxes)
{
    return {boxes.frequency->currentText(), boxes.symbolrate->currentText(), boxes.offset->currentText(),
            boxes.antenna->currentText(), boxes.voltage->currentText()};
}

RowCells rowCellsFromSettings(const RowCells &boxTexts)
{
    RowCells cells = boxTexts;
    const double frequency = numbers::leadingNumber(boxTexts.frequency);
    // A number too large for a double has no three-decimal form; the text
    // goes in as it stands rather than as a made-up value.
    if (std::isfinite(frequency))
        cells.frequency = numbers::threeDecimals(frequency);
    if (const std::optional<double> offset = numbers::wholeTextNumber(boxTexts.offset))
        cells.offset = numbers::threeDecimals(*offset);
    return cells;
}

RowCells readRow(const FlexGrid &grid, int row)
{
    return {grid.TextMatrix(row, 1), grid.TextMatrix(row, 2), grid.TextMatrix(row, 3),
            grid.TextMatrix(row, 4), grid.TextMatrix(row, 5)};
}

void writeRow(FlexGrid &grid, int row, const RowCells &cells)
{
    grid.setTextMatrix(row, 1, cells.frequency);
    grid.setTextMatrix(row, 2, cells.symbolRate);
    grid.setTextMatrix(row, 3, cells.offset);
    grid.setTextMatrix(row, 4, cells.antenna);
    grid.setTextMatrix(row, 5, cells.voltage);
}

void persistRow(SettingsStore &store, const FlexGrid &grid, int row)
{
    storeCopiedRow(store, row, readRow(grid, row));
}

bool loadRowIntoSettings(const FlexGrid &grid, int row, const WorkingSettingsBoxes &boxes)
{
    return loadCellsIntoSettings(readRow(grid, row), boxes);
}

bool loadCellsIntoSettings(const RowCells &cells, const WorkingSettingsBoxes &boxes)
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
