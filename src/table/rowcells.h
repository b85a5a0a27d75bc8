// The five preset cells of one receiver row (grid columns 1 to 5).
#pragma once

#include <QString>

struct RowCells
{
    QString frequency;  // MHz, three decimals
    QString symbolRate; // kS/s
    QString offset;     // LO MHz, three decimals
    QString antenna;    // "TOP" / "BOT"
    QString voltage;    // a voltage item, " " for none
};
