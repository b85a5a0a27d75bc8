// Names and values of the store's file format, between their written bytes
// and their texts, exactly as QSettings' native format has them.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace inifile {

// A key or section name: %XX and %UXXXX are characters, a backslash is '/'.
QString unescapeKey(QByteArrayView raw);
// A value's text: quotes removed, blanks around it dropped, escapes resolved.
QString unescapeValue(QByteArrayView raw);
QByteArray escapeKey(const QString &key);
// Quoted when it holds ';', ',' or '=' or has a blank at either end.
QByteArray escapeValue(const QString &text);

} // namespace inifile
