// The model's values for a receiver: a row's five preset cells, and the host
// values commands are sent with. The store reads and writes the same.
#pragma once

#include <QStringList>

// The receiver grid's column titles: "RX", then one a preset cell.
const QStringList &presetColumnTitles();

// The items an Antenna cell may hold, as the antenna selector lists them:
// the first is plug A, the second plug B.
const QStringList &antennaItems();

// The items a Voltage cell may hold, as the voltage selector lists them;
// " " is the blank one.
const QStringList &voltageItems();

// The five preset cells of one receiver row (grid columns 1 to 5).
struct RowCells
{
    QString frequency; // MHz, three decimals
    QString symbolRate; // kS/s
    QString offset; // LO MHz, three decimals
    QString antenna; // "TOP" / "BOT"
    QString voltage; // a voltage item, " " for none
};

inline bool operator==(const RowCells &a, const RowCells &b)
{
    return a.frequency == b.frequency && a.symbolRate == b.symbolRate && a.offset == b.offset
        && a.antenna == b.antenna && a.voltage == b.voltage;
}

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
