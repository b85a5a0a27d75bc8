#include "boxstate.h"

#include <QApplication>
#include <QComboBox>
#include <QVariant>

namespace {
int beeps = 0;
constexpr char tagProperty[] = "Tag";
} // namespace

QString lastAccepted(const QWidget *box)
{
    return box->property(tagProperty).toString();
}

void setLastAccepted(QWidget *box, const QString &text)
{
    box->setProperty(tagProperty, text);
}

void systemBeep()
{
    ++beeps;
    QApplication::beep();
}

int beepCount()
{
    return beeps;
}

void chooseItemByText(QComboBox *selector, const QString &text)
{
    const int index = selector->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    selector->setCurrentIndex(index >= 0 ? index : 0);
}
