#include "userfolder.h"

#include <QCoreApplication>

namespace userfolder {

void ignoreInvalidEnvironment()
{
    const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
    if (!configHome.isEmpty() && !configHome.startsWith('/'))
        qunsetenv("XDG_CONFIG_HOME");
}

QString problem(const QString &path)
{
    // QSettings falls back to the root folder when $HOME is unset.
    if (qEnvironmentVariableIsEmpty("HOME") && qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME")
        && path.startsWith(QLatin1String("/.config/")))
        return QCoreApplication::translate("userfolder", "cannot be read ($HOME is not set)");
    return QString();
}

} // namespace userfolder
