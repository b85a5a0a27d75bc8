#include "programmode.h"

namespace {

struct WindowOption
{
    const char *name;
    bool takesValue;
};

// The options QGuiApplication, QApplication and the X11 platform take out of
// the arguments themselves. Each may be written with one or two dashes, and
// one with a value also as name=value.
constexpr WindowOption windowOptions[] = {
    {"platform", true},        {"platformpluginpath", true},
    {"platformtheme", true},   {"plugin", true},
    {"qwindowgeometry", true}, {"geometry", true},
    {"qwindowtitle", true},    {"title", true},
    {"qwindowicon", true},     {"icon", true},
    {"display", true},         {"name", true},
    {"session", true},         {"style", true},
    {"stylesheet", true},      {"visual", true},
    {"reverse", false},        {"widgetcount", false},
    {"nograb", false},         {"dograb", false},
    {"sync", false},           {"testability", false},
    {"qdevel", false},
};

} // namespace

QStringList argumentsBeyondWindowOptions(const QStringList &arguments)
{
    QStringList left;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        QString bare = argument.startsWith(QLatin1String("--")) ? argument.mid(2)
            : argument.startsWith(QLatin1Char('-'))             ? argument.mid(1)
                                                                : QString();
        const qsizetype equals = bare.indexOf(QLatin1Char('='));
        const bool valueAttached = equals > 0;
        if (valueAttached)
            bare.truncate(equals);
        bool isWindowOption = false;
        for (const WindowOption &option : windowOptions) {
            if (bare != QLatin1String(option.name) || (valueAttached && !option.takesValue))
                continue;
            isWindowOption = true;
            if (option.takesValue && !valueAttached)
                ++i; // its value
            break;
        }
        if (!isWindowOption)
            left << argument;
    }
    return left;
}

QStringList windowOptionNames()
{
    QStringList names;
    for (const WindowOption &option : windowOptions)
        names << QLatin1Char('-') + QLatin1String(option.name);
    return names;
}
