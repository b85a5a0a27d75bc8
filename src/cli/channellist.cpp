#include "channellist.h"

#include "channels/channellibrary.h"
#include "model/presets.h"
#include "presettable.h"

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

} // namespace

QString channelTable(const ChannelLibrary &library)
{
    QList<QStringList> lines{QStringList{QStringLiteral("Name")} + presetColumnTitles().mid(1)
                             + QStringList{QStringLiteral("Notes")}};
    for (const Channel &c : byName(library)) {
        // A note may hold line ends; one channel stays one line.
        const QString notes = oneLine(c.notes, QLatin1Char(' '));
        lines << QStringList{c.name,
                             c.values.frequency,
                             c.values.symbolRate,
                             c.values.offset,
                             c.values.antenna,
                             c.values.voltage,
                             notes};
    }
    return alignedColumns(lines);
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
