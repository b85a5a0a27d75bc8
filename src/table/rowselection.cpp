#include "rowselection.h"

#include "command/downlinkwindow.h"
#include "model/receivermodel.h"

#include <QWidget>

void showSelectionControls(const RowSelectionControls &controls, const ReceiverModel &model, int row)
{
    if (row > 0)
        controls.copytorx->setEnabled(true);
    if (model.isFilledReceiver(row)) {
        controls.sendx->setEnabled(true);
        controls.copytosettings->setEnabled(true);
        controls.rightlabel->setVisible(showsUplinkHint(model.receiver(row).frequency));
    } else {
        controls.sendx->setEnabled(false);
        controls.copytosettings->setEnabled(false);
        controls.rightlabel->setVisible(false);
    }
}
