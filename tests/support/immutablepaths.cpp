#include "immutablepaths.h"

#include <QFile>
#include <QProcess>

bool runChattr(const QString &flag, const QString &path)
{
    QProcess chattr;
    chattr.start(QStringLiteral("chattr"), {flag, path});
    if (!chattr.waitForFinished(10000))
        return false;
    return chattr.exitStatus() == QProcess::NormalExit && chattr.exitCode() == 0;
}

bool ImmutablePaths::add(const QString &path)
{
    if (!runChattr(QStringLiteral("+i"), path))
        return false;
    paths_ << path;
    return true;
}

void ImmutablePaths::release()
{
    for (const QString &path : std::as_const(paths_))
        runChattr(QStringLiteral("-i"), path);
    paths_.clear();
}

bool canAppendTo(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Append);
}

bool canCreateIn(const QString &folder)
{
    QFile probe(folder + QStringLiteral("/probe"));
    if (!probe.open(QIODevice::WriteOnly))
        return false;
    probe.remove();
    return true;
}
