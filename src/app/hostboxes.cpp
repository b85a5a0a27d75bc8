#include "hostboxes.h"

#include "captions.h"
#include "command/hostentry.h"
#include "model/receivermodel.h"
#include "store/modelstore.h"
#include "tuning/boxstate.h"

#include <QLineEdit>

namespace {
using Entry = ReceiverModel::CheckedEntry;

EntryOutcome refuse(QLineEdit *box, const QString &lastAccepted, const char *boxName, const char *needed)
{
    const QString typed = box->text();
    box->setText(lastAccepted);
    box->setFocus(Qt::OtherFocusReason);
    systemBeep();
    return {false, refusalText(boxName, needed, typed, lastAccepted), {}};
}

const char *const addressBoxNames[2] = {captions::firstHost, captions::secondHost};
const char portBoxName[] = "Base port";
} // namespace

EntryOutcome checkAddressBox(QLineEdit *const (&qvipaddress)[2], int index, ReceiverModel &model,
                             SettingsStore &store)
{
    QLineEdit *box = qvipaddress[index];
    const Entry entry = index == 1 ? Entry::SecondHost : Entry::FirstHost;
    const QString text = box->text();
    const bool sameText = qvipaddress[0]->text() == qvipaddress[1]->text();
    const AddressEntry address = parseAddress(text, sameText);
    if (address.errors != 0)
        return refuse(box, model.lastAccepted(entry), addressBoxNames[index], addressNeeded);
    box->setText(address.normalised);
    model.setLastAccepted(entry, address.normalised);
    saveHostAddress(store, model, index);
    return {true, {}, address.normalised};
}

EntryOutcome checkPortBox(QLineEdit *qvipport, QLineEdit *secondHostBox, ReceiverModel &model,
                          SettingsStore &store)
{
    const QString kept = model.lastAccepted(Entry::BasePort);
    const QString text = qvipport->text();
    EntryOutcome outcome;
    switch (checkPort(text)) {
    case PortVerdict::NotNumeric:
        return refuse(qvipport, kept, portBoxName, portNeeded);
    case PortVerdict::Accepted:
        model.setLastAccepted(Entry::BasePort, text);
        saveBasePort(store, model);
        outcome = {true, {}, text};
        break;
    case PortVerdict::Rejected:
        outcome = refuse(qvipport, kept, portBoxName, portNeeded);
        break;
    }
    secondHostBox->setToolTip(secondHostHint(qvipport->text()));
    return outcome;
}
