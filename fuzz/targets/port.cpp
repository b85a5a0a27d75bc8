// checkPort, secondHostHint and receiverPort: the base port as typed or stored.
#include "command/hostentry.h"
#include "fuzzcheck.h"

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
    FUZZ_CHECK(hint.startsWith(QStringLiteral(
        "IP address of the second Raspberry Pi running Quenvale, which should be started with "
        "BASEIPPORT = ")));
    FUZZ_CHECK(!hint.contains(QLatin1Char('\n')) && !hint.contains(QLatin1Char('\r')));

    // Whatever the stored text, a port is either usable or there is none.
    for (int receiver : {1, 4, 5, 8}) {
        if (const std::optional<quint16> port = receiverPort(text, receiver)) {
            FUZZ_CHECK(*port >= 1);
            FUZZ_CHECK(fuzz::matches(fuzz::plainDecimal, core));
        }
    }
    return 0;
}
