#include "hostboxes.h"

#include "command/hostentry.h"
#include "store/storeschema.h"
#include "tuning/boxstate.h"
#include "tuning/numberbox.h"

#include <QLineEdit>

namespace {
EntryOutcome refuse(QLineEdit *box, const char *boxName, const char *needed)
{
    const QString typed = box->text();
    box->setText(lastAccepted(box));
    box->setFocus(Qt::OtherFocusReason);
    systemBeep();
    return {false, refusalText(boxName, needed, typed, lastAccepted(box))};
}

const char *const addressBoxNames[2] = {"Quenvale IP Address", "Second Quenvale"};
} // namespace

EntryOutcome checkAddressBox(QLineEdit *const (&qvipaddress)[2], int index, SettingsStore &store)
{
    QLineEdit *box = qvipaddress[index];
    const QString text = box->text();
    const bool sameText = qvipaddress[0]->text() == qvipaddress[1]->text();
    const AddressEntry entry = parseAddress(text, sameText);
    if (entry.errors != 0)
        return refuse(box, addressBoxNames[index], addressNeeded);
    box->setText(entry.normalised);
    setLastAccepted(box, entry.normalised);
    storeHostAddress(store, index, entry.normalised);
    return {true, {}};
}

EntryOutcome checkPortBox(QLineEdit *qvipport, QLineEdit *secondHostBox, SettingsStore &store)
{
    const QString text = qvipport->text();
    EntryOutcome outcome;
    switch (checkPort(text)) {
    case PortVerdict::NotNumeric:
        return refuse(qvipport, "Base port", portNeeded);
    case PortVerdict::Accepted:
        storeBasePort(store, text);
        setLastAccepted(qvipport, text);
        outcome.accepted = true;
        break;
    case PortVerdict::Rejected:
        outcome = refuse(qvipport, "Base port", portNeeded);
        break;
    }
    secondHostBox->setToolTip(secondHostHint(qvipport->text()));
    return outcome;
}
