#include "heldkey.h"

bool HeldKey::press(int key, bool markedRepeat, std::uint64_t timeMs)
{
    const bool repeat = markedRepeat || key == held_
        || (key == released_ && timeMs != 0 && timeMs >= releasedAt_ && timeMs - releasedAt_ < repeatGapMs);
    held_ = key;
    released_ = 0;
    return !repeat;
}

void HeldKey::release(int key, bool markedRepeat, std::uint64_t timeMs)
{
    if (markedRepeat || key != held_)
        return;
    held_ = 0;
    released_ = key;
    releasedAt_ = timeMs;
}

void HeldKey::forget()
{
    held_ = 0;
    released_ = 0;
}
