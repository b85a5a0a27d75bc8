// The window's design is in twips; it is laid out at 15 twips a pixel, the
// grid's own scale, whatever the display's dots per inch.
#pragma once

#include "table/flexgrid.h"

#include <cmath>

inline int twipsToPixels(int twips)
{
    return int(std::lround(double(twips) / FlexGrid::twipsPerPixel));
}
