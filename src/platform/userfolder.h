// The user's folder for settings, as the system's rules define it.
#pragma once

#include <QString>

namespace userfolder {

// Before the first QSettings: environment values those rules say to ignore
// (a relative XDG_CONFIG_HOME) are removed, so that the store does not
// depend on the current folder.
void ignoreInvalidEnvironment();

// Why the store at `path`, found where QSettings looks, is not in the
// user's folder ("" when it is): with no home folder set it is a made-up
// place. A phrase to follow the path.
QString problem(const QString &path);

} // namespace userfolder
