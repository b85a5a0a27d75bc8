// What a screen reader gets from the real window through Qt's accessibility
// interface: each control's name and description, and the receiver table's
// cells with their column titles.
#include "operatorsteps.h"

#include <QAccessible>
#include <QHeaderView>
#include <QPushButton>

namespace {

struct Spoken
{
    const char *control;
    const char *name;
    bool labelBeside; // a label on the window is related to it as its caption
};

const Spoken spokenControls[] = {
    {"qvipaddress0", "Quenvale IP Address", true},
    {"qvipport", "Quenvale Base IP Port", true},
    {"qvipaddress1", "Second Quenvale", true},
    {"frequency", "Frequency (MHz)", true},
    {"frequencymegs", "Frequency MHz digit", true},
    {"frequencydecimal", "Frequency fraction (kHz)", true},
    {"symbolrate", "SRate (kS)", true},
    {"offset", "Loc Osc (MHz)", true},
    {"antenna", "Antenna", true},
    {"voltage", "Voltage Generators", true},
    {"copytosettings", "Copy from grid to settings", false},
    {"copytorx", "Copy from settings to grid", false},
    {"sendx", "Send Selected", false},
    {"msf1", "Receivers", false},
};

const QString secondHostHint = QStringLiteral(
    "IP address of the second Raspberry Pi running Quenvale, which should be started with "
    "BASEIPPORT = ");

QAccessibleInterface *accessible(QObject *object)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    if (!iface)
        qFatal("no accessible interface for %s", qPrintable(object->objectName()));
    return iface;
}

QString name(QAccessibleInterface *iface)
{
    return iface ? iface->text(QAccessible::Name) : QStringLiteral("<none>");
}

} // namespace

class AccessibilityTest : public QObject
{
    Q_OBJECT

private slots:
    void control_isReadByItsCaptionAndItsHint_data()
    {
        QTest::addColumn<QString>("controlName");
        QTest::addColumn<QString>("expectedName");
        QTest::addColumn<bool>("labelBeside");
        QTest::addColumn<QString>("description");
        for (const Spoken &spoken : spokenControls)
            QTest::newRow(spoken.control) << spoken.control << spoken.name << spoken.labelBeside << QString();
        QTest::newRow("qvipaddress0 hint") << "qvipaddress0" << "Quenvale IP Address" << true
                                           << "IP address of the Raspberry Pi running Quenvale";
        QTest::newRow("qvipport hint") << "qvipport" << "Quenvale Base IP Port" << true
                                       << "Must be xx00 or xx000 and >= 1100 and <= 65400";
        QTest::newRow("qvipaddress1 hint") << "qvipaddress1" << "Second Quenvale" << true
                                           << secondHostHint + "9904";
        QTest::newRow("sendx hint")
            << "sendx" << "Send Selected" << false
            << "Right-click to send the QO-100 UPLINK frequency using the other antenna (TOP/BOT)";
    }

    void control_isReadByItsCaptionAndItsHint()
    {
        QFETCH(QString, controlName);
        QFETCH(QString, expectedName);
        QFETCH(bool, labelBeside);
        QFETCH(QString, description);
        TempStore store;
        const auto w = openWindow();
        QWidget *widget = control<QWidget>(*w, qPrintable(controlName));
        QAccessibleInterface *iface = accessible(widget);

        // Qt on Linux names a selector by its current item and speaks the
        // caption from the related label; elsewhere it uses the widget's name.
        if (iface->role() == QAccessible::ComboBox)
            QCOMPARE(widget->accessibleName(), expectedName);
        else
            QCOMPARE(name(iface), expectedName);
        if (auto *selector = qobject_cast<QComboBox *>(widget); selector && selector->isEditable())
            QCOMPARE(name(accessible(selector->lineEdit())), expectedName);
        const auto labels = iface->relations(QAccessible::Label);
        QCOMPARE(labels.size(), labelBeside ? 1 : 0);
        if (labelBeside)
            QCOMPARE(name(labels.first().first), expectedName);
        if (!description.isEmpty())
            QCOMPARE(iface->text(QAccessible::Description), description);
    }

