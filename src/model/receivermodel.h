// The program's state, in one place that no widget owns: the window draws it
// and turns the operator's clicks and keys into changes of it, the command
// line reads it, and the store (store/modelstore.h) loads it and saves it.
// Qt Core only.
//
// What it holds, each under the window-level name of the design where there
// is one:
//   - the receiver count, `maxreceivers` (1 to 16 as the store gives it);
//   - each receiver's five preset texts, receivers numbered from 1;
//   - the selected receiver, the one the operator last chose (0 for none);
//   - the working settings, the five texts the settings boxes show;
//   - the last accepted text of each checked entry: the three number boxes
//     of the working settings, the two host addresses and the base port.
//     A refused entry goes back to it, and sending reads the hosts from it.
//
// Every setter emits its change signal only when the value changes, and
// only after the new value is in place, so a listener always reads the new
// state. Nothing here stores anything: writing to disk is the caller's step.
#pragma once

#include "presets.h"

#include <QObject>
#include <QVector>

class ReceiverModel : public QObject
{
    Q_OBJECT

public:
    // The entries whose text is checked when the operator leaves them.
    enum class CheckedEntry { Frequency, SymbolRate, Offset, FirstHost, SecondHost, BasePort };
    Q_ENUM(CheckedEntry)

    explicit ReceiverModel(QObject *parent = nullptr);

    // The receiver count. A smaller count hides the receivers beyond it but
    // keeps their presets: a window that cannot read its store shows them as
    // they were when the count grows again. A receiver never set reads empty.
    // A selection beyond the new count becomes 0.
    int maxreceivers() const { return count_; }
    void setMaxreceivers(int count);

    // Receiver `receiver`'s five texts; a number outside 1 to maxreceivers()
    // reads empty and is not set.
    RowCells receiver(int receiver) const;
    void setReceiver(int receiver, const RowCells &cells);
    bool isReceiver(int receiver) const { return receiver >= 1 && receiver <= maxreceivers(); }
    // Filled (Frequency, Symbol Rate and Antenna hold text): the only
    // receivers that can be sent or loaded into the working settings.
    bool isFilledReceiver(int receiver) const { return isFilled(this->receiver(receiver)); }

    // The receiver the operator chose, 0 for none; any number that is not a
    // receiver's selects none.
    int selectedReceiver() const { return selected_; }
    void setSelectedReceiver(int receiver);

    // The working settings as their boxes show them, checked or not.
    const RowCells &workingSettings() const { return working_; }
    void setWorkingSettings(const RowCells &cells);

    QString lastAccepted(CheckedEntry entry) const;
    void setLastAccepted(CheckedEntry entry, const QString &text);
    // The hosts a command is sent with: the last accepted host texts.
    HostTexts hosts() const;

signals:
    void maxreceiversChanged(int count);
    void receiverChanged(int receiver);
    void selectedReceiverChanged(int receiver);
    void workingSettingsChanged();
    void lastAcceptedChanged(ReceiverModel::CheckedEntry entry);

private:
    int count_ = 0;
    QVector<RowCells> receivers_; // receiver n at n - 1, hidden ones included
    int selected_ = 0;
    RowCells working_;
    QString accepted_[6];
};
