#include "terminationsignals.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int pipeEnds[2] = {-1, -1};
const int handled[] = {SIGTERM, SIGINT, SIGHUP};

// All a handler may safely do: note the signal for the event loop.
void onSignal(int number)
{
    const unsigned char byte = static_cast<unsigned char>(number);
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &byte, 1);
}

} // namespace

struct TerminationSignals::Private
{
    QSocketNotifier *notifier = nullptr;
    int number = SIGTERM;
};

TerminationSignals::TerminationSignals(QObject *parent)
    : QObject(parent)
    , d(new Private)
{
    if (pipeEnds[0] < 0 && ::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    d->notifier = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(d->notifier, &QSocketNotifier::activated, this, [this] {
        unsigned char byte = 0;
        if (::read(pipeEnds[0], &byte, 1) == 1) {
            d->number = byte;
            d->notifier->setEnabled(false); // one last save is enough
            emit received();
        }
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : handled)
        ::sigaction(number, &action, nullptr);
    // A write to a closed pipe (stderr of a terminal that went away) fails
    // with EPIPE instead of ending the program before its last save.
    ::signal(SIGPIPE, SIG_IGN);
}

TerminationSignals::~TerminationSignals()
{
    for (const int number : handled)
        ::signal(number, SIG_DFL);
    delete d;
}

void TerminationSignals::endAsRequested()
{
    ::signal(d->number, SIG_DFL);
    ::raise(d->number);
    ::_exit(128 + d->number);
}
