#include "commandline.h"

#include "downlinkwindow.h"
#include "tuning/numbers.h"

#include <cmath>
#include <iterator>

namespace {

struct VoltageCode
{
    const char *axis;
    const char *value;
};

// The codes of voltageItems() after the blank one, in the same order.
constexpr VoltageCode voltageCodes[] = {
    {"x", "OFF"}, {"x", "LO"}, {"x", "HI"}, {"x", "LOT"}, {"x", "HIT"},
    {"y", "OFF"}, {"y", "LO"}, {"y", "HI"}, {"y", "LOT"}, {"y", "HIT"},
};

bool isPrintableAscii(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7e)
            return false;
    }
    return true;
}

} // namespace

std::optional<int32_t> frequencyKhz(const QString &megahertzText)
{
    const std::optional<double> megahertz = numbers::wholeTextNumber(megahertzText);
    if (!megahertz)
        return std::nullopt;
    return numbers::roundHalfEvenToInt32(numbers::toFifteenDigits(*megahertz * 1000.0));
}

std::optional<int32_t> offsetKhz(const QString &megahertzText)
{
    // volatile keeps the product a true double before the floor, even where
    // the compiler could otherwise carry it at a higher precision.
    volatile double product = numbers::leadingNumber(megahertzText) * 1000.0;
    return numbers::floorToInt32(product);
}

QString antennaPlug(const QString &antennaCell)
{
    const qsizetype item = antennaItems().indexOf(antennaCell);
    return item < 0 ? QString() : QString(QChar(char16_t(u'A' + item)));
}

std::optional<CommandFields> commandFieldsFromCells(int receiver, const RowCells &cells)
{
    const std::optional<int32_t> frequency = frequencyKhz(cells.frequency);
    const std::optional<int32_t> offset = offsetKhz(cells.offset);
    if (!frequency || !offset || !isPrintableAscii(cells.symbolRate))
        return std::nullopt;
    CommandFields fields;
    fields.receiver = int16_t(receiver);
    fields.frequency = *frequency;
    fields.symbolRate = cells.symbolRate;
    fields.offset = *offset;
    fields.antennaPlug = antennaPlug(cells.antenna);
    const qsizetype item = voltageItems().indexOf(cells.voltage) - 1; // the blank one has no code
    if (item >= 0 && item < qsizetype(std::size(voltageCodes))) {
        fields.voltageAxis = QLatin1String(voltageCodes[item].axis);
        fields.voltageValue = QLatin1String(voltageCodes[item].value);
    }
    return fields;
}

CommandFields uplinkVariant(CommandFields fields)
{
    fields.frequency -= uplinkShiftKhz;
    fields.antennaPlug = fields.antennaPlug == QLatin1String("A") ? QStringLiteral("B") : QStringLiteral("A");
    fields.offset = 0;
    return fields;
}

QString FormatCommandLine(const CommandFields &fields)
{
    QString line = QStringLiteral("[to@qv] rcv=") + QString::number(fields.receiver)
        + QStringLiteral(" freq=") + QString::number(fields.frequency) + QStringLiteral(" srate=")
        + fields.symbolRate + QStringLiteral(" offset=") + QString::number(fields.offset)
        + QStringLiteral(" fplug=") + fields.antennaPlug;
    if (!fields.voltageValue.isEmpty())
        line += QStringLiteral(" vg") + fields.voltageAxis + QLatin1Char('=') + fields.voltageValue;
    line += QStringLiteral("\r\n");
    return line;
}

QByteArray commandDatagram(const CommandFields &fields)
{
    return FormatCommandLine(fields).toLatin1();
}
