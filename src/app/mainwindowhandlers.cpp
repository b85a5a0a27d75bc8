// The window's event handlers, named after their control and event as
// designed. Each hands its work to the table, tuning and command code and
// keeps the model up to date.
#include "mainwindow.h"

#include "command/receivercommand.h"
#include "hostboxes.h"
#include "model/copyrules.h"
#include "store/modelstore.h"
#include "table/flexgrid.h"
#include "table/keycharacter.h"
#include "tuning/boxstate.h"
#include "tuning/numberbox.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTime>

using Entry = ReceiverModel::CheckedEntry;

RowSelectionControls MainWindow::selectionControls() const
{
    return {copytorx, copytosettings, sendx, rightlabel};
}

WorkingSettingsBoxes MainWindow::workingSettings() const
{
    return {frequency, symbolrate, offset, antenna, voltage, frequencymegs, frequencydecimal};
}

void MainWindow::msf1_Click()
{
    const int row = msf1->Row();
    msf1->setCol(0);
    model_.setSelectedReceiver(row);
    // A click redraws every receiver's first cell, chosen or not.
    msf1->setMarkedRow(model_.selectedReceiver(), FlexGrid::colourFromValue(fixedcolor));
    showSelectionControls(selectionControls(), model_, row);
}

void MainWindow::msf1_KeyPress(int characterCode)
{
    if (characterCode == ' ' || characterCode == keyCharacter(Qt::Key_Return))
        msf1_Click();
}

void MainWindow::copytorx_Click()
{
    const int row = msf1->Row();
    if (!model_.isReceiver(row))
        return;
    model_.setReceiver(row, rowCellsFromSettings(model_.workingSettings()));
    saveCopiedReceiver(store_, model_, row);
    msf1_Click();
}

void MainWindow::copytosettings_Click()
{
    const int row = msf1->Row();
    if (!model_.isReceiver(row))
        return;
    loadRowIntoSettings(model_.receiver(row), workingSettings());
}

void MainWindow::frequency_Change()
{
    frequencyTextChanged(frequencymegs, frequencydecimal);
}

void MainWindow::frequency_LostFocus()
{
    noteEntry(frequency, Entry::Frequency,
              CheckNumberBox(frequency, frequencyRule, model_.lastAccepted(Entry::Frequency)));
}

void MainWindow::frequencymegs_Click()
{
    composeMegahertzDigit(frequency, frequencymegs);
}

void MainWindow::frequencydecimal_Click()
{
    composeFraction(frequency, frequencydecimal);
}

void MainWindow::symbolrate_LostFocus()
{
    noteEntry(symbolrate, Entry::SymbolRate,
              CheckNumberBox(symbolrate, symbolRateRule, model_.lastAccepted(Entry::SymbolRate)));
}

void MainWindow::offset_LostFocus()
{
    noteEntry(offset, Entry::Offset, CheckNumberBox(offset, offsetRule, model_.lastAccepted(Entry::Offset)));
}

void MainWindow::sendx_MouseDown(int buttonBits)
{
    const int row = msf1->Row();
    const SendOutcome outcome = sendReceiverCommand(sender_, row, model_.maxreceivers(), model_.receiver(row),
                                                    model_.hosts(), sendVariantOfButtons(buttonBits));
    setSendProblem(outcome.problem);
    // UDP brings no answer and the flash is brief: the line says what went
    // where. A failed send is told by the alert line instead.
    setStatus(outcome.sent ? QStringLiteral("%1  RX%2 \u2192 %3  %4")
                                 .arg(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")))
                                 .arg(row)
                                 .arg(destinationText(outcome.destination), outcome.line)
                           : QString(),
              nullptr);
    if (outcome.sent)
        flash_->start();
}

void MainWindow::sendx_KeyPress(int characterCode)
{
    if (characterCode == ' ')
        sendx_MouseDown(LeftButtonBit);
}

void MainWindow::qvipaddress_LostFocus(int index)
{
    noteEntry(qvipaddress[index], index == 1 ? Entry::SecondHost : Entry::FirstHost,
              checkAddressBox(qvipaddress, index, model_, store_));
}

void MainWindow::qvipport_LostFocus()
{
    noteEntry(qvipport, Entry::BasePort, checkPortBox(qvipport, qvipaddress[1], model_, store_));
}

void MainWindow::noteEntry(QWidget *box, Entry entry, const EntryOutcome &outcome)
{
    if (outcome.accepted)
        model_.setLastAccepted(entry, outcome.acceptedText);
    if (!outcome.refusal.isEmpty())
        setStatus(outcome.refusal, box);
    else if (outcome.accepted && statusBox_ == box)
        setStatus(QString(), nullptr);
}

void MainWindow::takeWorkingSettings()
{
    model_.setWorkingSettings(workingSettingsTexts(workingSettings()));
}

std::optional<ReceiverModel::CheckedEntry> MainWindow::entryOf(const QWidget *box) const
{
    const std::pair<const QWidget *, Entry> boxes[] = {
        {frequency, Entry::Frequency},      {symbolrate, Entry::SymbolRate},     {offset, Entry::Offset},
        {qvipaddress[0], Entry::FirstHost}, {qvipaddress[1], Entry::SecondHost}, {qvipport, Entry::BasePort}};
    for (const auto &[edits, entry] : boxes) {
        if (edits == box)
            return entry;
    }
    return std::nullopt;
}
