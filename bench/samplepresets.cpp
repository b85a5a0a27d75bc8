#include "samplepresets.h"

#include <QSettings>

namespace {
struct Preset
{
    const char *frequency, *symbolRate, *offset, *antenna, *voltage;
};

// The widest texts each column can hold appear at least once.
constexpr Preset rows[] = {
    {"10491.500", "1500", "9750.000", "TOP", " "},
    {"10499.750", "333", "9750.000", "BOT", "X-HORIZ-TONE"},
    {"10497.000", "27500", "10207.407", "TOP", "Y-VERT-TONE"},
    {"1249.000", "2000", "0.000", "BOT", "X-OFF"},
    {"10493.250", "250", "9750.000", "TOP", " "},
    {"146.500", "66", "0.000", "BOT", "Y-OFF"},
    {"437.000", "1000", "0.000", "TOP", "Y-HORIZ-TONE"},
    {"10495.125", "125", "9750.000", "BOT", "X-VERT"},
};
constexpr Preset working = {"10499.999", "27500", "10207.407", "TOP", "Y-HORIZ-TONE"};

void writeSection(QSettings &settings, const QString &section, const Preset &preset)
{
    settings.beginGroup(section);
    settings.setValue(QStringLiteral("Frequency"), QString::fromLatin1(preset.frequency));
    settings.setValue(QStringLiteral("SymbolRate"), QString::fromLatin1(preset.symbolRate));
    settings.setValue(QStringLiteral("Offset"), QString::fromLatin1(preset.offset));
    settings.setValue(QStringLiteral("Antenna"), QString::fromLatin1(preset.antenna));
    settings.setValue(QStringLiteral("Voltage"), QString::fromLatin1(preset.voltage));
    settings.endGroup();
}
} // namespace

void writeSamplePresets(const QString &configHome, int receivers, const QString &firstHost,
                        const QString &secondHost, int basePort)
{
    const QString name = QStringLiteral("ZorudozaZudizirIvozudiro");
    QSettings settings(configHome + QLatin1Char('/') + name + QLatin1Char('/') + name
                           + QStringLiteral(".conf"),
                       QSettings::IniFormat);
    settings.clear();
    settings.setValue(QStringLiteral("MaxReceivers/Receivers"), QString::number(receivers));
    settings.setValue(QStringLiteral("IP/Address0"), firstHost);
    settings.setValue(QStringLiteral("IP/Address1"), secondHost);
    settings.setValue(QStringLiteral("IP/Port"), QString::number(basePort));
    writeSection(settings, QStringLiteral("RX0"), working);
    for (int row = 1; row <= 8; ++row)
        writeSection(settings, QStringLiteral("RX%1").arg(row), rows[row - 1]);
    settings.sync();
}
