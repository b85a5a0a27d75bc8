#include "channelcsv.h"

#include <QCoreApplication>
#include <QHash>
#include <QStringDecoder>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("Channels", text);
}

struct Record
{
    int line = 0;
    QStringList fields;
};

// RFC 4180 records: fields split by commas, records by CR LF (or LF alone, as
// editors write), a quoted field may hold commas, doubled quotes and line ends.
QVector<Record> splitRecords(const QString &text, QVector<LineProblem> &problems)
{
    QVector<Record> records;
    int line = 1;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        Record record;
        record.line = line;
        QString field;
        bool endOfRecord = false;
        bool broken = false;
        while (!endOfRecord) {
            if (i < n && text[i] == QLatin1Char('"')) {
                ++i;
                bool closed = false;
                while (i < n) {
                    const QChar c = text[i++];
                    if (c == QLatin1Char('"')) {
                        if (i < n && text[i] == QLatin1Char('"')) {
                            field += c;
                            ++i;
                            continue;
                        }
                        closed = true;
                        break;
                    }
                    if (c == QLatin1Char('\n'))
                        ++line;
                    field += c;
                }
                if (!closed) {
                    problems.append({record.line, QString(),
                                     tr("a quoted field is not closed before the end of the file")});
                    return records;
                }
                if (i < n && text[i] != QLatin1Char(',') && text[i] != QLatin1Char('\r')
                    && text[i] != QLatin1Char('\n')) {
                    if (!broken)
                        problems.append({record.line, QString(), tr("text follows a closing quote")});
                    broken = true;
                }
            }
            while (i < n && text[i] != QLatin1Char(',') && text[i] != QLatin1Char('\n')) {
                if (!(text[i] == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n')))
                    field += text[i];
                ++i;
            }
            record.fields << field;
            field.clear();
            if (i >= n) {
                endOfRecord = true;
            } else if (text[i] == QLatin1Char(',')) {
                ++i;
            } else { // '\n'
                ++i;
                ++line;
                endOfRecord = true;
            }
        }
        const bool blank = record.fields.size() == 1 && record.fields.first().trimmed().isEmpty();
        if (!broken && !blank)
            records.append(record);
    }
    return records;
}

// The first line that is not UTF-8, or 0.
int firstLineNotUtf8(const QByteArray &bytes)
{
    int line = 1;
    qsizetype start = 0;
    while (start <= bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        QStringDecoder decoder(QStringDecoder::Utf8);
        const QString decoded = decoder(QByteArrayView(bytes).sliced(start, end - start));
        if (decoder.hasError())
            return line;
        start = end + 1;
        ++line;
    }
    return 0;
}

QByteArray csvField(const QString &text)
{
    QByteArray bytes = text.toUtf8();
    if (!bytes.contains(',') && !bytes.contains('"') && !bytes.contains('\r') && !bytes.contains('\n'))
        return bytes;
    bytes.replace('"', "\"\"");
    return '"' + bytes + '"';
}

} // namespace

QString lineProblemText(const LineProblem &problem)
{
    if (problem.field.isEmpty())
        return tr("line %1: %2").arg(problem.line).arg(problem.reason);
    return tr("line %1, %2: %3").arg(problem.line).arg(problem.field, problem.reason);
}

ChannelsRead readChannelsCsv(const QByteArray &bytes)
{
    ChannelsRead result;
    if (const int bad = firstLineNotUtf8(bytes)) {
        result.problems.append({bad, QString(), tr("not UTF-8 text")});
        return result;
    }
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF))) // a spreadsheet's byte-order mark
        text.remove(0, 1);
    const QVector<Record> records = splitRecords(text, result.problems);
    if (records.isEmpty()) {
        if (result.problems.isEmpty())
            result.problems.append(
                {1, QString(), tr("no header line (%1)").arg(channelColumns().join(QLatin1Char(',')))});
        return result;
    }

    // Where each of the columns is; a missing Voltage or Notes reads empty.
    const Record &header = records.first();
    QVector<int> at(channelColumns().size(), -1);
    for (int column = 0; column < header.fields.size(); ++column) {
        const int known = int(channelColumns().indexOf(header.fields[column].trimmed()));
        if (known < 0)
            continue;
        if (at[known] >= 0)
            result.problems.append(
                {header.line, channelColumns()[known], tr("the column is named twice in the header")});
        at[known] = column;
    }
    for (int known = 0; known < 5; ++known) {
        if (at[known] < 0)
            result.problems.append(
                {header.line, channelColumns()[known], tr("the header has no such column")});
    }
    if (!result.problems.isEmpty())
        return result;

    QHash<QString, int> lineOfName;
    for (qsizetype r = 1; r < records.size(); ++r) {
        const Record &record = records[r];
        const auto field = [&](int known) {
            return at[known] >= 0 && at[known] < record.fields.size() ? record.fields[at[known]] : QString();
        };
        Channel channel{field(0), {field(1), field(2), field(3), field(4), field(5)}, field(6)};
        if (const std::optional<FieldProblem> problem = normaliseChannel(channel)) {
            result.problems.append({record.line, problem->field, problem->reason});
            continue;
        }
        const QString key = channel.name.toCaseFolded();
        if (lineOfName.contains(key)) {
            result.problems.append(
                {record.line, QStringLiteral("Name"),
                 tr("\"%1\" is already the name on line %2").arg(channel.name).arg(lineOfName[key])});
            continue;
        }
        lineOfName.insert(key, record.line);
        result.channels.append(channel);
    }
    if (!result.problems.isEmpty())
        result.channels.clear();
    return result;
}

QByteArray writeChannelsCsv(const QVector<Channel> &channels)
{
    QByteArray bytes = channelColumns().join(QLatin1Char(',')).toUtf8() + "\r\n";
    for (const Channel &channel : channels) {
        const RowCells &v = channel.values;
        const QString voltage = v.voltage.trimmed();
        QByteArrayList fields;
        for (const QString &text :
             {channel.name, v.frequency, v.symbolRate, v.offset, v.antenna, voltage, channel.notes})
            fields << csvField(text);
        bytes += fields.join(',') + "\r\n";
    }
    return bytes;
}
