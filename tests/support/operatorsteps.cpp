#include "operatorsteps.h"
#include "tuning/boxstate.h"

#include <algorithm>
#include <cmath>
#include <map>

#include <QPixmap>
#include <QPushButton>
#include <QWindow>

std::unique_ptr<MainWindow> openWindow()
{
    auto window = std::make_unique<MainWindow>();
    window->Form_Load();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get()))
        qWarning("main window did not become active");
    return window;
}

QString lastAccepted(const QWidget *box)
{
    const QWidget *at = box;
    while (at && !qobject_cast<const MainWindow *>(at))
        at = at->parentWidget();
    const auto *window = qobject_cast<const MainWindow *>(at);
    const auto entry = window ? window->entryOf(box) : std::nullopt;
    if (!entry)
        qFatal("%s is no checked entry of a main window", qPrintable(box->objectName()));
    return window->model().lastAccepted(*entry);
}

FlexGrid *grid(const QWidget &window)
{
    return control<FlexGrid>(window, "msf1");
}

QStringList rowTexts(const FlexGrid &grid, int row)
{
    QStringList texts;
    for (int col = 1; col <= 5; ++col)
        texts << grid.TextMatrix(row, col);
    return texts;
}

QStringList boxTexts(const QWidget &window)
{
    QStringList texts;
    for (const char *name : {"frequency", "symbolrate", "offset", "antenna", "voltage"})
        texts << control<QComboBox>(window, name)->currentText();
    return texts;
}

QList<int> markedRows(const FlexGrid &grid)
{
    QList<int> rows;
    for (int row = 1; row < grid.Rows(); ++row) {
        if (grid.cellColour(row, 0) == QColor(255, 0, 0))
            rows << row;
    }
    return rows;
}

QList<QList<QColor>> cellColours(const FlexGrid &grid)
{
    QList<QList<QColor>> colours;
    for (int row = 0; row < grid.Rows(); ++row) {
        QList<QColor> line;
        for (int col = 0; col < grid.Cols(); ++col)
            line << grid.cellColour(row, col);
        colours << line;
    }
    return colours;
}

QImage shownPicture(QWidget &window)
{
    return window.grab().toImage();
}

QColor shownColour(const QImage &picture, const QWidget &window, const QWidget *control, QPoint at)
{
    return picture.pixelColor(control->mapTo(&window, at));
}

QColor shownCellColour(const QImage &picture, const QWidget &window, const FlexGrid *grid, int row, int col,
                       QPoint inset)
{
    const QRect cell = grid->visualRect(grid->model()->index(row, col));
    return shownColour(picture, window, grid->viewport(), cell.topLeft() + inset);
}

namespace {
double relativeLuminance(const QColor &colour)
{
    auto linear = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF())
        + 0.0722 * linear(colour.blueF());
}
double contrast(const QColor &a, const QColor &b)
{
    const double la = relativeLuminance(a), lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
} // namespace

ShownText shownText(const QImage &picture, const QRect &part)
{
    // What lies behind the text shows at the part's edges, which a centred
    // text does not reach (a selector's face is a gradient, not one colour).
    std::map<QRgb, int> edges;
    const QRect inside = part & picture.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            if (y == inside.top() || y == inside.bottom() || x == inside.left() || x == inside.right())
                ++edges[picture.pixel(x, y) | 0xff000000];
        }
    }
    ShownText shown;
    if (edges.empty())
        return shown;
    shown.background = QColor::fromRgb(std::max_element(edges.begin(), edges.end(), [](auto a, auto b) {
                                           return a.second < b.second;
                                       })->first);
    shown.ink = shown.background;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QColor colour = QColor::fromRgb(picture.pixel(x, y) | 0xff000000);
            if (const double c = contrast(colour, shown.background); c > shown.contrast) {
                shown.contrast = c;
                shown.ink = colour;
            }
        }
    }
    return shown;
}

QWidget *keyTarget(QWidget *box)
{
    if (auto *selector = qobject_cast<QComboBox *>(box); selector && selector->isEditable())
        return selector->lineEdit();
    return box;
}

QString boxText(QWidget *box)
{
    if (auto *selector = qobject_cast<QComboBox *>(box))
        return selector->currentText();
    return static_cast<QLineEdit *>(box)->text();
}

void focusOn(QWidget *box)
{
    box->setFocus(Qt::OtherFocusReason);
    QTRY_VERIFY(box->hasFocus());
}

void typeInto(QWidget *box, const QString &text)
{
    focusOn(box);
    QWidget *target = keyTarget(box);
    QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(target, Qt::Key_Delete);
    QTest::keyClicks(target, text);
    QCOMPARE(boxText(box), text);
}

void pressTab(QWidget *box)
{
    QTest::keyClick(keyTarget(box), Qt::Key_Tab);
}

void enterText(QWidget *box, const QString &text)
{
    typeInto(box, text);
    pressTab(box);
}

void verifyRefused(QWidget *box, const QString &remembered, int beepsBefore)
{
    QCOMPARE(boxText(box), remembered);
    QCOMPARE(lastAccepted(box), remembered);
    QVERIFY(box->hasFocus());
    QCOMPARE(beepCount(), beepsBefore + 1);
}

void clickOn(QWidget *widget)
{
    QTest::mouseClick(keyTarget(widget), Qt::LeftButton);
}

void clickCell(FlexGrid *grid, int row, int col)
{
    const QRect cell = grid->visualRect(grid->model()->index(row, col));
    QVERIFY(grid->viewport()->rect().contains(cell.center()));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
}

void pressSend(QWidget &window, Qt::MouseButton button)
{
    auto *sendx = control<QPushButton>(window, "sendx");
    QTest::mousePress(sendx, button);
    QTest::mouseRelease(sendx, button);
}

void typeCtrl(QWidget &window, Qt::Key key)
{
    QTest::keyClick(window.windowHandle(), key, Qt::ControlModifier);
}

void toggleReceiverCount(QWidget &window)
{
    QWidget *target = QApplication::focusWidget();
    QTest::keyClick(target ? target : &window, Qt::Key_R, Qt::ControlModifier);
}

void pickItem(QComboBox *selector, const QString &text)
{
    const int index = selector->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    QVERIFY2(index >= 0, qPrintable(text));
    focusOn(selector);
    QTest::keyClick(selector, Qt::Key_F4);
    QAbstractItemView *list = selector->view();
    QTRY_VERIFY(list->isVisible());
    const Qt::Key step = index < selector->currentIndex() ? Qt::Key_Up : Qt::Key_Down;
    while (list->currentIndex().row() != index) {
        const int before = list->currentIndex().row();
        QTest::keyClick(list, step);
        QVERIFY(list->currentIndex().row() != before);
    }
    QTest::keyClick(list, Qt::Key_Return);
    QTRY_VERIFY(!list->isVisible());
    // The offscreen platform leaves the closed list's window active.
    selector->window()->activateWindow();
    QTRY_VERIFY(selector->window()->isActiveWindow());
}
