#include "unsavedquestion.h"

#include "mainwindow.h"
#include "store/storeschema.h"

#include <QCoreApplication>
#include <QPushButton>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("UnsavedQuestion", text);
}

// A stored value as the window shows it: by what the operator typed or
// chose it in, not by the file's section and key. A row is named once for
// all of its cells.
QString spokenName(const StoreEntry &entry)
{
    const StoredValue value = storedValueAt(entry.section, entry.key);
    switch (value.kind) {
    case StoredValue::BasePort:
        return tr("Base port %1").arg(entry.text);
    case StoredValue::FirstHost:
        return tr("First host address %1").arg(entry.text);
    case StoredValue::SecondHost:
        return tr("Second host address %1").arg(entry.text);
    case StoredValue::ReceiverCount:
        return tr("Receivers shown %1").arg(entry.text);
    case StoredValue::WorkingSettings:
        return tr("Working settings");
    case StoredValue::ReceiverPreset:
        return tr("Receiver %1 preset").arg(value.receiver);
    case StoredValue::Unknown:
        break;
    }
    return QStringLiteral("%1/%2 %3").arg(entry.section, entry.key, entry.text);
}

} // namespace

QString unsavedQuestionText(const QVector<StoreEntry> &unsaved, const QString &problem)
{
    QStringList names;
    for (const StoreEntry &entry : unsaved) {
        const QString name = spokenName(entry);
        if (!names.contains(name))
            names << name;
    }
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
    // A dialog is a window of its own and would take the desktop's font.
    if (parent)
        box->setFont(parent->font());
    box->setDefaultButton(QMessageBox::Retry);
    box->setEscapeButton(QMessageBox::Retry);
    return box;
}

bool askToRetrySave(QWidget *parent, const QString &text)
{
    return unsavedQuestionBox(parent, text)->exec() != QMessageBox::Discard;
}
