#include "startup.h"

#include "mainwindow.h"
#include "singlecopy.h"
#include "smallscreen.h"

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
    const auto frame = SmallScreenFrame::aroundIfTooLarge(window);
    window.Form_Load();
    if (frame)
        frame->show();
    return QApplication::exec();
}
