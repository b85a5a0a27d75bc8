// Host addresses and the base port: which entries pass, how an address is
// written back, the second host's hint, and where each receiver's commands go.
#include "command/hostentry.h"
#include "command/sending.h"
#include "designedlayout.h"

#include <QRegularExpression>
#include <QTest>

namespace {
const QString refused = QStringLiteral("<refused>");
} // namespace

Q_DECLARE_METATYPE(PortVerdict)

class HostEntryTest : public QObject
{
    Q_OBJECT

private slots:
    void address_isAcceptedAndWrittenPlainOrRefused_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("normalised");
        QTest::addColumn<int>("errors");

        QTest::newRow("plain") << "192.168.1.10"
                               << "192.168.1.10" << 0;
        QTest::newRow("leading zeros") << "010.001.000.255"
                                       << "10.1.0.255" << 0;
        QTest::newRow("blank before the first component") << " 192.168.1.10"
                                                          << "192.168.1.10" << 0;
        QTest::newRow("blank before an inner component") << "192. 168.1.10"
                                                         << "192.168.1.10" << 0;
        QTest::newRow("blank after a component") << "192.168 .1.10"
                                                 << "192.168.1.10" << 0;
        QTest::newRow("lowest components") << "0.0.0.0"
                                           << "0.0.0.0" << 0;
        QTest::newRow("highest components") << "255.255.255.255"
                                            << "255.255.255.255" << 0;
        QTest::newRow("sign dropped") << "+127.0.0.1"
                                      << "127.0.0.1" << 0;

