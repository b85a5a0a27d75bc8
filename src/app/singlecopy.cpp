#include "singlecopy.h"

#include "mainwindow.h"

#include <QDir>
#include <QStandardPaths>

QString singleCopyLockPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/zorudoza-zudizir-ivozudiro.lock");
}

std::unique_ptr<QLockFile> takeSingleCopyLock()
{
    auto lock = std::make_unique<QLockFile>(singleCopyLockPath());
    // Only a lock whose process is gone counts as stale; a running copy's
    // lock never ages out.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return nullptr;
    return lock;
}

std::unique_ptr<QMessageBox> alreadyRunningBox()
{
    return std::make_unique<QMessageBox>(QMessageBox::Information, MainWindow::caption,
                                         QStringLiteral("Zorudoza Zudizir Ivozudiro is already running."),
                                         QMessageBox::Ok);
}
