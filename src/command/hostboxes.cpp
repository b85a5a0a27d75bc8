#include "hostboxes.h"

#include "hostentry.h"
#include "store/settingsstore.h"
#include "tuning/boxstate.h"

#include <QLineEdit>

namespace {
const QString ipSection = QStringLiteral("IP");

void refuse(QLineEdit *box)
{
    box->setText(lastAccepted(box));
    box->setFocus(Qt::OtherFocusReason);
    systemBeep();
}
} // namespace

void checkAddressBox(QLineEdit *const (&qvipaddress)[2], int index, SettingsStore &store)
{
    QLineEdit *box = qvipaddress[index];
    const QString text = box->text();
    const bool sameText = qvipaddress[0]->text() == qvipaddress[1]->text();
    const std::optional<QString> normalised = normaliseAddress(text);
    if (addressErrorCount(text, sameText) != 0 || !normalised) {
        refuse(box);
        return;
    }
    box->setText(*normalised);
    setLastAccepted(box, *normalised);
    store.write(ipSection, QStringLiteral("Address") + QString::number(index), *normalised);
}

void checkPortBox(QLineEdit *qvipport, QLineEdit *secondHostBox, SettingsStore &store)
{
    const QString text = qvipport->text();
    switch (checkPort(text)) {
    case PortVerdict::NotNumeric:
        refuse(qvipport);
        return;
    case PortVerdict::Accepted:
        store.write(ipSection, QStringLiteral("Port"), text);
        setLastAccepted(qvipport, text);
        break;
    case PortVerdict::Rejected:
        refuse(qvipport);
        break;
    }
    secondHostBox->setToolTip(secondHostHint(qvipport->text()));
}
