// The alert line shows every problem's words whole: where it is too narrow,
// the paths in it lose the middle of their folder part (the file name stays),
// and when even that is not enough the most urgent problems show with a note
// that the tooltip holds the rest.
#pragma once

#include <QFontMetrics>
#include <QSize>
#include <QString>
#include <QStringList>

// `messages` most urgent first; `paths` those that may be shortened in them.
QString fitAlert(const QStringList &messages, const QStringList &paths, const QFontMetrics &metrics,
                 int width);

// The status line's text broken at blanks into as many lines as `size`
// holds; what is left over ends the last line in an ellipsis.
QString fitStatus(const QString &text, const QFontMetrics &metrics, const QSize &size);
