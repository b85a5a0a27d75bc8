// checkPort, secondHostHint and receiverPort: the base port as typed or stored.
#include "command/hostentry.h"
#include "fuzzcheck.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fuzz::text(data, size);
    const PortVerdict verdict = checkPort(text);
    const QString core = fuzz::withoutBlanksAround(text);
    const bool numeric = fuzz::matches(fuzz::plainInteger, core);
    FUZZ_CHECK((verdict != PortVerdict::NotNumeric) == numeric);

    if (numeric) {
        const long long value = fuzz::integerValue(core);
        const bool good = value >= 1100 && value <= 65400 && text.endsWith(QLatin1String("00"));
        FUZZ_CHECK((verdict == PortVerdict::Accepted) == good);
        if (good) {
            // Every receiver of both hosts gets base + 20 + its number.
            for (int receiver = 1; receiver <= 8; ++receiver) {
                const std::optional<quint16> port = receiverPort(text, receiver);
                FUZZ_CHECK(port && *port == value + 20 + receiver);
            }
            FUZZ_CHECK(secondHostHint(text).endsWith(QStringLiteral("= %1").arg(value + 4)));
        }
    }

    const QString hint = secondHostHint(text);
    FUZZ_CHECK(hint.startsWith(
        QStringLiteral("IP address of the second Raspberry Pi running Quenvale, which should be started with "
                       "BASEIPPORT = ")));
    FUZZ_CHECK(!hint.contains(QLatin1Char('\n')) && !hint.contains(QLatin1Char('\r')));

    // Whatever the stored text, a port is either usable or there is none; a
    // plain decimal base gives the nearest port (halves to even) when that is
    // a port at all.
    const bool decimal = fuzz::matches(fuzz::plainDecimal, core);
    for (int receiver : {1, 4, 5, 8}) {
        const std::optional<quint16> port = receiverPort(text, receiver);
        if (port) {
            FUZZ_CHECK(*port >= 1);
            FUZZ_CHECK(decimal);
        }
        if (decimal) {
            const double exact = fuzz::readDouble(core) + 20 + receiver;
            const double nearest = std::nearbyint(exact);
            FUZZ_CHECK(port.has_value() == (nearest >= 1 && nearest <= 65535));
            if (port)
                FUZZ_CHECK(*port == nearest && std::abs(exact - *port) <= 0.5);
        }
    }
    return 0;
}
