// The window's two lines of news: the status line (what the last send did,
// or why an entry was refused) and the alert line (what failed and still
// matters, most urgent first).
#include "mainwindow.h"

#include "alertline.h"
#include "singlecopy.h"

#include <QLabel>
#include <QRegularExpression>

void MainWindow::setStatus(const QString &text, QWidget *box)
{
    status_ = text;
    statusBox_ = box;
    statusline->setText(fitStatus(text, statusline->fontMetrics(), statusline->contentsRect().size()));
    // The hover text has it whole when the line had to shorten it.
    statusline->setToolTip(statusline->text().contains(QChar(0x2026)) ? text : QString());
}

void MainWindow::setSendProblem(const QString &problem)
{
    sendProblem_ = problem;
    showAlerts();
}

void MainWindow::setSingleCopyProblem(const QString &problem)
{
    singleCopyProblem_ = problem;
    showAlerts();
}

void MainWindow::setStoreProblem(const QString &problem)
{
    storeProblem_ = problem;
    showAlerts();
}

QStringList MainWindow::alerts() const
{
    // Most urgent first: values that are not on disk, a send that failed,
    // then that a second copy would not be detected.
    QStringList parts;
    for (const QString &part : {storeProblem_, sendProblem_, singleCopyProblem_}) {
        if (!part.isEmpty())
            parts << part;
    }
    return parts;
}

QString MainWindow::alertText() const
{
    return alerts().join(QLatin1Char('\n'));
}

void MainWindow::showAlerts()
{
    // Every word shows: paths are shortened in their folder part to fit, and
    // what still does not fit is counted and left to the tooltip.
    const QStringList messages = alerts();
    const QString text = messages.join(QLatin1Char('\n'));
    const QString storeFile = store_.fileName();
    QStringList paths{storeFile, storeFile + QStringLiteral(".lock")};
    if (!singleCopyProblem_.isEmpty())
        paths << singleCopyLockPath();
    const QFontMetrics metrics = alertmessage->fontMetrics();
    const int width = alertmessage->contentsRect().width();
    QString line = fitAlert(messages, paths, metrics, width);
    if (metrics.horizontalAdvance(line) > width) {
        // The system's reason ("(Read-only file system)") gives way first;
        // the tooltip keeps it.
        static const QRegularExpression reason(QStringLiteral(" \\([^()]*\\)(?=\\.$)"));
        QStringList shorter = messages;
        for (QString &message : shorter)
            message.remove(reason);
        line = fitAlert(shorter, paths, metrics, width);
    }
    alertmessage->setText(line);
    alertmessage->setToolTip(text);
    alertmessage->setVisible(!text.isEmpty());
}
