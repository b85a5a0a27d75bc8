#include "hostentry.h"

#include "tuning/numbers.h"

#include <QStringList>

namespace {
const QString hintPrefix =
    QStringLiteral("IP address of the second Raspberry Pi running Quenvale, which should be started with "
                   "BASEIPPORT = ");
}

AddressEntry parseAddress(const QString &text, bool boxesHoldSameText)
{
    AddressEntry entry;
    const QStringList parts = text.isEmpty() ? QStringList() : text.split(QLatin1Char('.'));
    if (parts.size() != 4) {
        entry.errors = 1;
    } else {
        QStringList values;
        for (const QString &part : parts) {
            const std::optional<long long> value = numbers::wholeTextInteger(part);
            if (!value || *value < 0 || *value > 255)
                ++entry.errors;
            else
                values << QString::number(*value);
        }
        if (entry.errors == 0)
            entry.normalised = values.join(QLatin1Char('.'));
    }
    if (boxesHoldSameText)
        ++entry.errors;
    return entry;
}

std::optional<QString> normaliseAddress(const QString &text)
{
    const AddressEntry entry = parseAddress(text, false);
    if (entry.errors != 0)
        return std::nullopt;
    return entry.normalised;
}

int addressErrorCount(const QString &text, bool boxesHoldSameText)
{
    return parseAddress(text, boxesHoldSameText).errors;
}

PortVerdict checkPort(const QString &text)
{
    const std::optional<long long> value = numbers::wholeTextInteger(text);
    if (!value)
        return PortVerdict::NotNumeric;
    const bool accepted = *value >= 1100 && *value <= 65400 && text.endsWith(QLatin1String("00"));
    return accepted ? PortVerdict::Accepted : PortVerdict::Rejected;
}

QString secondHostHint(const QString &portText)
{
    const std::optional<double> port = numbers::wholeTextNumber(portText);
    if (!port)
        return hintPrefix + QStringLiteral("the base port above plus four");
    return hintPrefix + numbers::shortestText(*port + 4.0);
}

std::optional<quint16> receiverPort(const QString &basePortText, int receiver)
{
    // The base port is read as a decimal number and the port is its nearest
    // integer, so a stored "9700.4" still reaches receiver 1 at 9721.
    const std::optional<double> base = numbers::wholeTextNumber(basePortText);
    if (!base)
        return std::nullopt;
    const std::optional<int32_t> port = numbers::roundHalfEvenToInt32(*base + 20.0 + receiver);
    if (!port || *port < 1 || *port > 65535)
        return std::nullopt;
    return quint16(*port);
}
