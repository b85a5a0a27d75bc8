// The time one write of the settings store takes, on a real file: for a store
// of the real size (about 2 KB) and for one just under the size limit, made of
// small hand-made sections. Prints the median and the slowest of the runs.
//   zzi-bench-storewrite [runs]
#include "store/settingsstore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

QByteArray realStore()
{
    QByteArray text = "[IP]\nAddress0=192.168.1.10\nAddress1=192.168.1.11\nPort=9900\n\n"
                      "[MaxReceivers]\nReceivers=8\n";
    for (int row = 0; row <= 8; ++row)
        text += "\n[RX" + QByteArray::number(row)
            + "]\nFrequency=10491.500\nSymbolRate=1500\nOffset=9750.000\nAntenna=TOP\nVoltage=X-HORIZ\n";
    while (text.size() < 2048)
        text += "; a note kept by hand\n";
    return text;
}

QByteArray atTheLimit()
{
    QByteArray text = realStore();
    for (int section = 0; text.size() < SettingsStore::maxFileBytes - 64; ++section)
        text += "[S" + QByteArray::number(section) + "]\nk=v\n";
    return text;
}

void measure(const char *name, const QByteArray &file, int runs)
{
    QTemporaryDir root;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, root.path());
    const QString folder = root.path() + QLatin1Char('/') + SettingsStore::applicationName;
    QDir().mkpath(folder);
    QFile out(folder + QLatin1Char('/') + SettingsStore::applicationName + QStringLiteral(".conf"));
    out.open(QIODevice::WriteOnly);
    out.write(file);
    out.close();

    SettingsStore store;
    QList<double> ms;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer clock;
        clock.start();
        if (!store.write(QStringLiteral("IP"), QStringLiteral("Port"), QString::number(10000 + run))) {
            std::fprintf(stderr, "%s: %s\n", name, qPrintable(store.problem()));
            return;
        }
        ms << clock.nsecsElapsed() / 1e6;
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-28s %9lld bytes  median %8.2f ms  slowest %8.2f ms  (%d writes)\n", name,
                qlonglong(file.size()), ms.at(ms.size() / 2), ms.last(), runs);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 50;
    measure("store of the real size", realStore(), runs);
    measure("store at the size limit", atTheLimit(), runs);
    return 0;
}
