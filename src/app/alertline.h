// The alert line shows every problem in full: where it is too narrow, the
// paths in it are shortened in their middle, never the words around them.
#pragma once

#include <QFontMetrics>
#include <QString>
#include <QStringList>

QString fitAlert(const QString &text, const QStringList &paths, const QFontMetrics &metrics, int width);
