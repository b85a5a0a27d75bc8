#include "copyrules.h"

#include "tuning/numbers.h"

#include <cmath>

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
