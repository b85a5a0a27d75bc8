// The pure rules of the two copies between the working settings and a
// receiver's preset.
#pragma once

#include "presets.h"

// The preset a copy into a receiver writes for the working settings' texts:
// the frequency's leading number in three decimals, the LO in three decimals
// when it is a number, the rest as they stand.
RowCells rowCellsFromSettings(const RowCells &boxTexts);
