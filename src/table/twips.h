// The window's design is in twips; it is laid out at 15 twips a pixel, the
// grid's own scale, whatever the display's dots per inch.
#pragma once

#include <cmath>

inline constexpr int twipsPerPixel = 15;

inline int twipsToPixels(double twips)
{
    return int(std::lround(twips / twipsPerPixel));
}
