// The session ending the program (logout, a closed terminal, Ctrl+C, kill):
// told as a Qt signal from the event loop, never inside a signal handler, so
// that the program can save what it holds and then end as it was asked to.
#pragma once

#include <QObject>

class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    // Listens from now on (SIGTERM, SIGINT and SIGHUP on POSIX systems).
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

    // Ends the process with the status the request would have given had
    // nothing listened for it (killed by that signal). Call after received().
    [[noreturn]] void endAsRequested();

signals:
    void received();

private:
    struct Private;
    Private *d;
};
