#include "hostentry.h"

#include "tuning/numbers.h"

#include <QStringList>

namespace {
const QString hintPrefix = QStringLiteral(
    "IP address of the second Raspberry Pi running Quenvale, which should be started with "
    "BASEIPPORT = ");
}

std::optional<QString> normaliseAddress(const QString &text)
{
    if (text.isEmpty())
        return std::nullopt;
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return std::nullopt;
    QStringList values;
    for (const QString &part : parts) {
        const std::optional<long long> value = numbers::wholeTextInteger(part);
        if (!value || *value < 0 || *value > 255)
            return std::nullopt;
        values << QString::number(*value);
    }
    return values.join(QLatin1Char('.'));
}

int addressErrorCount(const QString &text, bool boxesHoldSameText)
{
    int errors = 0;
    const QStringList parts = text.isEmpty() ? QStringList() : text.split(QLatin1Char('.'));
    if (parts.size() != 4) {
        errors = 1;
    } else {
        for (const QString &part : parts) {
            const std::optional<long long> value = numbers::wholeTextInteger(part);
            if (!value || *value < 0 || *value > 255)
                ++errors;
        }
    }
    if (boxesHoldSameText)
        ++errors;
    return errors;
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
