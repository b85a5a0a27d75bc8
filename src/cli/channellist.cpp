#include "channellist.h"

#include "channels/channellibrary.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

namespace {

QVector<Channel> byName(const ChannelLibrary &library)
{
    QVector<Channel> channels = library.channels();
    std::stable_sort(channels.begin(), channels.end(), [](const Channel &a, const Channel &b) {
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
    return channels;
}

// A note may hold line ends; one channel stays one line.
QString oneLine(const QString &text)
{
    QString line = text;
    for (QChar &c : line) {
        if (!c.isPrint())
            c = QLatin1Char(' ');
    }
    return line;
}

} // namespace

QString channelTable(const ChannelLibrary &library)
{
    QList<QStringList> lines{{"Name", "Frequency", "Symbol Rate", "Loc Osc", "Antenna", "Voltage", "Notes"}};
    for (const Channel &c : byName(library)) {
        lines << QStringList{c.name,           c.values.frequency, c.values.symbolRate, c.values.offset,
                             c.values.antenna, c.values.voltage,   oneLine(c.notes)};
    }
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
        while (text.endsWith(QLatin1Char(' ')))
            text.chop(1);
        table += text + QLatin1Char('\n');
    }
    return table;
}

QString channelJson(const ChannelLibrary &library)
{
    QJsonArray array;
    for (const Channel &c : byName(library)) {
        array.append(QJsonObject{{"name", c.name},
                                 {"frequency", c.values.frequency},
                                 {"symbolRate", c.values.symbolRate},
                                 {"locOsc", c.values.offset},
                                 {"antenna", c.values.antenna},
                                 {"voltage", c.values.voltage},
                                 {"notes", c.notes}});
    }
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Indented));
}
