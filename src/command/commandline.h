// The one message this program sends: a single ASCII line that tunes one
// receiver completely, for example
//   "[to@qv] rcv=2 freq=10491500 srate=1500 offset=9750000 fplug=A vgx=HI\r\n"
// (frequency and LO in whole kHz, plug A = TOP input, B = BOT, vg<axis> the
// voltage generator state). One line travels alone in one UDP datagram.
#pragma once

#include "downlinkwindow.h"
#include "model/presets.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

struct CommandFields
{
    int16_t receiver = 0;
    int32_t frequency = 0; // kHz
    QString symbolRate;
    int32_t offset = 0; // kHz
    QString antennaPlug; // "A", "B" or empty
    QString voltageAxis; // "x", "y" or empty
    QString voltageValue; // "OFF", "LO", "HI", "LOT", "HIT" or empty
};

// The fields of one row, or nothing when the row cannot give a command
// without a made-up value: a frequency that is not a number, a kHz figure
// outside 32 bits, or a symbol rate holding characters that would break the
// line (anything but printable ASCII).
std::optional<CommandFields> commandFieldsFromCells(int receiver, const RowCells &cells);

// MHz text to whole kHz: x * 1000 in double, cut to 15 significant digits,
// nearest integer with ties to even. Nothing for a text that is not a number.
std::optional<int32_t> frequencyKhz(const QString &megahertzText);

// LO MHz text to whole kHz: leading number * 1000 in double, floored.
std::optional<int32_t> offsetKhz(const QString &megahertzText);

QString antennaPlug(const QString &antennaCell);

// The uplink variant: frequency lowered by the uplink shift, the other plug
// ("A" when none), no LO.
CommandFields uplinkVariant(CommandFields fields);

QString FormatCommandLine(const CommandFields &fields);

// The datagram payload: one byte per character.
QByteArray commandDatagram(const CommandFields &fields);
