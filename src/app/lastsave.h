// The program's end, however it comes (the window closed, a signal from the
// session, the display gone): one last attempt to write the values the disk
// refused, and each value still not written named on stderr, so that the
// operator can enter it again.
#pragma once

class SettingsStore;

// From now on until it is destroyed: a process exit (the X connection
// breaking makes Qt call exit()) makes the last attempt first, and so does
// the Wayland connection breaking, which ends the process without exit().
class LastSave
{
public:
    explicit LastSave(SettingsStore &store);
    ~LastSave();
    LastSave(const LastSave &) = delete;
    LastSave &operator=(const LastSave &) = delete;

    // Tries once more and names on stderr whatever is still not on disk.
    void now();
};
