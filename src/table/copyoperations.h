// The two copies between the working settings and a receiver row.
#pragma once

#include "store/storeschema.h"

#include <QStringList>

class FlexGrid;
class QComboBox;
class SettingsStore;

struct WorkingSettingsBoxes
{
    QComboBox *frequency;
    QComboBox *symbolrate;
    QComboBox *offset;
    QComboBox *antenna;
    QComboBox *voltage;
    QComboBox *frequencymegs;
    QComboBox *frequencydecimal;
};

RowCells workingSettingsTexts(const WorkingSettingsBoxes &boxes);

// The cells a copy into a row writes for the given box texts: the frequency's
// leading number in three decimals, the LO in three decimals when it is a
// number, the rest as they stand.
RowCells rowCellsFromSettings(const RowCells &boxTexts);

RowCells readRow(const FlexGrid &grid, int row);
void writeRow(FlexGrid &grid, int row, const RowCells &cells);

// Writes the row's five cells under "RX0" and then under the row's section,
// all on disk together before it returns.
void persistRow(SettingsStore &store, const FlexGrid &grid, int row);

// Loads a row's cells into the working-settings boxes as the copy from the
// grid does (step boxes to their empty item first, last accepted texts left
// alone). Returns false, changing nothing, for cells without frequency.
bool loadCellsIntoSettings(const RowCells &cells, const WorkingSettingsBoxes &boxes);

// Loads a row into the working-settings boxes (step boxes to their empty
// item first). Returns false, changing nothing, for a row without frequency.
bool loadRowIntoSettings(const FlexGrid &grid, int row, const WorkingSettingsBoxes &boxes);