    // A control added later without a name fails here.
    void everyControlTakingTheFocus_hasAName()
    {
        TempStore store;
        const auto w = openWindow();
        QStringList named;
        for (const Spoken &spoken : spokenControls)
            named << spoken.control;
        QStringList focusable;
        for (QWidget *widget : w->findChildren<QWidget *>()) {
            QWidget *parent = widget->parentWidget();
            if (widget->focusPolicy() != Qt::NoFocus && widget->window() == w.get() && parent == w.get())
                focusable << widget->objectName();
        }
        focusable.sort();
        named.sort();
        QCOMPARE(focusable, named);
    }

    void secondHostDescription_followsThePort()
    {
        TempStore store;
        store.put("MaxReceivers", "Receivers", "8");
        const auto w = openWindow();
        auto *port = control<QLineEdit>(*w, "qvipport");
        typeInto(port, "12000");
        pressTab(port);
        QCOMPARE(accessible(control<QLineEdit>(*w, "qvipaddress1"))->text(QAccessible::Description),
                 secondHostHint + "12004");
    }

    void gridCell_isReadWithItsColumnTitleAndTheMark_data()
    {
        QTest::addColumn<bool>("toggleToEight");
        QTest::addColumn<int>("row");
        QTest::newRow("4 receivers, row 1") << false << 1;
        QTest::newRow("4 receivers, row 4") << false << 4;
        QTest::newRow("8 receivers after Ctrl+R, row 7") << true << 7;
    }

    void gridCell_isReadWithItsColumnTitleAndTheMark()
    {
        QFETCH(bool, toggleToEight);
        QFETCH(int, row);
        TempStore store;
        const auto w = openWindow();
        auto *grid = control<FlexGrid>(*w, "msf1");
        if (toggleToEight)
            toggleReceiverCount(*w);
        typeInto(control<QComboBox>(*w, "frequency"), "10491.5");
        typeInto(control<QComboBox>(*w, "symbolrate"), "333");
        pickItem(control<QComboBox>(*w, "antenna"), "BOT");
        pickItem(control<QComboBox>(*w, "voltage"), "X-VERT");
        clickCell(grid, row);
        clickOn(control<QPushButton>(*w, "copytorx"));

        QAccessibleTableInterface *table = accessible(grid)->tableInterface();
        QVERIFY(table);
        QCOMPARE(table->rowCount(), toggleToEight ? 9 : 5);
        const QStringList titles{"RX", "Frequency", "Symbol Rate", "Loc Osc", "Antenna", "Voltage"};
        // The copy leaves the row selected, and its red mark is read with it.
        const QStringList texts{QString::number(row) + ", selected", "10491.500", "333", "9750.000",
                                "BOT", "X-VERT"};
        for (int col = 0; col < titles.size(); ++col) {
            QAccessibleInterface *cell = table->cellAt(row, col);
            QVERIFY(cell && cell->tableCellInterface());
            const auto columnHeaders = cell->tableCellInterface()->columnHeaderCells();
            const auto rowHeaders = cell->tableCellInterface()->rowHeaderCells();
            QCOMPARE(columnHeaders.size(), 1);
            QCOMPARE(rowHeaders.size(), 1);
            QCOMPARE(name(columnHeaders.first()) + ' ' + name(cell), titles.at(col) + ' ' + texts.at(col));
            QCOMPARE(name(rowHeaders.first()), QStringLiteral("Receiver %1").arg(row));
        }
        const int other = row == 1 ? 2 : 1;
        clickCell(grid, other);
        QCOMPARE(name(table->cellAt(row, 0)), QString::number(row));
        QCOMPARE(name(table->cellAt(other, 0)), QString::number(other) + ", selected");
        QCOMPARE(grid->TextMatrix(other, 0), QString::number(other));
        // The headers that carry the titles for screen readers stay hidden.
        QVERIFY(grid->horizontalHeader()->isHidden() && grid->verticalHeader()->isHidden());
    }
};

QTEST_MAIN(AccessibilityTest)
#include "test_accessibility.moc"
