// Only one copy of the program runs per user. A second copy is refused only
// when a live copy of this program holds the lock; a lock that no live copy
// holds (left by a crash or a power cut: empty, garbled, old, or naming a
// process that is gone or is another program) is taken over at once.
#pragma once

#include <QLockFile>
#include <QMessageBox>
#include <memory>

struct SingleCopyLock
{
    std::unique_ptr<QLockFile> lock; // held while the program runs
    bool otherCopyRunning = false;
    // Why no lock could be taken although no other copy holds it (the lock
    // path is in the way, the folder is read-only or full), for the alert
    // line: the program runs, but a second copy would not be detected.
    QString problem;

    explicit operator bool() const { return lock != nullptr; }
};

SingleCopyLock takeSingleCopyLock();

QString singleCopyLockPath();

// The information box a second copy shows before it ends.
std::unique_ptr<QMessageBox> alreadyRunningBox();
