// The window's controls as designed, and what set-up builds from the store.
#include "designedlayout.h"
#include "operatorsteps.h"
#include "table/flexgrid.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>

namespace {

const char *const tabOrder[] = {"qvipaddress0",  "copytosettings",   "qvipport",   "frequency",
                                "frequencymegs", "frequencydecimal", "symbolrate", "offset",
                                "antenna",       "voltage",          "copytorx",   "sendx",
                                "msf1",          "qvipaddress1"};

struct SelectionList
{
    const char *name;
    QStringList items;
};

QStringList megahertzItems()
{
    QStringList items{QString()};
    for (int digit = 0; digit <= 9; ++digit)
        items << QString::number(digit);
    return items;
}

const SelectionList lists[] = {
    {"frequency",
     {"29.000", "51.000", "71.000", "146.000", "430.000", "1240.000", "2400.000", "3400.000", "5760.000",
      "10490.000"}},
    {"symbolrate",
     {"25", "35", "66", "125", "250", "333", "350", "500", "1000", "1200", "1500", "2000", "3000", "4000",
      "4167", "22000", "27500"}},
    {"offset",
     {"0.000", "5150.000", "9000.000", "9388.888", "9400.000", "9500.000", "9750.000", "10000.000",
      "10207.407", "10600.000"}},
    {"antenna", {"TOP", "BOT"}},
    {"frequencydecimal", {"", ".000", ".125", ".250", ".375", ".500", ".625", ".750", ".875"}},
    {"frequencymegs", megahertzItems()},
    {"voltage",
     {" ", "X-OFF", "X-VERT", "X-HORIZ", "X-VERT-TONE", "X-HORIZ-TONE", "Y-OFF", "Y-VERT", "Y-HORIZ",
      "Y-VERT-TONE", "Y-HORIZ-TONE"}},
};

QStringList items(const QComboBox *box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

void verifyListsHoldExactlyTheirItems(const MainWindow &w)
{
    for (const SelectionList &list : lists)
        QCOMPARE(items(control<QComboBox>(w, list.name)), list.items);
}

// Every row, with every column, lies inside the visible part of the grid.
void verifyAllRowsShow(const FlexGrid &grid)
{
    const QRect visible = grid.viewport()->rect();
    for (int row = 0; row < grid.Rows(); ++row) {
        for (int col : {0, grid.Cols() - 1}) {
            const QRect cell = grid.visualRect(grid.model()->index(row, col));
            QVERIFY2(cell.isValid() && visible.contains(cell),
                     qPrintable(QString("row %1 column %2 is not fully visible").arg(row).arg(col)));
        }
    }
}

// The named control that a focused widget belongs to (an editable box's
// text field belongs to the box).
QString ownerName(QWidget *widget, const MainWindow &w)
{
    for (QWidget *x = widget; x && x != &w; x = x->parentWidget()) {
        for (const char *name : tabOrder) {
            if (x->objectName() == QLatin1String(name))
                return x->objectName();
        }
    }
    return widget ? QStringLiteral("<%1 %2>").arg(widget->metaObject()->className(), widget->objectName())
                  : QStringLiteral("<none>");
}

int pixels(int twips)
{
    return twips / 15;
}

// Desktop colour schemes the window must keep its own look under: the
// test machine's light one, a dark one and a high-contrast one.
QPalette desktopScheme(const QString &scheme)
{
    QPalette palette = QApplication::palette();
    if (scheme.isEmpty())
        return palette;
    const bool dark = scheme == QLatin1String("dark");
    const QColor back = dark ? QColor(53, 53, 53) : QColor(0, 0, 0);
    const QColor text = dark ? QColor(230, 230, 230) : QColor(255, 255, 0);
    for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button, QPalette::AlternateBase})
        palette.setColor(role, role == QPalette::Base && dark ? back.darker(150) : back);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, text);
    palette.setColor(QPalette::Light, back.lighter(150));
    palette.setColor(QPalette::Highlight, dark ? QColor(42, 130, 218) : QColor(0, 255, 255));
    return palette;
}

// Where a control shows its text: inside its frame, left of a selector's arrow.
QRect textPart(const QWidget *widget, Kind kind)
{
    QRect part = widget->geometry().adjusted(3, 3, -3, -3);
    if (kind == Kind::EditableCombo || kind == Kind::ListCombo)
        part.setRight(part.right() - 20);
    return part;
}

} // namespace

