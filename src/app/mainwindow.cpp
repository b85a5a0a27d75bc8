#include "mainwindow.h"

#include "accessiblenames.h"
#include "alertline.h"
#include "arrowlines.h"
#include "command/hostentry.h"
#include "command/receivercommand.h"
#include "focuslosswatcher.h"
#include "hostboxes.h"
#include "model/copyrules.h"
#include "singlecopy.h"
#include "store/modelstore.h"
#include "table/flexgrid.h"
#include "table/keycharacter.h"
#include "tuning/boxstate.h"
#include "tuning/numberbox.h"
#include "unsavedquestion.h"
#include "windowfit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTime>
#include <cmath>

const QString MainWindow::caption = QStringLiteral("Zorudoza Zudizir Ivozudiro - 3d20u");

namespace {

void refill(QComboBox *box, const QStringList &items)
{
    box->clear();
    box->addItems(items);
}

using Entry = ReceiverModel::CheckedEntry;

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Form"));
    setWindowTitle(caption);
    createControls();
    connectHandlers();
    askToRetrySave = [this](const QString &question) {
        const auto box = unsavedQuestionBox(this, question);
        // The retry goes on while the question is open; once it has saved
        // everything there is nothing left to lose.
        connect(&store_, &SettingsStore::writeProblemChanged, box.get(), [this, open = box.get()] {
            if (store_.unsaved().isEmpty())
                open->done(QMessageBox::Retry);
        });
        return box->exec() != QMessageBox::Discard;
    };
}

MainWindow::~MainWindow()
{
    focusWatcher_->stop();
    qApp->removeEventFilter(this);
}

void MainWindow::connectHandlers()
{
    connect(msf1, &FlexGrid::Click, this, &MainWindow::msf1_Click);
    connect(msf1, &FlexGrid::KeyPress, this, &MainWindow::msf1_KeyPress);
    connect(copytorx, &QPushButton::clicked, this, &MainWindow::copytorx_Click);
    connect(copytosettings, &QPushButton::clicked, this, &MainWindow::copytosettings_Click);
    connect(frequency, &QComboBox::editTextChanged, this, &MainWindow::frequency_Change);
    // Any change of the chosen item, by the operator or by the program, runs
    // the step box's handler; the empty item makes it stop at once.
    connect(frequencymegs, &QComboBox::currentIndexChanged, this, &MainWindow::frequencymegs_Click);
    connect(frequencydecimal, &QComboBox::currentIndexChanged, this, &MainWindow::frequencydecimal_Click);
    connect(sendx, &SendButton::MouseDown, this, &MainWindow::sendx_MouseDown);
    connect(sendx, &SendButton::KeyPress, this, &MainWindow::sendx_KeyPress);
    connect(channelsbutton, &QPushButton::clicked, this, &MainWindow::openChannels);
    connect(&store_, &SettingsStore::writeProblemChanged, this, &MainWindow::setStoreProblem);

    // The grid draws the model: a receiver's preset in its row, the selected
    // receiver as the red mark. The boxes tell the model what they show.
    connect(&model_, &ReceiverModel::receiverChanged, this,
            [this](int receiver) { writeRow(*msf1, receiver, model_.receiver(receiver)); });
    connect(&model_, &ReceiverModel::selectedReceiverChanged, this, [this](int receiver) {
        if (receiver == 0)
            msf1->clearMark(FlexGrid::colourFromValue(fixedcolor));
        else
            msf1->setMarkedRow(receiver, FlexGrid::colourFromValue(fixedcolor));
    });
    for (QComboBox *box : {frequency, symbolrate, offset, antenna, voltage}) {
        connect(box, &QComboBox::currentTextChanged, this, &MainWindow::takeWorkingSettings);
        connect(box, &QComboBox::editTextChanged, this, &MainWindow::takeWorkingSettings);
    }
    setStoreProblem(store_.problem()); // a store that could not be read
    // The command line sends what the file holds: the operator must know
    // when it no longer holds what the window shows.
    connect(&store_, &SettingsStore::changedOutside, this, [this] {
        setStatus(tr("The settings file was changed outside this window; Ctrl+R shows its values."), nullptr);
    });
    store_.watchFile();

    focusWatcher_ = new FocusLossWatcher(this);
    focusWatcher_->watch(frequency, [this] { frequency_LostFocus(); });
    focusWatcher_->watch(symbolrate, [this] { symbolrate_LostFocus(); });
    focusWatcher_->watch(offset, [this] { offset_LostFocus(); });
    focusWatcher_->watch(qvipaddress[0], [this] { qvipaddress_LostFocus(0); });
    focusWatcher_->watch(qvipaddress[1], [this] { qvipaddress_LostFocus(1); });
    focusWatcher_->watch(qvipport, [this] { qvipport_LostFocus(); });
}

