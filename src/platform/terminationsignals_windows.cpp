// Windows: Ctrl+C, Ctrl+Break, a closed console window, logoff and shutdown
// reach a console handler on a thread of its own. The handler hands the
// request to the event loop and waits there; endAsRequested then ends the
// process, which ends the wait. The system gives a closing console about
// five seconds, far more than one save takes.
#include "terminationsignals.h"

#include <QMetaObject>

#include <atomic>
#include <windows.h>

namespace {

std::atomic<TerminationSignals *> listener{nullptr};

BOOL WINAPI onConsoleEvent(DWORD)
{
    TerminationSignals *const target = listener.exchange(nullptr); // one last save is enough
    if (!target)
        return FALSE;
    QMetaObject::invokeMethod(target, &TerminationSignals::received, Qt::QueuedConnection);
    Sleep(INFINITE); // the process ends from the event loop
    return TRUE;
}

} // namespace

struct TerminationSignals::Private
{
};

TerminationSignals::TerminationSignals(QObject *parent)
    : QObject(parent)
    , d(nullptr)
{
    listener = this;
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

TerminationSignals::~TerminationSignals()
{
    SetConsoleCtrlHandler(onConsoleEvent, FALSE);
    TerminationSignals *self = this;
    listener.compare_exchange_strong(self, nullptr);
}

void TerminationSignals::endAsRequested()
{
    // The status a console program ended by Ctrl+C has.
    ExitProcess(STATUS_CONTROL_C_EXIT);
}
