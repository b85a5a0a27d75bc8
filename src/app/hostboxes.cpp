#include "hostboxes.h"

#include "command/hostentry.h"
#include "store/storeschema.h"
#include "tuning/boxstate.h"

#include <QLineEdit>

namespace {
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
    const AddressEntry entry = parseAddress(text, sameText);
    if (entry.errors != 0) {
        refuse(box);
        return;
    }
    box->setText(entry.normalised);
    setLastAccepted(box, entry.normalised);
    storeHostAddress(store, index, entry.normalised);
}

void checkPortBox(QLineEdit *qvipport, QLineEdit *secondHostBox, SettingsStore &store)
{
    const QString text = qvipport->text();
    switch (checkPort(text)) {
    case PortVerdict::NotNumeric:
        refuse(qvipport);
        return;
    case PortVerdict::Accepted:
        storeBasePort(store, text);
        setLastAccepted(qvipport, text);
        break;
    case PortVerdict::Rejected:
        refuse(qvipport);
        break;
    }
    secondHostBox->setToolTip(secondHostHint(qvipport->text()));
}
