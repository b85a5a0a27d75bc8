#include "unsavedquestion.h"

#include "mainwindow.h"

#include <QCoreApplication>
#include <QPushButton>

QString unsavedQuestionText(const QVector<StoreEntry> &unsaved, const QString &problem)
{
    QStringList names;
    for (const StoreEntry &entry : unsaved)
        names << QStringLiteral("%1/%2 = \"%3\"").arg(entry.section, entry.key, entry.text);
    return QCoreApplication::translate("UnsavedQuestion",
                                       "%1\n\nThese values are not saved:\n%2\n\n"
                                       "Retry, or close and lose them?")
        .arg(problem, names.join(QLatin1Char('\n')));
}

std::unique_ptr<QMessageBox> unsavedQuestionBox(QWidget *parent, const QString &text)
{
    auto box = std::make_unique<QMessageBox>(QMessageBox::Warning, MainWindow::caption, text,
                                             QMessageBox::Retry | QMessageBox::Discard, parent);
    box->button(QMessageBox::Discard)
        ->setText(QCoreApplication::translate("UnsavedQuestion", "Close and lose them"));
    box->setDefaultButton(QMessageBox::Retry);
    box->setEscapeButton(QMessageBox::Retry);
    return box;
}

bool askToRetrySave(QWidget *parent, const QString &text)
{
    return unsavedQuestionBox(parent, text)->exec() != QMessageBox::Discard;
}
