// The window's side of the two copies: a receiver's preset drawn into its
// grid row, and loaded into the working-settings boxes.
#pragma once

#include "model/presets.h"

class FlexGrid;
class QComboBox;

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

// The five texts the boxes show.
RowCells workingSettingsTexts(const WorkingSettingsBoxes &boxes);

// Draws a receiver's preset into grid row `row`, columns 1 to 5.
void writeRow(FlexGrid &grid, int row, const RowCells &cells);

// Loads a preset into the working-settings boxes (step boxes to their empty
// item first). Returns false, changing nothing, for a preset without frequency.
bool loadRowIntoSettings(const RowCells &cells, const WorkingSettingsBoxes &boxes);
