// The program's start-up exactly as main.cpp does it, with a frame report
// added, so that start-up can be timed to the first frame of its window.
#include "framewatch.h"

#include "app/mainwindow.h"
#include "app/singlecopy.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    FrameWatch watch;
    reportFirstFrame(watch, app.arguments().contains(QStringLiteral("--quit-after-frame")));

    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    const std::unique_ptr<QLockFile> lock = takeSingleCopyLock();
    if (!lock) {
        alreadyRunningBox()->exec();
        return 0;
    }

    MainWindow window;
    watch.setWindow(&window);
    window.Form_Load();
    return app.exec();
}
