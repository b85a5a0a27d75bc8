// Only one copy of the program runs per user. A lock file of a copy that
// died is recognised as stale and taken over.
#pragma once

#include <QLockFile>
#include <QMessageBox>
#include <memory>

// The held lock, or nothing when another running copy holds it.
std::unique_ptr<QLockFile> takeSingleCopyLock();

QString singleCopyLockPath();

// The information box a second copy shows before it ends.
std::unique_ptr<QMessageBox> alreadyRunningBox();
