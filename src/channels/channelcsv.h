// The library's file format: UTF-8 CSV as RFC 4180 has it, a header line
// naming the columns, one channel a record. Written with the columns in the
// order of channelColumns(); read with them in any order, extra columns
// ignored, so that a spreadsheet's or another program's export reads too.
#pragma once

#include "channel.h"

#include <QByteArray>
#include <QVector>

// What is wrong where: the line a record starts on (1 is the header), the
// column, and why.
struct LineProblem
{
    int line = 0;
    QString field; // a column title, or "" for the line as a whole
    QString reason;
};

// "line 3, Frequency: "abc" is not taken: ...", for the operator.
QString lineProblemText(const LineProblem &problem);

struct ChannelsRead
{
    QVector<Channel> channels; // in the file's order, values in their shown forms
    QVector<LineProblem> problems; // every line that is not a usable channel
};

// Reads the whole text; a file with any problem reads as no channels to use.
// Names must be unique, ignoring case, within the text.
ChannelsRead readChannelsCsv(const QByteArray &bytes);

// The header and one record a channel, in the order given, lines ending in
// CR LF; a field is quoted only when it holds a comma, a quote or a line end.
// Reading the result gives the same channels back.
QByteArray writeChannelsCsv(const QVector<Channel> &channels);
