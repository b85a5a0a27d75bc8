#include "lastsave.h"

#include "store/settingsstore.h"

#include <cstdio>
#include <cstdlib>

namespace {

SettingsStore *watched = nullptr;

void atProcessExit()
{
    // The window may be gone with its display: nothing is shown any more.
    if (!watched)
        return;
    QObject::disconnect(watched, nullptr, nullptr, nullptr);
    LastSave(*watched).now();
}

} // namespace

LastSave::LastSave(SettingsStore &store)
{
    static const bool registered = std::atexit(atProcessExit) == 0;
    (void)registered;
    watched = &store;
}

LastSave::~LastSave()
{
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
