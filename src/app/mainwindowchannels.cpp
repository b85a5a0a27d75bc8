// The main window's side of the channel library and of send-all: the
// Channels window's actions go the ways of the designed buttons.
#include "channelswindow.h"
#include "command/hostentry.h"
#include "command/sendall.h"
#include "mainwindow.h"
#include "table/flexgrid.h"
#include "tuning/boxstate.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTime>

void MainWindow::openChannels()
{
    if (!channels_) {
        ChannelActions actions;
        actions.load = [this](const RowCells &cells) { loadCellsIntoSettings(cells, workingSettings()); };
        actions.tune = [this](const RowCells &cells) { return tuneSelectedReceiver(cells); };
        actions.workingSettings = [this] { return rowCellsFromSettings(workingSettingsTexts(workingSettings())); };
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
    if (row < 1 || row > maxreceivers)
        return tr("Nothing sent: no receiver is selected. Choose a row in the receiver table first.");
    // Nothing is stored for a receiver that could not be reached.
    if (!receiverDestination(row, lastAccepted(qvipaddress[0]), lastAccepted(qvipaddress[1]), lastAccepted(qvipport)))
        return tr("Nothing sent: the host address or the base port is not usable.");
    // The three designed steps: load into the settings, copy into the row, send.
    loadCellsIntoSettings(cells, workingSettings());
    copytorx_Click();
    sendx_MouseDown(LeftButtonBit);
    return sendProblem_;
}

void MainWindow::sendAllRows()
{
    const SendAllOutcome outcome =
        ::sendAllRows(sender_, maxreceivers, [this](int row) { return readRow(*msf1, row); },
                      {lastAccepted(qvipaddress[0]), lastAccepted(qvipaddress[1]), lastAccepted(qvipport)});
    setStatus(QTime::currentTime().toString(QStringLiteral("HH:mm:ss  ")) + sendAllSummary(outcome), nullptr);
}
