#include "alertline.h"

#include <algorithm>

QString fitAlert(const QString &text, const QStringList &paths, const QFontMetrics &metrics, int width)
{
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    QStringList longestFirst = paths;
    longestFirst.removeAll(QString());
    std::sort(longestFirst.begin(), longestFirst.end(),
              [](const QString &a, const QString &b) { return a.size() > b.size(); });

    // The text cut into words and paths (odd places hold the paths).
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
    const int pathCount = int(pieces.size() / 2);
    QString words;
    for (int i = 0; i < pieces.size(); i += 2)
        words += pieces.at(i);
    const int room = width - metrics.horizontalAdvance(words);
    if (pathCount == 0 || room < pathCount * metrics.horizontalAdvance(QStringLiteral("/…/")))
        return metrics.elidedText(text, Qt::ElideMiddle, width);
    QString fitted;
    for (int i = 0; i < pieces.size(); ++i)
        fitted += i % 2 ? metrics.elidedText(pieces.at(i), Qt::ElideMiddle, room / pathCount - 2) : pieces.at(i);
    return fitted;
}
