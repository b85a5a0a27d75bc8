#include "singlecopy.h"

#include "mainwindow.h"

std::unique_ptr<QMessageBox> alreadyRunningBox()
{
    return std::make_unique<QMessageBox>(QMessageBox::Information, MainWindow::caption,
                                         QStringLiteral("Zorudoza Zudizir Ivozudiro is already running."),
                                         QMessageBox::Ok);
}
