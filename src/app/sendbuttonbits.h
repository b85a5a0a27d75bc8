// The mouse buttons of a press on the Send button, and the send they ask for.
#pragma once

#include "command/sending.h"

enum SendButtonBits { LeftButtonBit = 1, RightButtonBit = 2, MiddleButtonBit = 4 };

// A right press, alone or with another button, asks for the uplink; any other
// press for the row as read.
inline SendVariant sendVariantOfButtons(int buttonBits)
{
    return (buttonBits & RightButtonBit) ? SendVariant::Uplink : SendVariant::Downlink;
}
