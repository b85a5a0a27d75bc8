#include "lastsave.h"

#include "store/settingsstore.h"

#include <QString>

#include <cstdio>
#include <cstdlib>

namespace {

SettingsStore *watched = nullptr;
QtMessageHandler earlierHandler = nullptr;

void atProcessExit()
{
    // The window may be gone with its display: nothing is shown any more.
    if (!watched)
        return;
    QObject::disconnect(watched, nullptr, nullptr, nullptr);
    LastSave(*watched).now();
}

// Qt's Wayland plugin ends the process with _exit() when the compositor
// goes, past every exit handler; the warning it gives just before is the last
// moment left.
void onMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (earlierHandler) // Qt's own when none was installed
        earlierHandler(type, context, message);
    if (type == QtWarningMsg && message.startsWith(QLatin1String("The Wayland connection ")))
        atProcessExit();
}

} // namespace

LastSave::LastSave(SettingsStore &store)
{
    static const bool registered = std::atexit(atProcessExit) == 0;
    (void)registered;
    watched = &store;
    earlierHandler = qInstallMessageHandler(onMessage);
}

LastSave::~LastSave()
{
    qInstallMessageHandler(earlierHandler);
    earlierHandler = nullptr;
    watched = nullptr;
}

void LastSave::now()
{
    if (!watched || watched->saveUnsaved())
        return;
    SettingsStore &store = *watched;
    watched = nullptr; // said once
    std::fprintf(stderr, "%s\n", qPrintable(store.problem()));
    for (const StoreEntry &entry : store.unsaved())
        std::fprintf(
            stderr, "%s\n",
            qPrintable(SettingsStore::tr("Lost: [%1] %2=%3").arg(entry.section, entry.key, entry.text)));
    std::fflush(stderr);
}