int MainWindow::HeightTwips() const
{
    return height() * twipsPerPixel;
}

void MainWindow::setHeightTwips(int twips)
{
    setFixedHeight(twipsToPixels(twips));
}

void MainWindow::Form_Load()
{
    // Key preview: the window sees every key before the focused control.
    qApp->installEventFilter(this);
    formheight = int16_t(HeightTwips());
    gridheight = int16_t(msf1->HeightTwips());
    selecttop = int16_t(selectmessage->y() * twipsPerPixel);
    SetupWindow();
}

void MainWindow::fillSelectionLists()
{
    refill(frequency,
           {"29.000", "51.000", "71.000", "146.000", "430.000", "1240.000", "2400.000", "3400.000",
            "5760.000", "10490.000"});
    refill(symbolrate,
           {"25", "35", "66", "125", "250", "333", "350", "500", "1000", "1200", "1500", "2000", "3000",
            "4000", "4167", "22000", "27500"});
    refill(offset,
           {"0.000", "5150.000", "9000.000", "9388.888", "9400.000", "9500.000", "9750.000", "10000.000",
            "10207.407", "10600.000"});
    refill(antenna, {"TOP", "BOT"});
    refill(frequencydecimal, {"", ".000", ".125", ".250", ".375", ".500", ".625", ".750", ".875"});
    QStringList megahertzDigits{QString()};
    for (int digit = 0; digit <= 9; ++digit)
        megahertzDigits << QString::number(digit);
    refill(frequencymegs, megahertzDigits);
    refill(voltage, voltageItems());
}

