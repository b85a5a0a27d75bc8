// Which front end a start asks for, decided from the arguments alone, before
// any application object exists: the window needs a display, the command
// line must run without one.
#pragma once

#include <QStringList>

// The arguments after the program's name, less Qt's own options for the
// window (-platform, -style, -display, ... with their values). Any argument
// left asks for the command line; none opens the window.
QStringList argumentsBeyondWindowOptions(const QStringList &arguments);

// Qt's window options, for the command line's help.
QStringList windowOptionNames();
