#include "startup.h"

#include "lastsave.h"
#include "mainwindow.h"
#include "platform/terminationsignals.h"
#include "singlecopy.h"

#include <QApplication>
#include <QStyleFactory>

int runProgram(const std::function<void(MainWindow &)> &beforeLoad)
{
    // The window is laid out in fixed pixels; Fusion draws the same on every
    // desktop, so the captions fit their boxes everywhere.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    const SingleCopyLock single = takeSingleCopyLock();
    if (single.otherCopyRunning) {
        alreadyRunningBox()->exec();
        return 0;
    }

    MainWindow window;
    window.setSingleCopyProblem(single.problem);
    if (beforeLoad)
        beforeLoad(window);
    window.fitToScreen();
    window.Form_Load();

    // The session may end the program without closing the window.
    LastSave lastSave(window.store());
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::received, [&] {
        lastSave.now();
        termination.endAsRequested();
    });
    const int status = QApplication::exec();
    lastSave.now();
    return status;
}
