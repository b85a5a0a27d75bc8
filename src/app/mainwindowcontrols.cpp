// The window's controls as designed: names, captions, hover texts, places in
// twips, colours and the tab order. Behaviour lives in mainwindow.cpp.
#include "mainwindow.h"

#include "accessiblenames.h"
#include "apppalette.h"
#include "arrowlines.h"
#include "captions.h"
#include "focusring.h"
#include "store/storeschema.h"
#include "table/flexgrid.h"
#include "tuning/decimalkey.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int clientWidthTwips = 13500;
constexpr int clientHeightTwips = 8025;
const QColor labelBlue(128, 128, 255);

void place(QWidget *widget, int left, int top, int width, int height)
{
    widget->setGeometry(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

} // namespace

void MainWindow::createControls()
{
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(16); // 12 points at 96 dots per inch, in the layout's own pixels
    setFont(font);
    QPalette palette = designedPalette(); // not the desktop's
    palette.setColor(QPalette::Window, QColor(192, 192, 255));
    setPalette(palette);
    setAutoFillBackground(true);
    setFixedSize(twipsToPixels(clientWidthTwips), twipsToPixels(clientHeightTwips));

    (new ArrowLines(this))->setGeometry(0, 0, 2000, 2000);

    struct LabelDesign
    {
        const char *name;
        const char *text;
        int left, top, width, height;
        Qt::Alignment align;
    };
    const LabelDesign labels[] = {
        {"Label41", captions::firstHost, 660, 660, 2415, 375, Qt::AlignRight},
        {"Label43", captions::basePort, 8400, 660, 2775, 375, Qt::AlignRight},
        {"secondlabel", captions::secondHost, 660, 1200, 2415, 375, Qt::AlignRight},
        {"Label44", "Frequency, SR and Loc Osc may be typed directly into the box", 660, 1920, 12195, 375,
         Qt::AlignHCenter},
        {"Label20", "Frequency . . . . . . . . .  MHz . . . . . kHz . . . . ", 600, 2520, 4875, 375,
         Qt::AlignLeft},
        {"Label10", captions::symbolRate, 5520, 2520, 1515, 375, Qt::AlignLeft},
        {"Label30", captions::offset, 7080, 2520, 1935, 375, Qt::AlignLeft},
        {"Label42", captions::antenna, 9120, 2520, 1335, 375, Qt::AlignLeft},
        {"Label40", captions::voltage, 10560, 2520, 2595, 375, Qt::AlignLeft},
        {"Label50", "+", 2520, 2955, 375, 375, Qt::AlignHCenter},
        {"Label60", "+", 3720, 2955, 375, 375, Qt::AlignHCenter},
        {"rightlabel", "Right-click to send uplink to other ANT", 10380, 3600, 2595, 615, Qt::AlignHCenter},
        {"selectmessage", "Click on a row to SELECT", 660, 7500, 12195, 375, Qt::AlignHCenter},
        // Beside the second host's box, clear of it, and in the same place
        // at four receivers, where that box is hidden.
        {"alertmessage", "", 5640, 1215, 7215, 375, Qt::AlignRight},
        // Between the copy and send buttons and the table, clear of the arrows.
        {"statusline", "", 5940, 4800, 5340, 840, Qt::AlignLeft},
    };
    for (const LabelDesign &design : labels) {
        auto *label = new QLabel(QString::fromLatin1(design.text), this);
        label->setObjectName(QLatin1String(design.name));
        label->setAlignment(design.align | Qt::AlignTop);
        place(label, design.left, design.top, design.width, design.height);
    }
    secondlabel = findChild<QLabel *>(QStringLiteral("secondlabel"));
    rightlabel = findChild<QLabel *>(QStringLiteral("rightlabel"));
    selectmessage = findChild<QLabel *>(QStringLiteral("selectmessage"));
    alertmessage = findChild<QLabel *>(QStringLiteral("alertmessage"));
    statusline = findChild<QLabel *>(QStringLiteral("statusline"));
    // Smaller and plain, so a whole command fits in two lines and a problem
    // in the room beside the second host's box.
    QFont statusFont = font;
    statusFont.setBold(false);
    statusFont.setPixelSize(13);
    statusline->setFont(statusFont);
    alertmessage->setFont(statusFont);
    setTextColour(statusline, QColor(0, 0, 96));
    for (const char *name : {"Label44", "rightlabel", "selectmessage"})
        setTextColour(findChild<QLabel *>(QLatin1String(name)), labelBlue);
    for (const char *name : {"Label50", "Label60"})
        setTextColour(findChild<QLabel *>(QLatin1String(name)), Qt::white);
    setTextColour(alertmessage, QColor(192, 0, 0));
    rightlabel->setWordWrap(true);
    secondlabel->hide();
    rightlabel->hide();
    alertmessage->hide();

    auto makeTextBox = [this](const char *name, const QString &text, const QString &hint) {
        auto *box = new QLineEdit(text, this);
        box->setObjectName(QLatin1String(name));
        box->setAlignment(Qt::AlignCenter);
        box->setToolTip(hint);
        return box;
    };
    qvipaddress[0] = makeTextBox("qvipaddress0", defaultFirstHost,
                                 QStringLiteral("IP address of the Raspberry Pi running Quenvale"));
    place(qvipaddress[0], 3300, 600, 2055, 405);
    qvipport = makeTextBox("qvipport", defaultBasePort,
                           QStringLiteral("Must be xx00 or xx000 and >= 1100 and <= 65400"));
    place(qvipport, 11400, 600, 1455, 405);
    qvipaddress[1] = makeTextBox("qvipaddress1", defaultSecondHost,
                                 QStringLiteral("IP address of the second Raspberry Pi running Quenvale"));
    place(qvipaddress[1], 3300, 1140, 2055, 405);

    auto makeSelector = [this](const char *name, bool editable, const QString &placeholder) {
        auto *box = new QComboBox(this);
        box->setObjectName(QLatin1String(name));
        box->setEditable(editable);
        box->setMaxVisibleItems(20);
        if (editable) {
            // Typed text stays exactly as typed: no completion, no new items.
            box->setCompleter(nullptr);
            box->setInsertPolicy(QComboBox::NoInsert);
            box->setEditText(placeholder);
        }
        return box;
    };
    frequency = makeSelector("frequency", true, QStringLiteral("frequency"));
    place(frequency, 600, 2880, 1815, 405);
    frequencymegs = makeSelector("frequencymegs", false, {});
    place(frequencymegs, 3000, 2880, 615, 405);
    frequencydecimal = makeSelector("frequencydecimal", false, {});
    place(frequencydecimal, 4200, 2880, 975, 405);
    symbolrate = makeSelector("symbolrate", true, QStringLiteral("Combo2"));
    place(symbolrate, 5520, 2880, 1215, 405);
    offset = makeSelector("offset", true, QStringLiteral("Combo3"));
    place(offset, 7080, 2880, 1695, 405);
    antenna = makeSelector("antenna", false, {});
    place(antenna, 9120, 2880, 1095, 405);
    voltage = makeSelector("voltage", false, {});
    place(voltage, 10560, 2880, 2295, 405);
    for (QComboBox *box : {frequency, symbolrate, offset})
        keypadDecimalTypesFullStop(box);

    copytosettings = new QPushButton(QString::fromLatin1(captions::copyToSettings) + QLatin1Char(' '), this);
    copytosettings->setObjectName(QStringLiteral("copytosettings"));
    place(copytosettings, 540, 4260, 3375, 495);
    copytorx = new QPushButton(QString::fromLatin1(captions::copyToGrid), this);
    copytorx->setObjectName(QStringLiteral("copytorx"));
    place(copytorx, 5940, 4260, 3375, 495);
    for (QPushButton *button : {copytosettings, copytorx})
        button->setAutoDefault(false);
    sendx = new SendButton(QString::fromLatin1(captions::send), this);
    sendx->setObjectName(QStringLiteral("sendx"));
    sendx->setToolTip(
        QStringLiteral("Right-click to send the QO-100 UPLINK frequency using the other antenna (TOP/BOT)"));
    // A screen reader hears the keyboard's way to the right press too.
    sendx->setAccessibleDescription(sendx->toolTip()
                                    + QStringLiteral(". From the keyboard: Space sends, the context-menu key "
                                                     "or Shift+F10 does what a right-click does. By touch or "
                                                     "pen: a tap sends, a press held until the bar fills "
                                                     "does what a right-click does."));
    place(sendx, 10560, 4260, 2295, 495);
    sendx->setBackColour(FlexGrid::valueFromColour(sendx->palette().color(QPalette::Button)));
    flash_ = new SendFlash(sendx, this);

    // Above the first host's row, where the design has nothing: no designed
    // control moves, and the window keeps its size.
    channelsbutton = new QPushButton(QStringLiteral("Channels..."), this);
    channelsbutton->setObjectName(QStringLiteral("channelsbutton"));
    channelsbutton->setToolTip(
        QStringLiteral("The channel library (Ctrl+L). Ctrl+Shift+S sends every filled row."));
    channelsbutton->setAutoDefault(false);
    // Outside the designed Tab order; from the keyboard it is Ctrl+L.
    channelsbutton->setFocusPolicy(Qt::NoFocus);
    place(channelsbutton, 540, 90, 1800, 420);

    msf1 = new FlexGrid(this);
    msf1->setObjectName(QStringLiteral("msf1"));
    place(msf1, 600, 5700, 12255, 1695);

    // Tab order: the boxes, the buttons and the grid in their design order.
    QWidget *const tabOrder[] = {qvipaddress[0],   copytosettings, qvipport, frequency,     frequencymegs,
                                 frequencydecimal, symbolrate,     offset,   antenna,       voltage,
                                 copytorx,         sendx,          msf1,     qvipaddress[1]};
    for (size_t i = 1; i < std::size(tabOrder); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    nameControlsForScreenReaders(*this);
    new FocusRing(this);
}