void MainWindow::SetupWindow()
{
    // Hiding the second host's box or disabling a button moves the focus on
    // its own; no box may be checked for that. The box that held the focus is
    // checked once, when the focus goes to the grid, on the value loaded here.
    QWidget *const boxWithFocus = focusWatcher_->boxWithFocus();
    focusWatcher_->setPaused(true);
    if (fit_)
        fit_->toDesign(); // the sizes below are the design's

    // A store that cannot be read now tells nothing of the values: what the
    // window shows stays, and no default is shown as though it were stored.
    const bool keep = setUpBefore_ && !store_.reread().isEmpty();
    setUpBefore_ = true;

    fillSelectionLists();

    if (!keep)
        loadModel(store_, model_);
    // The count is 1 to largestReceiverCount, so the sizes below stay far
    // inside 16 bits; every row is as high as the header row.
    const int maxreceivers = model_.maxreceivers();
    msf1->setRows(maxreceivers + 1);
    const int growth = msf1->RowHeightTwips(0) * (maxreceivers - 4);
    msf1->setHeightTwips(gridheight + growth);
    selectmessage->move(selectmessage->x(), twipsToPixels(selecttop + growth));
    msf1->setFormatString(presetColumnTitles().join(QLatin1Char('\t')));
    setHeightTwips(formheight + growth);
    qvipaddress[1]->setVisible(maxreceivers > 4);
    secondlabel->setVisible(maxreceivers > 4);
    for (int col = 0; col < msf1->Cols(); ++col)
        msf1->setColWidthTwips(col, int(std::nearbyint(double(msf1->WidthTwips()) / msf1->Cols())));
    for (int col = 0; col < msf1->Cols(); ++col)
        msf1->setColAlignment(col, Qt::AlignCenter);

    // CellBackColor is the current cell's: the header cell (0, 0) gives the
    // colour that unmarks a row.
    msf1->setRow(0);
    msf1->setCol(0);
    fixedcolor = FlexGrid::valueFromColour(msf1->CellBackColor());

    copytosettings->setEnabled(false);
    copytorx->setEnabled(false);
    sendx->setEnabled(false);
    frequencymegs->setCurrentIndex(0);
    frequencydecimal->setCurrentIndex(0);

    const HostTexts hosts = model_.hosts();
    qvipaddress[0]->setText(hosts.firstHost);
    qvipaddress[1]->setText(hosts.secondHost);
    qvipport->setText(hosts.basePort);

    RowCells working = model_.workingSettings();
    if (keep) { // the checked boxes go back to what they last accepted
        working.frequency = model_.lastAccepted(Entry::Frequency);
        working.symbolRate = model_.lastAccepted(Entry::SymbolRate);
        working.offset = model_.lastAccepted(Entry::Offset);
    }
    frequency->setEditText(working.frequency);
    symbolrate->setEditText(working.symbolRate);
    offset->setEditText(working.offset);
    chooseItemByText(antenna, working.antenna);
    chooseItemByText(voltage, working.voltage);

    // What the boxes took is what was accepted (a text field may shorten
    // what it is given).
    model_.setLastAccepted(Entry::Frequency, frequency->currentText());
    model_.setLastAccepted(Entry::SymbolRate, symbolrate->currentText());
    model_.setLastAccepted(Entry::Offset, offset->currentText());
    model_.setLastAccepted(Entry::FirstHost, qvipaddress[0]->text());
    model_.setLastAccepted(Entry::SecondHost, qvipaddress[1]->text());
    model_.setLastAccepted(Entry::BasePort, qvipport->text());

    for (int row = 1; row <= maxreceivers; ++row) {
        msf1->setTextMatrix(row, 0, QString::number(row));
        writeRow(*msf1, row, model_.receiver(row));
    }

    // The normal colour; during a flash the button is red, and the flash must
    // still end in the normal colour.
    if (!flash_->isFlashing())
        flash_->setNormalColour(sendx->backColour());

    if (fit_)
        fit_->fit();
    show();
    msf1->SetFocus();
    focusWatcher_->setPaused(false);
    if (boxWithFocus && !boxWithFocus->hasFocus())
        focusWatcher_->check(boxWithFocus);
    // Last, after the focus has moved and the box's check has run its
    // handlers: no receiver row is current, so none is selected.
    msf1->setRow(0);
    rightlabel->setVisible(false);
    qvipaddress[1]->setToolTip(secondHostHint(qvipport->text()));
}

void MainWindow::Form_KeyPress(int &characterCode)
{
    if (characterCode == keyCharacter(Qt::Key_L, Qt::ControlModifier)) {
        characterCode = 0;
        openChannels();
        return;
    }
    if (characterCode != keyCharacter(Qt::Key_R, Qt::ControlModifier))
        return;
    // The mark goes, wherever the arrow keys have moved the current cell
    // since the row was chosen; no other cell changes colour.
    model_.setSelectedReceiver(0);
    characterCode = 0;
    if (model_.maxreceivers() == 4)
        model_.setMaxreceivers(8);
    else if (model_.maxreceivers() == 8)
        model_.setMaxreceivers(4);
    saveReceiverCount(store_, model_);
    SetupWindow();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::Wheel)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget)
        return false;
    // window(): this one.
    QWidget *const topLevel = widget->window();
    if (type == QEvent::Wheel) {
        // A stray turn of the wheel over a selector must not change a setting.
        return topLevel == window()
            && (qobject_cast<QComboBox *>(widget) != nullptr
                || qobject_cast<QComboBox *>(widget->parentWidget()) != nullptr);
    }
    // An open drop-down list is a window of its own, owned by its selector.
    auto *const listOwner =
        topLevel->windowType() == Qt::Popup ? qobject_cast<QComboBox *>(topLevel->parentWidget()) : nullptr;
    if (topLevel != window() && !(listOwner && listOwner->window() == window()))
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() == Qt::Key_S && key->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier)) {
        sendAllRows();
        return true;
    }
    int code = keyCharacter(*key);
    if (code == 0)
        return false;
    if (code == keyCharacter(Qt::Key_R, Qt::ControlModifier) && listOwner)
        listOwner->hidePopup(); // the list would show the items of before the rebuild
    Form_KeyPress(code);
    return code == 0;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Every value was stored when accepted, unless the disk refused it then:
    // such values are written now, and lost only when the operator says so.
    while (!store_.saveUnsaved()) {
        if (!askToRetrySave(unsavedQuestionText(store_.unsaved(), store_.problem())))
            break;
    }
    focusWatcher_->stop();
    event->accept();
}

