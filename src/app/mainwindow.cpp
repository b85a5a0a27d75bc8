#include "mainwindow.h"

#include "command/hostentry.h"
#include "focuslosswatcher.h"
#include "store/modelstore.h"
#include "table/flexgrid.h"
#include "table/keycharacter.h"
#include "tuning/boxstate.h"
#include "unsavedquestion.h"
#include "windowfit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

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
    refill(antenna, antennaItems());
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
    // Refilling the lists empties the boxes, and the model follows them.
    const RowCells shown = model_.workingSettings();

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

    RowCells working = keep ? shown : model_.workingSettings();
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

void MainWindow::fitToScreen()
{
    fit_ = new WindowFit(*this);
}
