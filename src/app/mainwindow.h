// The program's one window: its controls (mainwindowcontrols.cpp), the
// Ctrl+R receiver-count toggle, the set-up that fills everything from the
// store, and the event handlers (mainwindowhandlers.cpp), which hand their
// work to the table, tuning and command code.
#pragma once

#include "command/sending.h"
#include "model/receivermodel.h"
#include "sendbutton.h"
#include "store/settingsstore.h"
#include "table/copyoperations.h"
#include "table/rowselection.h"

#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>

class ChannelsWindow;
class FlexGrid;
class FocusLossWatcher;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class WindowFit;
struct EntryOutcome;

class MainWindow : public QWidget
{
    Q_OBJECT

public:
    static const QString caption;

    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Load: key preview on, the design sizes recorded, then set-up.
    void Form_Load();
    void SetupWindow();

    // Handlers, named after their control and event.
    void Form_KeyPress(int &characterCode);
    void msf1_Click();
    void msf1_KeyPress(int characterCode);
    void copytorx_Click();
    void copytosettings_Click();
    void frequency_Change();
    void frequency_LostFocus();
    void frequencymegs_Click();
    void frequencydecimal_Click();
    void symbolrate_LostFocus();
    void offset_LostFocus();
    void sendx_MouseDown(int buttonBits);
    void sendx_KeyPress(int characterCode);
    void qvipaddress_LostFocus(int index);
    void qvipport_LostFocus();

    // The program's state, which the controls show and change. A change made
    // to it from outside shows in the grid at once, as the operator's own do.
    ReceiverModel &model() { return model_; }
    const ReceiverModel &model() const { return model_; }
    // The checked entry a box edits, if it edits one.
    std::optional<ReceiverModel::CheckedEntry> entryOf(const QWidget *box) const;
    // The channel library (Ctrl+L) and Ctrl+Shift+S, in mainwindowchannels.cpp.
    void openChannels();
    // Stores the cells as the selected receiver's preset and sends them, as
    // the channel's load, "Copy from settings to grid" and a left press on
    // "Send Selected" would; "" when sent, else why not.
    QString tuneSelectedReceiver(const RowCells &cells);
    // Every filled row to its receiver; the status line says how it went.
    void sendAllRows();

    // The window's height in twips, as the rest of the program speaks of sizes.
    int HeightTwips() const;
    void setHeightTwips(int twips);

    SettingsStore &store() { return store_; }
    const SendFlash &sendFlash() const { return *flash_; }
    // What the window tells the operator about a failed save or send, in
    // full: one problem a line, most urgent first (the alert line's tooltip).
    QString alertText() const;
    // What the last send did, or why the last refused entry was refused,
    // as one line (the status line shows it, wrapped, or its tooltip).
    QString statusText() const { return status_; }
    // Why a second copy would not be detected, for the alert line.
    void setSingleCopyProblem(const QString &problem);
    // From now on the window is scaled down to fit a screen smaller than it,
    // at every set-up and whenever its screen changes.
    void fitToScreen();

    // Asked at close while accepted values still cannot be written: true to
    // try again, false to close and lose them. Tests answer it themselves.
    std::function<bool(const QString &question)> askToRetrySave;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void connectHandlers();
    void fillSelectionLists();
    RowSelectionControls selectionControls() const;
    WorkingSettingsBoxes workingSettings() const;
    void setSendProblem(const QString &problem);
    void setStoreProblem(const QString &problem);
    QStringList alerts() const;
    void showAlerts();
    void noteEntry(QWidget *box, ReceiverModel::CheckedEntry entry, const EntryOutcome &outcome);
    void setStatus(const QString &text, QWidget *box);
    void takeWorkingSettings();

    // Window-level state of the design that is the window's own: its sizes
    // as loaded, in twips, and the colour of a receiver row's unmarked first
    // cell (0x00BBGGRR). The count and the rest are the model's.
    int16_t formheight = 0;
    int16_t gridheight = 0;
    int16_t selecttop = 0;
    int32_t fixedcolor = 0;

    ReceiverModel model_;
    SettingsStore store_;
    bool setUpBefore_ = false; // the window shows values of its own
    FocusLossWatcher *focusWatcher_ = nullptr;
    SendFlash *flash_ = nullptr;
    DatagramSender sender_;
    QString singleCopyProblem_;
    QString storeProblem_;
    QString sendProblem_;
    QString status_;
    QWidget *statusBox_ = nullptr; // the box whose refusal the status tells
    ChannelsWindow *channels_ = nullptr;
    WindowFit *fit_ = nullptr; // none: always as designed

    // Controls.
    QLabel *secondlabel = nullptr;
    QLabel *rightlabel = nullptr;
    QLabel *selectmessage = nullptr;
    QLabel *alertmessage = nullptr;
    QLabel *statusline = nullptr;
    QLineEdit *qvipaddress[2] = {nullptr, nullptr};
    QLineEdit *qvipport = nullptr;
    QComboBox *frequency = nullptr;
    QComboBox *frequencymegs = nullptr;
    QComboBox *frequencydecimal = nullptr;
    QComboBox *symbolrate = nullptr;
    QComboBox *offset = nullptr;
    QComboBox *antenna = nullptr;
    QComboBox *voltage = nullptr;
    QPushButton *copytosettings = nullptr;
    QPushButton *copytorx = nullptr;
    QPushButton *channelsbutton = nullptr;
    SendButton *sendx = nullptr;
    FlexGrid *msf1 = nullptr;
};
