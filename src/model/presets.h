// What the store keeps for the receivers: a row's five preset cells and the
// host values commands are sent with.
#pragma once

#include <QString>

// The five preset cells of one receiver row (grid columns 1 to 5).
struct RowCells
{
    QString frequency; // MHz, three decimals
    QString symbolRate; // kS/s
    QString offset; // LO MHz, three decimals
    QString antenna; // "TOP" / "BOT"
    QString voltage; // a voltage item, " " for none
};

// A row is filled when its Frequency, Symbol Rate and Antenna cells hold
// text; only a filled row can be sent or loaded into the working settings.
inline bool isFilled(const RowCells &cells)
{
    return !cells.frequency.isEmpty() && !cells.symbolRate.isEmpty() && !cells.antenna.isEmpty();
}

// The host values a command is sent with: the last accepted texts of the two
// address boxes and of the base port box (the store holds the same texts).
struct HostTexts
{
    QString firstHost;
    QString secondHost;
    QString basePort;
};
