// Which key presses are the operator's own and which the keyboard's
// auto-repeat, whatever the window system marks.
#pragma once

#include <cstdint>

// X11 without detectable auto-repeat (XWayland, a busy X server) delivers a
// held key as release and press pairs that the toolkit does not always mark
// as repeats; they carry the same event time, or one a millisecond apart. A
// person's own release and next press lie tens of milliseconds apart.
class HeldKey
{
public:
    // Closer than this after a release of the same key, a press is a repeat.
    static constexpr std::uint64_t repeatGapMs = 20;

    // True when the press is a new one. A zero time (an event made by a
    // program, not a keyboard) is never taken for a repeat's.
    bool press(int key, bool markedRepeat, std::uint64_t timeMs);
    void release(int key, bool markedRepeat, std::uint64_t timeMs);
    // The keys went elsewhere (the focus moved): their releases will not come.
    void forget();

private:
    int held_ = 0;
    int released_ = 0;
    std::uint64_t releasedAt_ = 0;
};
