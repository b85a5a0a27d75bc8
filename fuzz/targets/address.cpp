// normaliseAddress and addressErrorCount: a host address as typed.
#include "command/hostentry.h"
#include "fuzzcheck.h"

#include <QHostAddress>
#include <QStringList>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fuzz::text(data, size);
    const std::optional<QString> normalised = normaliseAddress(text);
    const int errors = addressErrorCount(text, false);
    FUZZ_CHECK(errors >= 0 && errors <= 4);
    FUZZ_CHECK(addressErrorCount(text, true) == errors + 1);
    FUZZ_CHECK(normalised.has_value() == (errors == 0));

    // Reference: four components, each blanks around an optional sign and
    // digits, of value 0 to 255.
    const QStringList parts = text.isEmpty() ? QStringList() : text.split(QLatin1Char('.'));
    bool fourNumbers = parts.size() == 4;
    QStringList values;
    // Any other count of components is refused as a whole, whatever they hold.
    for (const QString &part : fourNumbers ? parts : QStringList()) {
        const QString core = fuzz::withoutBlanksAround(part);
        const bool numeric = fuzz::matches(fuzz::plainInteger, core);
        const long long value = numeric ? fuzz::integerValue(core) : -1;
        fourNumbers = fourNumbers && numeric && value >= 0 && value <= 255;
        values << QString::number(value);
    }
    FUZZ_CHECK(normalised.has_value() == fourNumbers);
    if (!normalised)
        return 0;

    // Four plain numbers 0 to 255, the same values as typed; normalising
    // again changes nothing, and the network layer reads the same address.
    FUZZ_CHECK(fuzz::matches(QStringLiteral("(0|[1-9][0-9]{0,2})(\\.(0|[1-9][0-9]{0,2})){3}"), *normalised));
    FUZZ_CHECK(*normalised == values.join(QLatin1Char('.')));
    FUZZ_CHECK(normaliseAddress(*normalised) == normalised);
    FUZZ_CHECK(addressErrorCount(*normalised, false) == 0);
    const QHostAddress address(*normalised);
    FUZZ_CHECK(address.protocol() == QAbstractSocket::IPv4Protocol);
    FUZZ_CHECK(address.toString() == *normalised);
    return 0;
}
