#include "presettable.h"

#include "command/receivercommand.h"
#include "model/receivermodel.h"

#include <QList>
#include <QStringList>

QString oneLine(const QString &text, QChar stand)
{
    QString line = text;
    for (QChar &c : line) {
        if (!c.isPrint())
            c = stand;
    }
    return line;
}

QString alignedColumns(const QList<QStringList> &lines)
{
    QList<qsizetype> widths(lines.first().size(), 0);
    for (const QStringList &line : lines) {
        for (qsizetype col = 0; col < line.size(); ++col)
            widths[col] = std::max(widths[col], line[col].size());
    }
    QString table;
    for (const QStringList &line : lines) {
        QString text;
        for (qsizetype col = 0; col < line.size(); ++col)
            text += line[col].leftJustified(widths[col]) + QStringLiteral("  ");
        // Trailing blanks only, so a blank voltage item in mid-line keeps its column.
        while (text.endsWith(QLatin1Char(' ')))
            text.chop(1);
        table += text + QLatin1Char('\n');
    }
    return table;
}

QString presetTable(const ReceiverModel &model)
{
    const int count = model.maxreceivers();
    const HostTexts hosts = model.hosts();

    QList<QStringList> lines{presetColumnTitles() + QStringList{QStringLiteral("Destination")}};
    // A hand-edited cell may hold line ends or other control characters;
    // each shows as a question mark, and one receiver stays one line.
    const auto printable = [](const QString &cell) { return oneLine(cell, QLatin1Char('?')); };
    for (int receiver = 1; receiver <= count; ++receiver) {
        const RowCells cells = model.receiver(receiver);
        const std::optional<Destination> destination =
            receiverDestination(receiver, hosts.firstHost, hosts.secondHost, hosts.basePort);
        lines << QStringList{QString::number(receiver),
                             printable(cells.frequency),
                             printable(cells.symbolRate),
                             printable(cells.offset),
                             printable(cells.antenna),
                             printable(cells.voltage),
                             destination ? destinationText(*destination) : QStringLiteral("not usable")};
    }

    return alignedColumns(lines);
}
