#include "mainwindow.h"
#include "singlecopy.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The window is laid out in fixed pixels; Fusion draws the same on every
    // desktop, so the captions fit their boxes everywhere.
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    const std::unique_ptr<QLockFile> lock = takeSingleCopyLock();
    if (!lock) {
        alreadyRunningBox()->exec();
        return 0;
    }

    MainWindow window;
    window.Form_Load();
    return app.exec();
}