class SetupTest : public QObject
{
    Q_OBJECT

private slots:
    void designedControl_hasItsKindTextHintColourAndPlace_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("scheme"); // the desktop's colour scheme
        for (const char *scheme : {"", "dark", "high contrast"}) {
            for (int i = 0; i < int(designedControls.size()); ++i) {
                QTest::addRow("%s%s%s", designedControls[i].name, *scheme ? " under " : "", scheme)
                    << i << QString::fromLatin1(scheme);
            }
        }
    }

    void designedControl_hasItsKindTextHintColourAndPlace()
    {
        QFETCH(int, index);
        QFETCH(QString, scheme);
        const DesignedControl &designed = designedControls[size_t(index)];
        TempStore store;
        const QPalette before = QApplication::palette();
        QApplication::setPalette(desktopScheme(scheme));
        const auto restore = qScopeGuard([&] { QApplication::setPalette(before); });
        MainWindow w; // as designed: no set-up has run
        QWidget *widget = control<QWidget>(w, designed.name);

        // Every text shows: in the design's colour where it gives one, dark
        // on light and at least 4.5:1 where it is left to the system.
        widget->show();
        if (auto *grid = qobject_cast<FlexGrid *>(widget)) {
            grid->setTextMatrix(0, 0, QStringLiteral("RX"));
            grid->setTextMatrix(1, 0, QStringLiteral("1"));
        }
        if (designed.kind == Kind::ListCombo)
            static_cast<QComboBox *>(widget)->addItem(QStringLiteral("TOP")); // set-up fills it
        const QImage picture = shownPicture(w);
        QList<QRect> texts{textPart(widget, designed.kind)};
        if (designed.kind == Kind::Grid) {
            const auto *grid = static_cast<FlexGrid *>(widget);
            texts = {grid->visualItemRect(grid->item(0, 0)), grid->visualItemRect(grid->item(1, 0))};
            for (QRect &cell : texts)
                cell.translate(grid->mapTo(&w, grid->viewport()->pos()));
        }
        const bool hasText = designed.kind == Kind::Grid || designed.kind == Kind::ListCombo
            || designed.kind == Kind::TextBox || !QString(designed.caption).trimmed().isEmpty();
        for (const QRect &part : texts) {
            if (!hasText)
                break;
            const ShownText shown = shownText(picture, part);
            if (designed.textColour != 0xff000000) {
                QCOMPARE(shown.ink.rgba(), designed.textColour);
                continue;
            }
            QVERIFY2(shown.contrast >= 4.5 && shown.ink.lightness() < shown.background.lightness(),
                     qPrintable(QStringLiteral("%1 on %2: %3:1")
                                    .arg(shown.ink.name(), shown.background.name())
                                    .arg(shown.contrast, 0, 'f', 1)));
        }
        if (designed.name == QLatin1String("secondlabel") || designed.name == QLatin1String("rightlabel"))
            widget->hide();
        if (designed.kind == Kind::ListCombo)
            static_cast<QComboBox *>(widget)->clear();

        switch (designed.kind) {
        case Kind::Label: {
            auto *label = qobject_cast<QLabel *>(widget);
            QVERIFY(label);
            QCOMPARE(label->text(), QString::fromLatin1(designed.caption));
            QCOMPARE(label->palette().color(QPalette::WindowText).rgba(), designed.textColour);
            QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask, designed.align);
            QCOMPARE(label->focusPolicy(), Qt::NoFocus);
            break;
        }
        case Kind::TextBox: {
            auto *box = qobject_cast<QLineEdit *>(widget);
            QVERIFY(box);
            if (designed.caption)
                QCOMPARE(box->text(), QString::fromLatin1(designed.caption));
            QCOMPARE(box->alignment() & Qt::AlignHorizontal_Mask, designed.align);
            QVERIFY(!box->isReadOnly());
            break;
        }
        case Kind::EditableCombo:
        case Kind::ListCombo: {
            auto *box = qobject_cast<QComboBox *>(widget);
            QVERIFY(box);
            QCOMPARE(box->isEditable(), designed.kind == Kind::EditableCombo);
            QCOMPARE(box->currentText(), QString::fromLatin1(designed.caption));
            QCOMPARE(box->count(), 0);
            break;
        }
        case Kind::Button: {
            auto *button = qobject_cast<QPushButton *>(widget);
            QVERIFY(button);
            QCOMPARE(button->text(), QString::fromLatin1(designed.caption));
            QVERIFY(button->isEnabled());
            break;
        }
        case Kind::Grid: {
            auto *grid = qobject_cast<FlexGrid *>(widget);
            QVERIFY(grid);
            QCOMPARE(grid->Rows(), 5);
            QCOMPARE(grid->Cols(), 6);
            QVERIFY(grid->isEnabled());
            break;
        }
        }
        QCOMPARE(widget->toolTip(), QString::fromLatin1(designed.hint));
        QCOMPARE(widget->geometry(),
                 QRect(pixels(designed.left), pixels(designed.top), pixels(designed.width),
                       pixels(designed.height)));
        QCOMPARE(widget->font().family(), QString("Arial"));
        QVERIFY(widget->font().bold());
        QCOMPARE(widget->font().weight(), QFont::Bold);
        QVERIFY(!widget->font().italic() && !widget->font().underline() && !widget->font().strikeOut());
        const bool startsHidden =
            designed.name == QLatin1String("secondlabel") || designed.name == QLatin1String("rightlabel");
        QCOMPARE(widget->isHidden(), startsHidden);
    }

    void window_hasItsCaptionColourFontAndFixedClientArea()
    {
        TempStore store;
        auto w = openWindow();
        QCOMPARE(w->windowTitle(), QString("Zorudoza Zudizir Ivozudiro - 3d20u"));
        QCOMPARE(w->size(), QSize(900, 535));
        QCOMPARE(w->palette().color(QPalette::Window), QColor(192, 192, 255));
        QCOMPARE(w->font().family(), QString("Arial"));
        QVERIFY(w->font().bold());
        // 12 points at 96 dots per inch.
        QVERIFY(w->font().pixelSize() == 16 || qFuzzyCompare(w->font().pointSizeF(), 12.0));

        // The operator cannot resize it.
        QCOMPARE(w->minimumSize(), w->maximumSize());
        w->resize(1000, 700);
        QCOMPARE(w->size(), QSize(900, 535));
    }

    void arrows_areDrawnInRed()
    {
        TempStore store;
        auto w = openWindow();
        const QImage image = w->grab().toImage();
        // The middle of each arrow's shaft (twips / 15).
        for (const QPoint &point : {QPoint(284, 300), QPoint(372, 300), QPoint(780, 345)})
            QCOMPARE(image.pixelColor(point), QColor(255, 0, 0));
    }

    void tabOrder_followsTheDesign()
    {
        TempStore store;
        auto w = openWindow();
        QWidget *first = control<QWidget>(*w, tabOrder[0]);
        QStringList chain;
        QStringList unexpected;
        QWidget *x = first;
        do {
            if (x->focusPolicy() & Qt::TabFocus) {
                const QString owner = ownerName(x, *w);
                if (owner.startsWith(QLatin1Char('<')))
                    unexpected << owner;
                else if (!chain.contains(owner))
                    chain << owner;
            }
            x = x->nextInFocusChain();
        } while (x != first);
        QStringList expected;
        for (const char *name : tabOrder)
            expected << QString::fromLatin1(name);
        QCOMPARE(chain, expected);
        QCOMPARE(unexpected, QStringList());
    }

    void tabKey_visitsEveryEnabledControlInOrder()
    {
        TempStore store;
        store.put("MaxReceivers", "Receivers", "8");
        storeRow(store, 1, {"10491.500", "1500", {}, "TOP"});
        auto w = openWindow();
        auto *grid = control<FlexGrid>(*w, "msf1");
        clickCell(grid, 1, 0); // a filled row enables the three buttons
        for (const char *name : {"copytosettings", "copytorx", "sendx"})
            QVERIFY(control<QWidget>(*w, name)->isEnabled());

        control<QWidget>(*w, tabOrder[0])->setFocus();
        QTRY_COMPARE(ownerName(QApplication::focusWidget(), *w), QString(tabOrder[0]));
        QStringList visited;
        for (size_t i = 0; i < std::size(tabOrder); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << ownerName(QApplication::focusWidget(), *w);
        }
        QStringList expected;
        for (size_t i = 1; i <= std::size(tabOrder); ++i)
            expected << QString::fromLatin1(tabOrder[i % std::size(tabOrder)]);
        QCOMPARE(visited, expected);
    }

    void emptyStore_showsTheDefaultsAndWritesNothing()
    {
        TempStore store;
        auto w = openWindow();
        auto *grid = control<FlexGrid>(*w, "msf1");
        auto *frequency = control<QComboBox>(*w, "frequency");
        auto *symbolrate = control<QComboBox>(*w, "symbolrate");
        auto *offset = control<QComboBox>(*w, "offset");
        auto *antenna = control<QComboBox>(*w, "antenna");
        auto *voltage = control<QComboBox>(*w, "voltage");
        auto *qvipaddress0 = control<QLineEdit>(*w, "qvipaddress0");
        auto *qvipaddress1 = control<QLineEdit>(*w, "qvipaddress1");
        auto *qvipport = control<QLineEdit>(*w, "qvipport");
        auto *sendx = control<SendButton>(*w, "sendx");

        QCOMPARE(w->model().maxreceivers(), 4);
        QCOMPARE(grid->Rows(), 5);
        QCOMPARE(grid->Cols(), 6);
        const QStringList header{"RX", "Frequency", "Symbol Rate", "Loc Osc", "Antenna", "Voltage"};
        for (int col = 0; col < 6; ++col) {
            QCOMPARE(grid->TextMatrix(0, col), header.at(col));
            QCOMPARE(grid->ColWidthTwips(col), 2042);
        }
        for (int row = 1; row <= 4; ++row) {
            QCOMPARE(grid->TextMatrix(row, 0), QString::number(row));
            for (int col = 1; col <= 5; ++col)
                QCOMPARE(grid->TextMatrix(row, col), QString());
        }

        QCOMPARE(frequency->currentText(), QString("10491.500"));
        QCOMPARE(symbolrate->currentText(), QString("1500"));
        QCOMPARE(offset->currentText(), QString("9750.000"));
        QCOMPARE(antenna->currentText(), QString("TOP"));
        QCOMPARE(voltage->currentText(), QString(" "));
        QCOMPARE(voltage->currentIndex(), 0);
        QCOMPARE(qvipport->text(), QString("9900"));
        QCOMPARE(qvipaddress1->toolTip(), secondHostHintStart + "9904");

        // Private host addresses, the second one higher in the last octet.
        const QStringList first = qvipaddress0->text().split('.');
        const QStringList second = qvipaddress1->text().split('.');
        QCOMPARE(first.size(), 4);
        QCOMPARE(first.mid(0, 3), (QStringList{"192", "168", "1"}));
        QCOMPARE(second.mid(0, 3), first.mid(0, 3));
        QCOMPARE(second.at(3).toInt(), first.at(3).toInt() + 1);

        // Last accepted values are what was loaded; the send button's is its colour.
        QCOMPARE(lastAccepted(frequency), frequency->currentText());
        QCOMPARE(lastAccepted(symbolrate), symbolrate->currentText());
        QCOMPARE(lastAccepted(offset), offset->currentText());
        for (QLineEdit *box : {qvipaddress0, qvipaddress1, qvipport})
            QCOMPARE(lastAccepted(box), box->text());
        QCOMPARE(w->sendFlash().normalColour(), sendx->backColour());

        QVERIFY(qvipaddress1->isHidden());
        QVERIFY(control<QLabel>(*w, "secondlabel")->isHidden());
        QVERIFY(control<QLabel>(*w, "rightlabel")->isHidden());
        QCOMPARE(grid->Row(), 0);
        for (const char *name : {"copytosettings", "copytorx", "sendx"})
            QVERIFY2(!control<QWidget>(*w, name)->isEnabled(), name);
        for (const char *name : {"frequencymegs", "frequencydecimal"}) {
            QCOMPARE(control<QComboBox>(*w, name)->currentIndex(), 0);
            QCOMPARE(control<QComboBox>(*w, name)->currentText(), QString());
        }
        verifyListsHoldExactlyTheirItems(*w);
        verifyAllRowsShow(*grid);
        QVERIFY(w->isVisible());
        QCOMPARE(QApplication::focusWidget(), grid);

        QCOMPARE(control<QLabel>(*w, "selectmessage")->y() * 15, designed("selectmessage").top);
        QCOMPARE(w->HeightTwips(), designedFormHeight);
        QCOMPARE(grid->HeightTwips(), designed("msf1").height);

        QVERIFY2(!QFile::exists(store.filePath()), "start-up wrote to the store");
    }

    void storedValues_areShownAsTheyStandAndStartUpLeavesTheFileAlone()
    {
        TempStore store;
        store.put("IP", "Address0", "10.0.0.7");
        store.put("IP", "Address1", "10.0.0.9");
        store.put("IP", "Port", "12000");
        const QStringList working{"1296.125", "333", "1152.000", "BOT", "Y-HORIZ-TONE"};
        storeRow(store, 0, working);
        storeRow(store, 4, working);
        storeRow(store, 2, {"10489.750", {}, {}, "TOP"}); // a row with some keys only
        const QByteArray before = store.readRaw();

        auto w = openWindow();
        auto *grid = control<FlexGrid>(*w, "msf1");
        QCOMPARE(control<QLineEdit>(*w, "qvipaddress0")->text(), QString("10.0.0.7"));
        QCOMPARE(control<QLineEdit>(*w, "qvipaddress1")->text(), QString("10.0.0.9"));
        QCOMPARE(control<QLineEdit>(*w, "qvipport")->text(), QString("12000"));
        QCOMPARE(control<QLineEdit>(*w, "qvipaddress1")->toolTip(), secondHostHintStart + "12004");
        QCOMPARE(boxTexts(*w), working);
        const char *const boxes[] = {"frequency", "symbolrate", "offset"};
        for (int i = 0; i < 3; ++i)
            QCOMPARE(lastAccepted(control<QWidget>(*w, boxes[i])), working.at(i));
        for (const char *name : {"qvipaddress0", "qvipaddress1", "qvipport"})
            QCOMPARE(lastAccepted(control<QWidget>(*w, name)), control<QLineEdit>(*w, name)->text());

        QCOMPARE(rowTexts(*grid, 4), working);
        QCOMPARE(rowTexts(*grid, 2), QStringList({"10489.750", "", "", "TOP", ""}));

        QCOMPARE(store.readRaw(), before);
    }

    void storedChoiceThatIsNoItem_leavesTheBoxOnItsFirstItem_data()
    {
        QTest::addColumn<QString>("storedAntenna");
        QTest::addColumn<QString>("storedVoltage");
        QTest::addColumn<QString>("antenna");
        QTest::addColumn<QString>("voltage");
        QTest::newRow("items") << "BOT"
                               << "X-VERT"
                               << "BOT"
                               << "X-VERT";
        QTest::newRow("wrong case") << "top"
                                    << "x-vert"
                                    << "TOP"
                                    << " ";
        QTest::newRow("unknown") << "MIDDLE"
                                 << "Z-FOO"
                                 << "TOP"
                                 << " ";
        QTest::newRow("empty") << ""
                               << ""
                               << "TOP"
                               << " ";
        QTest::newRow("blanks around") << " BOT "
                                       << " X-OFF"
                                       << "TOP"
                                       << " ";
    }

    void storedChoiceThatIsNoItem_leavesTheBoxOnItsFirstItem()
    {
        QFETCH(QString, storedAntenna);
        QFETCH(QString, storedVoltage);
        QFETCH(QString, antenna);
        QFETCH(QString, voltage);
        TempStore store;
        store.put("RX0", "Antenna", storedAntenna);
        store.put("RX0", "Voltage", storedVoltage);
        auto w = openWindow();
        QCOMPARE(control<QComboBox>(*w, "antenna")->currentText(), antenna);
        QCOMPARE(control<QComboBox>(*w, "voltage")->currentText(), voltage);
        QVERIFY(control<QComboBox>(*w, "antenna")->currentIndex() >= 0);
        QVERIFY(control<QComboBox>(*w, "voltage")->currentIndex() >= 0);
        verifyListsHoldExactlyTheirItems(*w);
    }

    void storedPort_givesTheSecondHostsHint_data()
    {
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("secondPort"); // empty: the hint names no number
        QTest::newRow("9900") << "9900"
                              << "9904";
        QTest::newRow("12000") << "12000"
                               << "12004";
        QTest::newRow("blanks around") << " 9900 "
                                       << "9904";
        QTest::newRow("letters") << "abc"
                                 << "";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("number then letters") << "9900x"
                                             << "";
        QTest::newRow("too large for a double") << "1e999"
                                                << "";
    }

    void storedPort_givesTheSecondHostsHint()
    {
        QFETCH(QString, port);
        QFETCH(QString, secondPort);
        TempStore store;
        store.put("IP", "Port", port);
        auto w = openWindow();
        QCOMPARE(control<QLineEdit>(*w, "qvipport")->text(), port);
        const QString hint = control<QLineEdit>(*w, "qvipaddress1")->toolTip();
        QVERIFY2(hint.startsWith(secondHostHintStart), qPrintable(hint));
        if (!secondPort.isEmpty()) {
            QCOMPARE(hint, secondHostHintStart + secondPort);
        } else {
            // No made-up port: nothing after the prefix may read as a number.
            const QString rest = hint.mid(secondHostHintStart.size());
            QVERIFY2(!rest.isEmpty(), "the hint ends without telling which port");
            QVERIFY2(!QRegularExpression("^[-+]?[0-9]").match(rest).hasMatch(), qPrintable(hint));
            QVERIFY2(!rest.contains("inf") && !rest.contains("nan"), qPrintable(hint));
        }
    }

    void eightReceivers_growGridAndWindowAndMoveTheMessage()
    {
        TempStore store;
        store.put("MaxReceivers", "Receivers", "8");
        for (int row = 1; row <= 8; ++row)
            storeRow(
                store, row,
                {QString("10491.%1").arg(row, 3, 10, QChar('0')), {}, {}, {}, row > 4 ? "Y-OFF" : "X-OFF"});
        auto w = openWindow();
        auto *grid = control<FlexGrid>(*w, "msf1");
        auto *selectmessage = control<QLabel>(*w, "selectmessage");
        const int h = grid->RowHeightTwips(0);
        QVERIFY(h > 0);

        QCOMPARE(w->model().maxreceivers(), 8);
        QCOMPARE(grid->Rows(), 9);
        for (int row = 1; row <= 8; ++row) {
            QCOMPARE(grid->TextMatrix(row, 0), QString::number(row));
            QCOMPARE(grid->TextMatrix(row, 1), QString("10491.%1").arg(row, 3, 10, QChar('0')));
            QCOMPARE(grid->TextMatrix(row, 5), QString(row > 4 ? "Y-OFF" : "X-OFF"));
            QCOMPARE(grid->RowHeightTwips(row), h);
        }
        QCOMPARE(w->HeightTwips(), designedFormHeight + 4 * h);
        QCOMPARE(w->height(), 535 + 4 * h / 15);
        QCOMPARE(grid->HeightTwips(), designed("msf1").height + 4 * h);
        QCOMPARE(selectmessage->y() * 15, designed("selectmessage").top + 4 * h);
        QCOMPARE(w->width(), 900);
        QCOMPARE(w->minimumSize(), w->maximumSize());
        QVERIFY(control<QLineEdit>(*w, "qvipaddress1")->isVisible());
        QVERIFY(control<QLabel>(*w, "secondlabel")->isVisible());
        verifyAllRowsShow(*grid);
        // The label stays below the grid.
        QVERIFY(selectmessage->y() >= grid->geometry().bottom());
    }

    void ctrlRTwice_restoresTheFirstSizesAndTheLists()
    {
        TempStore store;
        auto w = openWindow();
        auto *grid = control<FlexGrid>(*w, "msf1");
        auto *selectmessage = control<QLabel>(*w, "selectmessage");
        const QSize windowSize = w->size();
        const QRect gridRect = grid->geometry();
        const QRect labelRect = selectmessage->geometry();
        const int h = grid->RowHeightTwips(0);

        for (int round = 0; round < 3; ++round) {
            toggleReceiverCount(*w);
            QCOMPARE(w->model().maxreceivers(), 8);
            QCOMPARE(w->height(), windowSize.height() + 4 * h / 15);
            QCOMPARE(grid->height(), gridRect.height() + 4 * h / 15);
            QCOMPARE(selectmessage->y(), labelRect.y() + 4 * h / 15);
            verifyListsHoldExactlyTheirItems(*w);
            verifyAllRowsShow(*grid);

            toggleReceiverCount(*w);
            QCOMPARE(w->model().maxreceivers(), 4);
            QCOMPARE(w->size(), windowSize);
            QCOMPARE(grid->geometry(), gridRect);
            QCOMPARE(selectmessage->geometry(), labelRect);
            QCOMPARE(grid->Rows(), 5);
            verifyListsHoldExactlyTheirItems(*w);
            verifyAllRowsShow(*grid);
        }
    }
};

QTEST_MAIN(SetupTest)
#include "test_setup.moc"
