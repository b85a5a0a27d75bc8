// Checks for the receiver hosts' addresses and the receivers' base port.
#pragma once

#include <QString>
#include <optional>

// An address entry read once: "a.b.c.d" with four numeric components 0 to
// 255 (blanks around a component and leading zeros allowed) is written back
// as plain numbers (" 010.1.2.3" gives "10.1.2.3"). The errors: 1 for a
// wrong number of components, else one per component that is not numeric or
// out of range; plus 1 when the two address boxes hold the same text. The
// entry is accepted at 0 errors; `normalised` is empty unless the text
// itself is a usable address.
struct AddressEntry
{
    QString normalised;
    int errors = 0;
};
AddressEntry parseAddress(const QString &text, bool boxesHoldSameText);
// The same rule in the operator's words, for a refused entry.
inline constexpr const char *addressNeeded =
    "four numbers 0 to 255 joined by dots are needed, and not the other host's address";

// The normalised address, or nothing for any other text.
std::optional<QString> normaliseAddress(const QString &text);

// The error count alone.
int addressErrorCount(const QString &text, bool boxesHoldSameText);

enum class PortVerdict { NotNumeric, Rejected, Accepted };

// A base port is accepted when it is numeric, 1100 to 65400, and its text
// as typed ends in "00".
PortVerdict checkPort(const QString &text);
inline constexpr const char *portNeeded = "a number from 1100 to 65400 ending in 00 is needed";

// The hover text of the second host's box, naming the base port the second
// host must be started with: the first host's base port plus 4.
QString secondHostHint(const QString &portText);

// The UDP port of a receiver: the nearest integer (halves to even) of base
// port + 20 + receiver. Nothing when the base port text is not a decimal
// number or the result is not a usable port (1 to 65535).
std::optional<quint16> receiverPort(const QString &basePortText, int receiver);

// Receivers 1 to 4 run on the first host, the others on the second.
inline int hostIndexOfReceiver(int receiver)
{
    return receiver > 4 ? 1 : 0;
}
