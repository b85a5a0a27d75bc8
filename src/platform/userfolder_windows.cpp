#include "userfolder.h"

namespace userfolder {

// %APPDATA% is always set for a user's session.
void ignoreInvalidEnvironment() { }

QString problem(const QString &)
{
    return QString();
}

} // namespace userfolder
