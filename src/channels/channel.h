// A named channel: the five values a receiver row holds, under a name the
// operator picks, with an optional note. The values pass the checks the
// working-settings boxes make and are kept in the forms the boxes show.
#pragma once

#include "model/presets.h"

#include <QString>
#include <QStringList>
#include <optional>

struct Channel
{
    QString name;
    RowCells values; // voltage " " for the blank item
    QString notes;
};

inline constexpr int longestChannelName = 40;

// The titles of the library's columns, as the file's header spells them.
const QStringList &channelColumns(); // Name, Frequency, SymbolRate, LocOsc, Antenna, Voltage, Notes

// Why a field cannot be taken, named by its column title.
struct FieldProblem
{
    QString field;
    QString reason;
};

// Checks a channel's name and values and rewrites them to their shown forms
// (frequency and LO in three decimals, symbol rate whole, an empty voltage as
// the blank item). Returns the first problem, or nothing when all is usable.
std::optional<FieldProblem> normaliseChannel(Channel &channel);

// The name with its surrounding blanks gone, or the reason it cannot be one.
std::optional<FieldProblem> checkChannelName(QString &name);

// Whether two names are the same channel's: case is not looked at.
bool sameChannelName(const QString &a, const QString &b);

// What a screen reader says for a channel:
// "QO-100 beacon, 10491.500 MHz, 1500 kS/s, LO 9750.000, TOP" (and the voltage item when there is one).
QString spokenChannel(const Channel &channel);

// The library of a first start.
Channel firstStartChannel();
