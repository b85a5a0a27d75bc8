// The window made from its table of controls (controltable.cpp), with what
// the table does not say: fonts, what starts hidden, the tab order.
// Behaviour lives in mainwindow.cpp.
#include "mainwindow.h"

#include "accessiblenames.h"
#include "apppalette.h"
#include "arrowlines.h"
#include "controltable.h"
#include "focusring.h"
#include "store/storeschema.h"
#include "table/flexgrid.h"
#include "tuning/decimalkey.h"

#include <QComboBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int clientWidthTwips = 13500;
constexpr int clientHeightTwips = 8025;

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

QWidget *makeControl(const ControlDesign &design, QWidget *parent)
{
    const QString text = QString::fromLatin1(design.text);
    switch (design.kind) {
    case ControlDesign::Kind::Label: {
        auto *label = new QLabel(text, parent);
        label->setAlignment(design.alignment | Qt::AlignTop);
        return label;
    }
    case ControlDesign::Kind::TextBox: {
        auto *box = new QLineEdit(text, parent);
        box->setAlignment(design.alignment);
        return box;
    }
    case ControlDesign::Kind::EditableSelector:
    case ControlDesign::Kind::Selector: {
        auto *box = new QComboBox(parent);
        box->setMaxVisibleItems(20);
        if (design.kind == ControlDesign::Kind::EditableSelector) {
            box->setEditable(true);
            // Typed text stays exactly as typed: no completion, no new items.
            box->setCompleter(nullptr);
            box->setInsertPolicy(QComboBox::NoInsert);
            box->setEditText(text);
        }
        return box;
    }
    case ControlDesign::Kind::Button: {
        auto *button = new QPushButton(text, parent);
        button->setAutoDefault(false);
        return button;
    }
    case ControlDesign::Kind::SendButton:
        return new SendButton(text, parent);
    case ControlDesign::Kind::Grid:
        return new FlexGrid(parent);
    }
    Q_UNREACHABLE();
    return nullptr;
}

// The controls made from the table, by name. A name the table lacks, or a
// control of another kind, is a fault in the program, not something to
// pass over silently.
class MadeControls
{
public:
    void insert(const char *name, QWidget *control) { controls_.insert(QByteArray(name), control); }
    QWidget *value(const char *name) const { return get<QWidget>(name); }
    template<class Control> Control *get(const char *name) const
    {
        auto *control = qobject_cast<Control *>(controls_.value(QByteArray(name)));
        if (!control)
            qFatal("The window has no %s named %s", Control::staticMetaObject.className(), name);
        return control;
    }

private:
    QHash<QByteArray, QWidget *> controls_;
};

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

    MadeControls made;
    for (const ControlDesign &design : designedControls()) {
        QWidget *control = makeControl(design, this);
        control->setObjectName(QLatin1String(design.name));
        control->setToolTip(QString::fromLatin1(design.hint));
        if (design.textColour != 0)
            setTextColour(control, QColor(design.textColour));
        place(control, design.left, design.top, design.width, design.height);
        made.insert(design.name, control);
    }
    for (const ControlDesign &design : designedControls()) {
        if (design.spokenName) {
            nameForScreenReaders(*made.value(design.name),
                                 design.namingLabel ? made.get<QLabel>(design.namingLabel) : nullptr,
                                 QString::fromLatin1(design.spokenName));
        }
    }

    secondlabel = made.get<QLabel>("secondlabel");
    rightlabel = made.get<QLabel>("rightlabel");
    selectmessage = made.get<QLabel>("selectmessage");
    alertmessage = made.get<QLabel>("alertmessage");
    statusline = made.get<QLabel>("statusline");
    // Smaller and plain, so a whole command fits in two lines and a problem
    // in the room beside the second host's box.
    QFont statusFont = font;
    statusFont.setBold(false);
    statusFont.setPixelSize(13);
    statusline->setFont(statusFont);
    alertmessage->setFont(statusFont);
    rightlabel->setWordWrap(true);
    secondlabel->hide();
    rightlabel->hide();
    alertmessage->hide();

    qvipaddress[0] = made.get<QLineEdit>("qvipaddress0");
    qvipport = made.get<QLineEdit>("qvipport");
    qvipaddress[1] = made.get<QLineEdit>("qvipaddress1");
    qvipaddress[0]->setText(defaultFirstHost);
    qvipport->setText(defaultBasePort);
    qvipaddress[1]->setText(defaultSecondHost);

    frequency = made.get<QComboBox>("frequency");
    frequencymegs = made.get<QComboBox>("frequencymegs");
    frequencydecimal = made.get<QComboBox>("frequencydecimal");
    symbolrate = made.get<QComboBox>("symbolrate");
    offset = made.get<QComboBox>("offset");
    antenna = made.get<QComboBox>("antenna");
    voltage = made.get<QComboBox>("voltage");
    for (QComboBox *box : {frequency, symbolrate, offset})
        keypadDecimalTypesFullStop(box);

    copytosettings = made.get<QPushButton>("copytosettings");
    copytorx = made.get<QPushButton>("copytorx");
    sendx = made.get<SendButton>("sendx");
    // A screen reader hears the keyboard's way to the right press too.
    sendx->setAccessibleDescription(sendx->toolTip()
                                    + QStringLiteral(". From the keyboard: Space sends, the context-menu key "
                                                     "or Shift+F10 does what a right-click does. By touch or "
                                                     "pen: a tap sends, a press held until the bar fills "
                                                     "does what a right-click does."));
    sendx->setBackColour(sendx->palette().color(QPalette::Button));
    flash_ = new SendFlash(sendx, this);
    channelsbutton = made.get<QPushButton>("channelsbutton");
    // Outside the designed Tab order; from the keyboard it is Ctrl+L.
    channelsbutton->setFocusPolicy(Qt::NoFocus);
    msf1 = made.get<FlexGrid>("msf1");

    // Tab order: the boxes, the buttons and the grid in their design order.
    QWidget *const tabOrder[] = {qvipaddress[0],   copytosettings, qvipport, frequency,     frequencymegs,
                                 frequencydecimal, symbolrate,     offset,   antenna,       voltage,
                                 copytorx,         sendx,          msf1,     qvipaddress[1]};
    for (size_t i = 1; i < std::size(tabOrder); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    new FocusRing(this);
}
