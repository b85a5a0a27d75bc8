// The claim is a named mutex in the session's namespace. The system closes it
// when the process ends, however it ends, so no crash leaves a claim behind
// and nothing has to be told stale.
#include "singlecopylock.h"

#include <QCoreApplication>

#include <windows.h>

namespace {

const wchar_t mutexName[] = L"Local\\ZorudozaZudizirIvozudiro";

class MutexHold : public SingleCopyHold
{
public:
    explicit MutexHold(HANDLE mutex)
        : mutex_(mutex)
    { }
    ~MutexHold() override { ::CloseHandle(mutex_); }
    MutexHold(const MutexHold &) = delete;
    MutexHold &operator=(const MutexHold &) = delete;

private:
    HANDLE mutex_;
};

QString cannotClaim(const QString &why)
{
    return QCoreApplication::translate("SingleCopy", "A second copy would not be detected: %1 %2.")
        .arg(singleCopyLockPath(), why);
}

} // namespace

QString singleCopyLockPath()
{
    return QString::fromWCharArray(mutexName);
}

SingleCopyLock takeSingleCopyLock()
{
    SingleCopyLock result;
    // Not owned, only named: that the name exists is the whole claim.
    HANDLE mutex = ::CreateMutexW(nullptr, FALSE, mutexName);
    const DWORD error = ::GetLastError();
    if (mutex && error == ERROR_ALREADY_EXISTS) {
        ::CloseHandle(mutex);
        result.otherCopyRunning = true;
    } else if (mutex) {
        result.lock = std::make_unique<MutexHold>(mutex);
    } else if (error == ERROR_ACCESS_DENIED) {
        // Made by a program of another user in this session, which cannot be
        // a copy that this user's copy should give way to.
        result.problem = cannotClaim(QCoreApplication::translate("SingleCopy", "is held by another program"));
    } else {
        result.problem = cannotClaim(QCoreApplication::translate("SingleCopy", "could not be created"));
    }
    return result;
}
