// The program's own start-up with a frame report added, so that start-up
// can be timed to the first frame of its window.
#include "framewatch.h"

#include "app/mainwindow.h"
#include "app/startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    FrameWatch watch;
    reportFirstFrame(watch, app.arguments().contains(QStringLiteral("--quit-after-frame")));
    return runProgram([&watch](MainWindow &window) { watch.setWindow(&window); });
}
