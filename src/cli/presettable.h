// --list: the presets as a table for a terminal or a script, a header line
// then one line per receiver of the model's count (the model is the window's,
// loaded from the same store); and the column layout --channels shares.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class ReceiverModel;

// The grid's column titles (presetColumnTitles) and "Destination" (host:port, or "not usable"), each as wide
// as its widest text, two blanks apart; an empty row shows empty cells.
QString presetTable(const ReceiverModel &model);

// Lines of cells as a plain-text table: each column as wide as its widest
// cell, two blanks between columns, no trailing blanks.
QString alignedColumns(const QList<QStringList> &lines);

// The text with each character that does not print (a line end, a control
// character) replaced by `stand`: one row of a table stays one line.
QString oneLine(const QString &text, QChar stand);
