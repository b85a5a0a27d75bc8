// What a screen reader gets from the real window through Qt's accessibility
// interface: each control's name and description, and the receiver table's
// cells with their place, their headers and the selection.
#include "designedlayout.h"
#include "operatorsteps.h"

#include <QAccessible>
#include <QHeaderView>
#include <QPushButton>

namespace {

QString name(QAccessibleInterface *iface)
{
    return iface ? iface->text(QAccessible::Name) : QStringLiteral("<no interface>");
}

// The name of the only header cell; the table keeps its cells.
QString headerName(const QList<QAccessibleInterface *> &cells)
{
    return cells.size() == 1 ? name(cells.first()) : QStringLiteral("<%1 headers>").arg(cells.size());
}

QAccessibleInterface *accessible(QObject *object)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    if (!iface)
        qFatal("no accessible interface for %s", qPrintable(object->objectName()));
    return iface;
}
} // namespace

class AccessibilityTest : public QObject
{
    Q_OBJECT

private slots:
    void control_isReadByItsCaptionAndItsHint_data()
    {
        QTest::addColumn<QString>("expectedName");
        QTest::addColumn<QString>("description");
        QTest::newRow("qvipaddress0") << "Quenvale IP Address"
                                      << "IP address of the Raspberry Pi running Quenvale";
        QTest::newRow("qvipport") << "Quenvale Base IP Port"
                                  << "Must be xx00 or xx000 and >= 1100 and <= 65400";
        QTest::newRow("qvipaddress1") << "Second Quenvale" << secondHostHintStart + "9904";
        QTest::newRow("frequency") << "Frequency (MHz)"
                                   << "";
        QTest::newRow("frequencymegs") << "Frequency MHz digit"
                                       << "";
        QTest::newRow("frequencydecimal") << "Frequency fraction (kHz)"
                                          << "";
        QTest::newRow("symbolrate") << "SRate (kS)"
                                    << "";
        QTest::newRow("offset") << "Loc Osc (MHz)"
                                << "";
        QTest::newRow("antenna") << "Antenna"
                                 << "";
        QTest::newRow("voltage") << "Voltage Generators"
                                 << "";
        QTest::newRow("copytosettings") << "Copy from grid to settings"
                                        << "";
        QTest::newRow("copytorx") << "Copy from settings to grid"
                                  << "";
        QTest::newRow("sendx")
            << "Send Selected"
            << "Right-click to send the QO-100 UPLINK frequency using the other antenna (TOP/BOT). From the "
               "keyboard: Space sends, the context-menu key or Shift+F10 does what a right-click does. By "
               "touch "
               "or pen: a tap sends, a press held until the bar fills does what a right-click does.";
        QTest::newRow("msf1") << "Receivers"
                              << "";
    }

    void control_isReadByItsCaptionAndItsHint()
    {
        QFETCH(QString, expectedName);
        QFETCH(QString, description);
        TempStore store;
        const auto w = openWindow();
        QAccessibleInterface *iface = accessible(control<QWidget>(*w, QTest::currentDataTag()));
        // Qt on Linux names a selector by its current item; a screen reader
        // takes the caption from the label tied to it.
        const auto labels = iface->relations(QAccessible::Label);
        if (iface->role() == QAccessible::ComboBox)
            QCOMPARE(labels.size() == 1 ? name(labels.first().first) : QString(), expectedName);
        else
            QCOMPARE(name(iface), expectedName);
        QCOMPARE(iface->text(QAccessible::Description), description);
    }

    void secondHostDescription_followsThePort()
    {
        TempStore store;
        const auto w = openWindow();
        auto *port = control<QLineEdit>(*w, "qvipport");
        typeInto(port, "12000");
        pressTab(port);
        QCOMPARE(accessible(control<QLineEdit>(*w, "qvipaddress1"))->text(QAccessible::Description),
                 secondHostHintStart + "12004");
    }

    void gridCell_isReadWithItsPlaceAndTheSelection_data()
    {
        QTest::addColumn<bool>("toggleToEight");
        QTest::addColumn<int>("row");
        QTest::newRow("4 receivers, row 1") << false << 1;
        QTest::newRow("4 receivers, row 4") << false << 4;
        QTest::newRow("8 receivers after Ctrl+R, row 7") << true << 7;
    }

    void gridCell_isReadWithItsPlaceAndTheSelection()
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
        pickItem(control<QComboBox>(*w, "voltage"), "X-VERT");
        clickCell(grid, row);
        clickOn(control<QPushButton>(*w, "copytorx"));

        QAccessibleTableInterface *table = accessible(grid)->tableInterface();
        QVERIFY(table);
        QCOMPARE(table->rowCount(), toggleToEight ? 9 : 5);
        const QStringList titles{"RX", "Frequency", "Symbol Rate", "Loc Osc", "Antenna", "Voltage"};
        const QStringList texts{QString(), "10491.500", "333", "9750.000", "TOP", "X-VERT"};
        const QString receiver = QStringLiteral("Receiver %1").arg(row);
        for (int col = 0; col < titles.size(); ++col) {
            QAccessibleInterface *cell = table->cellAt(row, col);
            QVERIFY(cell && cell->tableCellInterface());
            QAccessibleTableCellInterface *place = cell->tableCellInterface();
            // The RX cell heads its row, the visible title cell its column.
            QCOMPARE(headerName(place->rowHeaderCells()), receiver);
            QCOMPARE(headerName(place->columnHeaderCells()), titles.at(col));
            QCOMPARE(name(cell),
                     col == 0 ? receiver : receiver + ", " + titles.at(col) + ' ' + texts.at(col));
            // The copy leaves the row selected.
            QVERIFY(cell->state().selected && place->isSelected());
        }
        const int other = row == 1 ? 2 : 1;
        clickCell(grid, other);
        QVERIFY(!table->cellAt(row, 0)->state().selected);
        QCOMPARE(table->selectedRows(), QList<int>{other});
        QCOMPARE(name(table->cellAt(other, 0)), QStringLiteral("Receiver %1").arg(other));
        QCOMPARE(grid->TextMatrix(other, 0), QString::number(other));
        // The grid shows no header views of its own: row 0 holds the titles.
        QVERIFY(grid->horizontalHeader()->isHidden() && grid->verticalHeader()->isHidden());
    }
};

QTEST_MAIN(AccessibilityTest)
#include "test_accessibility.moc"
