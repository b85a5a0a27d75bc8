#include "commandline.h"

#include "downlinkwindow.h"
#include "tuning/numbers.h"

#include <cmath>

namespace {

struct VoltageCode
{
    const char *item;
    const char *axis;
    const char *value;
};

constexpr VoltageCode voltageCodes[] = {
    {"X-OFF", "x", "OFF"},        {"X-VERT", "x", "LO"},        {"X-HORIZ", "x", "HI"},
    {"X-VERT-TONE", "x", "LOT"},  {"X-HORIZ-TONE", "x", "HIT"}, {"Y-OFF", "y", "OFF"},
    {"Y-VERT", "y", "LO"},        {"Y-HORIZ", "y", "HI"},       {"Y-VERT-TONE", "y", "LOT"},
    {"Y-HORIZ-TONE", "y", "HIT"},
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
    if (antennaCell == QLatin1String("TOP"))
        return QStringLiteral("A");
    if (antennaCell == QLatin1String("BOT"))
        return QStringLiteral("B");
    return {};
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
    for (const VoltageCode &code : voltageCodes) {
        if (cells.voltage == QLatin1String(code.item)) {
            fields.voltageAxis = QLatin1String(code.axis);
            fields.voltageValue = QLatin1String(code.value);
            break;
        }
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
