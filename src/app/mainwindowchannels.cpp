// The main window's side of the channel library and of send-all: the
// Channels window's actions go the ways of the designed buttons.
#include "channelswindow.h"
#include "command/hostentry.h"
#include "command/sendall.h"
#include "mainwindow.h"
#include "model/copyrules.h"
#include "table/flexgrid.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTime>

void MainWindow::openChannels()
{
    if (!channels_) {
        ChannelActions actions;
        actions.load = [this](const RowCells &cells) { loadRowIntoSettings(cells, workingSettings()); };
        actions.tune = [this](const RowCells &cells) { return tuneSelectedReceiver(cells); };
        actions.workingSettings = [this] { return rowCellsFromSettings(model_.workingSettings()); };
        channels_ = new ChannelsWindow(store_.fileName(), actions, this);
    } else {
        channels_->refresh();
    }
    channels_->show();
    channels_->raise();
    channels_->activateWindow();
}

QString MainWindow::tuneSelectedReceiver(const RowCells &cells)
{
    const int row = msf1->Row();
    if (!model_.isReceiver(row))
        return tr("Nothing sent: no receiver is selected. Choose a row in the receiver table first.");
    // Nothing is stored for a receiver that could not be reached.
    const HostTexts hosts = model_.hosts();
    if (!receiverDestination(row, hosts.firstHost, hosts.secondHost, hosts.basePort))
        return tr("Nothing sent: the host address or the base port is not usable.");
    // The three designed steps: load into the settings, copy into the row, send.
    loadRowIntoSettings(cells, workingSettings());
    copytorx_Click();
    sendx_MouseDown(LeftButtonBit);
    // A row the disk refused is held and retried: it is not stored yet.
    if (sendProblem_.isEmpty() && !store_.unsaved().isEmpty())
        return tr("Sent, but not stored yet: %1").arg(store_.problem());
    return sendProblem_;
}

void MainWindow::sendAllRows()
{
    const SendAllOutcome outcome = ::sendAllRows(
        sender_, model_.maxreceivers(), [this](int row) { return model_.receiver(row); }, model_.hosts());
    setStatus(QTime::currentTime().toString(QStringLiteral("HH:mm:ss  ")) + sendAllSummary(outcome), nullptr);
}