RowSelectionControls MainWindow::selectionControls() const
{
    return {msf1, copytorx, copytosettings, sendx, rightlabel};
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

void MainWindow::noteEntry(QWidget *box, Entry entry, const EntryOutcome &outcome)
{
    if (outcome.accepted)
        model_.setLastAccepted(entry, outcome.acceptedText);
    if (!outcome.refusal.isEmpty())
        setStatus(outcome.refusal, box);
    else if (outcome.accepted && statusBox_ == box)
        setStatus(QString(), nullptr);
}

void MainWindow::setStatus(const QString &text, QWidget *box)
{
    status_ = text;
    statusBox_ = box;
    statusline->setText(fitStatus(text, statusline->fontMetrics(), statusline->contentsRect().size()));
    // The hover text has it whole when the line had to shorten it.
    statusline->setToolTip(statusline->text().contains(QChar(0x2026)) ? text : QString());
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

void MainWindow::setSendProblem(const QString &problem)
{
    sendProblem_ = problem;
    showAlerts();
}

void MainWindow::fitToScreen()
{
    fit_ = new WindowFit(*this);
}

void MainWindow::setSingleCopyProblem(const QString &problem)
{
    singleCopyProblem_ = problem;
    showAlerts();
}

void MainWindow::setStoreProblem(const QString &problem)
{
    storeProblem_ = problem;
    showAlerts();
}

QStringList MainWindow::alerts() const
{
    // Most urgent first: values that are not on disk, a send that failed,
    // then that a second copy would not be detected.
    QStringList parts;
    for (const QString &part : {storeProblem_, sendProblem_, singleCopyProblem_}) {
        if (!part.isEmpty())
            parts << part;
    }
    return parts;
}

QString MainWindow::alertText() const
{
    return alerts().join(QLatin1Char('\n'));
}

void MainWindow::showAlerts()
{
    // Every word shows: paths are shortened in their folder part to fit, and
    // what still does not fit is counted and left to the tooltip.
    const QStringList messages = alerts();
    const QString text = messages.join(QLatin1Char('\n'));
    const QString storeFile = store_.fileName();
    QStringList paths{storeFile, storeFile + QStringLiteral(".lock")};
    if (!singleCopyProblem_.isEmpty())
        paths << singleCopyLockPath();
    const QFontMetrics metrics = alertmessage->fontMetrics();
    const int width = alertmessage->contentsRect().width();
    QString line = fitAlert(messages, paths, metrics, width);
    if (metrics.horizontalAdvance(line) > width) {
        // The system's reason ("(Read-only file system)") gives way first;
        // the tooltip keeps it.
        static const QRegularExpression reason(QStringLiteral(" \\([^()]*\\)(?=\\.$)"));
        QStringList shorter = messages;
        for (QString &message : shorter)
            message.remove(reason);
        line = fitAlert(shorter, paths, metrics, width);
    }
    alertmessage->setText(line);
    alertmessage->setToolTip(text);
    alertmessage->setVisible(!text.isEmpty());
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
