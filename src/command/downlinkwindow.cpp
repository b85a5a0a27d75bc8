#include "downlinkwindow.h"

#include "tuning/numbers.h"

bool showsUplinkHint(const QString &frequencyCell)
{
    const double megahertz = numbers::leadingNumber(frequencyCell);
    return megahertz >= uplinkHintLowMhz && megahertz <= uplinkHintHighMhz;
}

bool inDownlinkWindow(int32_t frequencyKhz)
{
    return frequencyKhz >= downlinkLowKhz && frequencyKhz < downlinkHighKhz;
}
