#include "channel.h"

#include "tuning/numbercheck.h"

#include <QCoreApplication>
#include <algorithm>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("Channels", text);
}

// The number box's check, with the box's own words for a refusal.
std::optional<FieldProblem> checkNumber(QString &text, const NumberBoxRule &rule, const char *field)
{
    const std::optional<QString> shown = checkNumberText(text, rule);
    // A value that rounds onto a limit (99999.9996 shows as 100000.000) would
    // not read back from the file: it is refused here already.
    if (!shown || !checkNumberText(*shown, rule))
        return FieldProblem{
            QLatin1String(field),
            tr("\"%1\" is not taken: %2").arg(text, QCoreApplication::translate("EntryCheck", rule.needed))};
    text = *shown;
    return std::nullopt;
}

} // namespace

const QStringList &channelColumns()
{
    static const QStringList columns{"Name",    "Frequency", "SymbolRate", "LocOsc",
                                     "Antenna", "Voltage",   "Notes"};
    return columns;
}

std::optional<FieldProblem> checkChannelName(QString &name)
{
    name = name.trimmed();
    if (name.isEmpty())
        return FieldProblem{QStringLiteral("Name"), tr("a name is needed")};
    if (name.size() > longestChannelName)
        return FieldProblem{QStringLiteral("Name"),
                            tr("\"%1\" is longer than %2 characters").arg(name).arg(longestChannelName)};
    // One channel is one line wherever it is shown.
    if (std::any_of(name.cbegin(), name.cend(), [](QChar c) { return !c.isPrint(); })) {
        QString shown = name;
        std::replace_if(
            shown.begin(), shown.end(), [](QChar c) { return !c.isPrint(); }, QLatin1Char('?'));
        return FieldProblem{QStringLiteral("Name"),
                            tr("\"%1\" holds a line end or a control character").arg(shown)};
    }
    return std::nullopt;
}

std::optional<FieldProblem> normaliseChannel(Channel &channel)
{
    if (auto problem = checkChannelName(channel.name))
        return problem;
    RowCells &v = channel.values;
    if (auto problem = checkNumber(v.frequency, frequencyRule, "Frequency"))
        return problem;
    if (auto problem = checkNumber(v.symbolRate, symbolRateRule, "SymbolRate"))
        return problem;
    if (auto problem = checkNumber(v.offset, offsetRule, "LocOsc"))
        return problem;
    v.antenna = v.antenna.trimmed();
    v.voltage = v.voltage.trimmed();
    if (!antennaItems().contains(v.antenna))
        return FieldProblem{
            QStringLiteral("Antenna"),
            tr("\"%1\" is not taken: %2 is needed").arg(v.antenna, antennaItems().join(tr(" or ")))};
    if (v.voltage.isEmpty())
        v.voltage = QStringLiteral(" ");
    if (!voltageItems().contains(v.voltage))
        return FieldProblem{QStringLiteral("Voltage"),
                            tr("\"%1\" is not taken: empty or one of %2 is needed")
                                .arg(v.voltage, voltageItems().mid(1).join(QStringLiteral(", ")))};
    return std::nullopt;
}

bool sameChannelName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString spokenChannel(const Channel &channel)
{
    const RowCells &v = channel.values;
    QString text = tr("%1, %2 MHz, %3 kS/s, LO %4, %5")
                       .arg(channel.name, v.frequency, v.symbolRate, v.offset, v.antenna);
    if (!v.voltage.trimmed().isEmpty())
        text += QStringLiteral(", ") + v.voltage;
    return text;
}

Channel firstStartChannel()
{
    return {QStringLiteral("QO-100 beacon"), {"10491.500", "1500", "9750.000", "TOP", " "}, QString()};
}
