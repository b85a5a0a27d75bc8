#include "alertline.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

// A text cut into words and paths: odd places hold the paths.
QStringList splitAtPaths(const QString &text, const QStringList &longestFirst)
{
    QStringList pieces{QString()};
    for (qsizetype i = 0; i < text.size();) {
        const auto found = std::find_if(longestFirst.cbegin(), longestFirst.cend(), [&](const QString &path) {
            return QStringView(text).mid(i).startsWith(path);
        });
        if (found == longestFirst.cend()) {
            pieces.last() += text.at(i++);
            continue;
        }
        pieces << *found << QString();
        i += found->size();
    }
    return pieces;
}

// The path with its folder part at most `folderWidth` wide, shortened in
// its middle; the file name is what tells the operator most, so it stays.
QString shortenedPath(const QString &path, const QFontMetrics &metrics, int folderWidth)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash <= 0)
        return path;
    const QString folder = path.left(slash);
    if (metrics.horizontalAdvance(folder) <= folderWidth)
        return path;
    QString shown = metrics.elidedText(folder, Qt::ElideMiddle, folderWidth);
    if (shown.size() < 2)
        shown = QStringLiteral("…");
    return shown + path.mid(slash);
}

// The pieces with every folder part at most `folderWidth` wide.
QString joined(const QStringList &pieces, const QFontMetrics &metrics, int folderWidth)
{
    QString text;
    for (qsizetype i = 0; i < pieces.size(); ++i)
        text += i % 2 ? shortenedPath(pieces.at(i), metrics, folderWidth) : pieces.at(i);
    return text;
}

// The text with its folders shortened as little as fits, or an empty
// string when it does not fit even with every folder at its shortest.
QString fitted(const QString &text, const QStringList &longestFirst, const QFontMetrics &metrics, int width)
{
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    const QStringList pieces = splitAtPaths(text, longestFirst);
    QString best = joined(pieces, metrics, 0);
    if (pieces.size() < 3 || metrics.horizontalAdvance(best) > width)
        return QString();
    // The widest folder allowance that still fits, the same for every path.
    int low = 0;
    int high = width;
    while (low < high) {
        const int middle = (low + high + 1) / 2;
        const QString candidate = joined(pieces, metrics, middle);
        if (metrics.horizontalAdvance(candidate) <= width) {
            best = candidate;
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    return best;
}

} // namespace

QString fitAlert(const QStringList &messages, const QStringList &paths, const QFontMetrics &metrics,
                 int width)
{
    QStringList longestFirst = paths;
    longestFirst.removeAll(QString());
    std::sort(longestFirst.begin(), longestFirst.end(),
              [](const QString &a, const QString &b) { return a.size() > b.size(); });

    // As many messages as fit, most urgent first; the tooltip has them all.
    for (qsizetype shown = messages.size(); shown >= 1; --shown) {
        QString text = messages.mid(0, shown).join(QLatin1Char(' '));
        if (shown < messages.size())
            text += QCoreApplication::translate("AlertLine", " (+%1 more)").arg(messages.size() - shown);
        const QString fit = fitted(text, longestFirst, metrics, width);
        if (!fit.isEmpty())
            return fit;
        // A line too narrow even for the most urgent one clips it at its end
        // rather than cutting into its words.
        if (shown == 1)
            return joined(splitAtPaths(text, longestFirst), metrics, 0);
    }
    return QString();
}

QString fitStatus(const QString &text, const QFontMetrics &metrics, const QSize &size)
{
    const int lines = std::max(1, size.height() / std::max(1, metrics.lineSpacing()));
    const QStringList words = text.split(QLatin1Char(' '));
    QStringList shown{QString()};
    qsizetype next = 0;
    for (; next < words.size(); ++next) {
        const QString longer =
            shown.last().isEmpty() ? words.at(next) : shown.last() + QLatin1Char(' ') + words.at(next);
        if (metrics.horizontalAdvance(longer) <= size.width() || shown.last().isEmpty()) {
            shown.last() = longer;
            continue;
        }
        if (shown.size() == lines)
            break;
        shown << words.at(next);
    }
    QString last = shown.last();
    if (next < words.size())
        last += QLatin1Char(' ') + QStringList(words.mid(next)).join(QLatin1Char(' '));
    shown.last() = metrics.elidedText(last, Qt::ElideRight, size.width());
    return shown.join(QLatin1Char('\n'));
}
