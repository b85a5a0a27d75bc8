// A live copy of this program holds the lock; a lock that no live copy holds
// (left by a crash or a power cut: empty, garbled, old, or naming a process
// that is gone or is another program) is taken over at once.
#include "singlecopylock.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// The name of the program a process runs ("" when it cannot be told).
QString programOf(qint64 pid)
{
    QString target = QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).symLinkTarget();
    target.remove(QLatin1String(" (deleted)")); // replaced by an upgrade while running
    return QFileInfo(target).fileName();
}

class LockFileHold : public SingleCopyHold
{
public:
    explicit LockFileHold(std::unique_ptr<QLockFile> lock)
        : lock_(std::move(lock))
    { }

private:
    std::unique_ptr<QLockFile> lock_;
};

bool isLiveCopyOfThisProgram(qint64 pid)
{
    if (pid <= 0 || (::kill(pid_t(pid), 0) != 0 && errno == ESRCH))
        return false;
    const QString theirs = programOf(pid);
    const QString ours = programOf(QCoreApplication::applicationPid());
    return theirs.isEmpty() || ours.isEmpty() || theirs == ours;
}

// QLockFile keeps a lock on the open file (flock) for as long as its holder
// lives, from before it writes its process id into it. A lock file naming a
// live copy is still left over when nothing holds it: after a power cut the
// process ids start again, so it may even name this very process.
bool isHeldByAProcess(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

QString cannotLock(const QString &path, const QString &why)
{
    return QCoreApplication::translate("SingleCopy", "A second copy would not be detected: %1 %2.")
        .arg(QDir::toNativeSeparators(path), why);
}

} // namespace

QString singleCopyLockPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/zorudoza-zudizir-ivozudiro.lock");
}

SingleCopyLock takeSingleCopyLock()
{
    const QString path = singleCopyLockPath();
    SingleCopyLock result;
    auto lock = std::make_unique<QLockFile>(path);
    // Age says nothing about a lock here: whether its holder lives decides.
    lock->setStaleLockTime(0);
    // A copy that is just creating its lock holds it before its process id is
    // in it; such a lock is given a moment to be filled in.
    const QDeadlineTimer patience(1000);
    for (;;) {
        const QFileInfo info(path);
        if ((info.exists() || info.isSymLink()) && !info.isFile()) {
            // Not even looked into: a FIFO there would block the start.
            result.problem = cannotLock(path, QCoreApplication::translate("SingleCopy", "is not a file"));
            return result;
        }
        if (lock->tryLock(0)) {
            result.lock = std::make_unique<LockFileHold>(std::move(lock));
            return result;
        }
        if (lock->error() != QLockFile::LockFailedError) {
            result.problem = cannotLock(
                path,
                QCoreApplication::translate(
                    "SingleCopy", "could not be created (the folder is read-only, full or missing)"));
            return result;
        }
        qint64 pid = 0;
        QString host, application;
        const bool named = lock->getLockInfo(&pid, &host, &application);
        if (named && isLiveCopyOfThisProgram(pid) && isHeldByAProcess(path)) {
            result.otherCopyRunning = true;
            return result;
        }
        const bool held = isHeldByAProcess(path);
        if (!held && !lock->removeStaleLockFile()) {
            result.problem =
                cannotLock(path,
                           QCoreApplication::translate("SingleCopy",
                                                       "is left over from a crash and could not be removed"));
            return result;
        }
        if (patience.hasExpired()) {
            // Held by a live process that is not this program.
            result.problem =
                cannotLock(path, QCoreApplication::translate("SingleCopy", "is held by another program"));
            return result;
        }
        if (held)
            QThread::msleep(10);
    }
}
