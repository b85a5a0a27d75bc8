// Only one copy of the program runs per user. How the running copy is told
// apart is the platform's business; what the program needs to know is here.
#pragma once

#include <QString>
#include <memory>

// Whatever keeps the claim while the program runs; released when destroyed
// and, by the system, when the process ends, however it ends.
class SingleCopyHold
{
public:
    virtual ~SingleCopyHold() = default;
};

struct SingleCopyLock
{
    std::unique_ptr<SingleCopyHold> lock; // held while the program runs
    bool otherCopyRunning = false;
    // Why no claim could be made although no other copy holds one (the lock
    // path is in the way, the folder is read-only or full), for the alert
    // line: the program runs, but a second copy would not be detected.
    QString problem;
};

SingleCopyLock takeSingleCopyLock();

// Where the claim lives (a file, or the name of a system object), as the
// alert line names it.
QString singleCopyLockPath();