        QTest::newRow("three components") << "192.168.1" << refused << 1;
        QTest::newRow("five components") << "192.168.1.10.5" << refused << 1;
        QTest::newRow("trailing full stop") << "192.168.1.10." << refused << 1;
        QTest::newRow("no full stop") << "192" << refused << 1;
        QTest::newRow("empty") << "" << refused << 1;
        QTest::newRow("empty component") << "192..1.10" << refused << 1;
        QTest::newRow("blank component") << "192. .1.10" << refused << 1;
        QTest::newRow("256") << "256.168.1.10" << refused << 1;
        QTest::newRow("-1") << "192.168.1.-1" << refused << 1;
        QTest::newRow("huge component") << "192.168.1.99999999999999999999999" << refused << 1;
        QTest::newRow("letter after the digits") << "192.168.1.10a" << refused << 1;
        QTest::newRow("host name") << "localhost" << refused << 1;
        QTest::newRow("hexadecimal component") << "0x7f.0.0.1" << refused << 1;
        QTest::newRow("fraction component") << "192.168.1.1e1" << refused << 1;
        QTest::newRow("one error per bad component") << "256.-1.x.4" << refused << 3;
    }
    void address_isAcceptedAndWrittenPlainOrRefused()
    {
        QFETCH(QString, text);
        QFETCH(QString, normalised);
        QFETCH(int, errors);
        QCOMPARE(normaliseAddress(text).value_or(refused), normalised);
        QCOMPARE(addressErrorCount(text, false), errors);
        // Two boxes with the same text add one more error.
        QCOMPARE(addressErrorCount(text, true), errors + 1);
    }

    void normalisedAddress_staysTheSameWhenNormalisedAgain_data()
    {
        address_isAcceptedAndWrittenPlainOrRefused_data();
    }
    void normalisedAddress_staysTheSameWhenNormalisedAgain()
    {
        QFETCH(QString, text);
        const std::optional<QString> once = normaliseAddress(text);
        if (!once)
            return;
        QCOMPARE(normaliseAddress(*once), once);
        QCOMPARE(addressErrorCount(*once, false), 0);
    }

    void port_isCheckedForRangeAndEnding_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<PortVerdict>("verdict");

        QTest::newRow("1100") << "1100" << PortVerdict::Accepted;
        QTest::newRow("9900") << "9900" << PortVerdict::Accepted;
        QTest::newRow("10000") << "10000" << PortVerdict::Accepted;
        QTest::newRow("12300") << "12300" << PortVerdict::Accepted;
        QTest::newRow("65400") << "65400" << PortVerdict::Accepted;
        QTest::newRow("blank before") << " 9900" << PortVerdict::Accepted;
        QTest::newRow("1000 is below 1100") << "1000" << PortVerdict::Rejected;
        QTest::newRow("65500 is above 65400") << "65500" << PortVerdict::Rejected;
        QTest::newRow("9950 does not end in 00") << "9950" << PortVerdict::Rejected;
        QTest::newRow("trailing blank") << "9900 " << PortVerdict::Rejected;
        QTest::newRow("negative") << "-9900" << PortVerdict::Rejected;
        QTest::newRow("too many digits to fit") << "99999999999999999999999900" << PortVerdict::Rejected;
        QTest::newRow("letters") << "99a00" << PortVerdict::NotNumeric;
        QTest::newRow("word") << "port" << PortVerdict::NotNumeric;
        QTest::newRow("fraction") << "9900.00" << PortVerdict::NotNumeric;
        QTest::newRow("exponent") << "99e2" << PortVerdict::NotNumeric;
        QTest::newRow("empty") << "" << PortVerdict::NotNumeric;
        QTest::newRow("blank") << " " << PortVerdict::NotNumeric;
    }
    void port_isCheckedForRangeAndEnding()
    {
        QFETCH(QString, text);
        QFETCH(PortVerdict, verdict);
        QCOMPARE(checkPort(text), verdict);
    }

    void secondHostHint_namesTheBasePortPlusFourOrNoNumber_data()
    {
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("number"); // empty: a port that is no number, and no number named
        QTest::newRow("12300") << "12300"
                               << "12304";
        QTest::newRow("9900") << "9900"
                              << "9904";
        QTest::newRow("blanks around") << " 9900 "
                                       << "9904";
        QTest::newRow("word") << "port" << QString();
        QTest::newRow("empty") << "" << QString();
        QTest::newRow("letters after digits") << "9900x" << QString();
    }
    void secondHostHint_namesTheBasePortPlusFourOrNoNumber()
    {
        QFETCH(QString, port);
        QFETCH(QString, number);
        const QString hint = secondHostHint(port);
        if (!number.isEmpty()) {
            QCOMPARE(hint, secondHostHintStart + number);
            return;
        }
        QVERIFY2(hint.startsWith(secondHostHintStart), qPrintable(hint));
        QVERIFY2(!hint.mid(secondHostHintStart.size()).contains(QRegularExpression("\\d")), qPrintable(hint));
    }

    void receiverPort_isBasePlusTwentyPlusReceiver_data()
    {
        QTest::addColumn<QString>("base");
        QTest::addColumn<int>("receiver");
        QTest::addColumn<int>("expected"); // 0: no port

        for (int receiver = 1; receiver <= 8; ++receiver)
            QTest::addRow("9900, receiver %d", receiver) << "9900" << receiver << 9920 + receiver;
        QTest::newRow("highest base") << "65400" << 8 << 65428;
        QTest::newRow("blanks around") << " 1100 " << 1 << 1121;
        QTest::newRow("word") << "port" << 1 << 0;
        QTest::newRow("empty") << "" << 1 << 0;
        QTest::newRow("fraction to nearest") << "9700.4" << 1 << 9721;
        QTest::newRow("half to even, up") << "9900.5" << 3 << 9924;
        QTest::newRow("half to even, down") << "9900.5" << 2 << 9922;
        QTest::newRow("fraction to the last port") << "65514.4" << 1 << 65535;
        QTest::newRow("fraction beyond the last port") << "65514.6" << 1 << 0;
        QTest::newRow("fraction below port 1") << "-20.6" << 1 << 0;
        QTest::newRow("exponent") << "99e2" << 1 << 0;
        QTest::newRow("beyond the port range") << "65520" << 1 << 0;
        QTest::newRow("huge") << "99999999999999999999" << 1 << 0;
        QTest::newRow("below the port range") << "-100" << 1 << 0;
    }
    void receiverPort_isBasePlusTwentyPlusReceiver()
    {
        QFETCH(QString, base);
        QFETCH(int, receiver);
        QFETCH(int, expected);
        QCOMPARE(int(receiverPort(base, receiver).value_or(0)), expected);
    }

    void receiverDestination_goesToTheHostOfTheReceiver_data()
    {
        QTest::addColumn<int>("receiver");
        QTest::addColumn<QString>("firstHost");
        QTest::addColumn<QString>("secondHost");
        QTest::addColumn<QString>("basePort");
        QTest::addColumn<QString>("expected"); // "host:port" or empty for none

        QTest::newRow("row 3, first host") << 3 << "127.0.0.1"
                                           << "127.0.0.2"
                                           << "9900"
                                           << "127.0.0.1:9923";
        QTest::newRow("row 4, first host") << 4 << "127.0.0.1"
                                           << "127.0.0.2"
                                           << "9900"
                                           << "127.0.0.1:9924";
        QTest::newRow("row 5, second host") << 5 << "127.0.0.1"
                                            << "127.0.0.2"
                                            << "9900"
                                            << "127.0.0.2:9925";
        QTest::newRow("row 6, second host") << 6 << "127.0.0.1"
                                            << "127.0.0.2"
                                            << "9900"
                                            << "127.0.0.2:9926";
        // Leading zeros are decimal, never octal.
        QTest::newRow("leading zeros") << 1 << "127.000.000.010"
                                       << "127.0.0.2"
                                       << "9900"
                                       << "127.0.0.10:9921";
        QTest::newRow("unusable second host, first-host row") << 2 << "127.0.0.1"
                                                              << ""
                                                              << "9900"
                                                              << "127.0.0.1:9922";
        QTest::newRow("unusable first host") << 1 << "300.0.0.1"
                                             << "127.0.0.2"
                                             << "9900"
                                             << "";
        QTest::newRow("empty first host") << 4 << ""
                                          << "127.0.0.2"
                                          << "9900"
                                          << "";
        QTest::newRow("host name as second host") << 5 << "127.0.0.1"
                                                  << "localhost"
                                                  << "9900"
                                                  << "";
        QTest::newRow("base port no number") << 3 << "127.0.0.1"
                                             << "127.0.0.2"
                                             << "abc"
                                             << "";
    }
    void receiverDestination_goesToTheHostOfTheReceiver()
    {
        QFETCH(int, receiver);
        QFETCH(QString, firstHost);
        QFETCH(QString, secondHost);
        QFETCH(QString, basePort);
        QFETCH(QString, expected);
        const std::optional<Destination> destination =
            receiverDestination(receiver, firstHost, secondHost, basePort);
        const QString where = destination
            ? destination->host.toString() + QLatin1Char(':') + QString::number(destination->port)
            : QString();
        QCOMPARE(where, expected);
    }
};

QTEST_APPLESS_MAIN(HostEntryTest)
#include "test_hostentry.moc"
