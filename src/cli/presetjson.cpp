#include "presetjson.h"

#include "command/receivercommand.h"
#include "model/receivermodel.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// Half a surrogate pair is no character: strict JSON readers (jq) refuse a
// "\ud800" escape and with it the whole list. It becomes U+FFFD, as a
// decoder shows what it cannot read; control characters stay, escaped.
QString jsonText(const QString &cell)
{
    QString text = cell;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            text[i] = QChar::ReplacementCharacter;
    }
    return text;
}

} // namespace

QString presetJson(const ReceiverModel &model)
{
    const int count = model.maxreceivers();
    const HostTexts hosts = model.hosts();
    QJsonArray rows;
    for (int receiver = 1; receiver <= count; ++receiver) {
        const RowCells cells = model.receiver(receiver);
        const std::optional<Destination> destination =
            receiverDestination(receiver, hosts.firstHost, hosts.secondHost, hosts.basePort);
        // The cells as stored: JSON carries any character as itself or escaped.
        rows.append(QJsonObject{
            {"rx", receiver},
            {"frequency", jsonText(cells.frequency)},
            {"symbolRate", jsonText(cells.symbolRate)},
            {"locOsc", jsonText(cells.offset)},
            {"antenna", jsonText(cells.antenna)},
            {"voltage", jsonText(cells.voltage)},
            {"host", destination ? QJsonValue(destination->host.toString()) : QJsonValue()},
            {"port", destination ? QJsonValue(int(destination->port)) : QJsonValue()},
        });
    }
    return QString::fromUtf8(QJsonDocument(rows).toJson(QJsonDocument::Indented));
}
