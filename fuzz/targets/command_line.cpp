// The conversion of a row's five cells into a command, and the command line
// built from it, over five arbitrary cell texts. Input: one byte for the
// receiver and the pressed mouse buttons, then the five cells separated by
// NUL bytes. Needs no application object: the conversion is widget-free.
#include "command/commandline.h"
#include "command/sending.h"
#include "fuzzcheck.h"

#include <QList>
#include <QStringList>

namespace {

const QStringList generatorItems = {"X-OFF", "X-VERT", "X-HORIZ", "X-VERT-TONE", "X-HORIZ-TONE",
                                    "Y-OFF", "Y-VERT", "Y-HORIZ", "Y-VERT-TONE", "Y-HORIZ-TONE"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const int receiver = data[0] % 8 + 1;
    const SendVariant variant = (data[0] >> 4) & 1 ? SendVariant::Uplink : SendVariant::Downlink;
    QList<QByteArray> pieces =
        QByteArray(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1)).split('\0');
    while (pieces.size() < 5)
        pieces << QByteArray();
    const RowCells cells{QString::fromUtf8(pieces[0]), QString::fromUtf8(pieces[1]),
                         QString::fromUtf8(pieces[2]), QString::fromUtf8(pieces[3]),
                         QString::fromUtf8(pieces[4])};
    const std::optional<CommandFields> fields = commandFieldsFromCells(receiver, cells);

    // No command without a real frequency, LO and a symbol rate that keeps the line whole.
    const std::optional<int32_t> frequency = frequencyKhz(cells.frequency);
    const std::optional<int32_t> offset = offsetKhz(cells.offset);
    if (!frequency || !offset) {
        FUZZ_CHECK(!fields);
        return 0;
    }
    if (!fields)
        return 0;

    const QString line = FormatCommandLine(*fields);
    fuzz::checkCommandLine(line, receiver);
    FUZZ_CHECK(line.contains(QStringLiteral(" freq=%1 srate=").arg(*frequency)));
    FUZZ_CHECK(line.contains(QStringLiteral(" srate=") + cells.symbolRate + QStringLiteral(" offset=")));
    FUZZ_CHECK(line.contains(QStringLiteral(" offset=%1 fplug=").arg(*offset)));
    const QString plug = cells.antenna == QLatin1String("TOP") ? QStringLiteral("A")
        : cells.antenna == QLatin1String("BOT")                ? QStringLiteral("B")
                                                               : QString();
    FUZZ_CHECK(fields->antennaPlug == plug);
    FUZZ_CHECK(line.contains(QStringLiteral(" vg")) == generatorItems.contains(cells.voltage));
    FUZZ_CHECK(commandDatagram(*fields) == line.toLatin1());
    FUZZ_CHECK(commandDatagram(*fields).size() == line.size());

    // The send as it goes: the uplink variant only when asked for inside the
    // downlink window.
    const CommandFields pressed = fieldsForVariant(*fields, variant);
    const bool uplink = variant == SendVariant::Uplink && *frequency >= 10490000 && *frequency < 10500000;
    if (uplink) {
        FUZZ_CHECK(pressed.frequency == *frequency - 8089500);
        FUZZ_CHECK(pressed.offset == 0);
        FUZZ_CHECK(pressed.antennaPlug
                   == (plug == QLatin1String("A") ? QStringLiteral("B") : QStringLiteral("A")));
    } else {
        FUZZ_CHECK(pressed.frequency == fields->frequency && pressed.offset == fields->offset
                   && pressed.antennaPlug == fields->antennaPlug);
    }
    fuzz::checkCommandLine(FormatCommandLine(pressed), receiver);
    return 0;
}
