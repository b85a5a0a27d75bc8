// Paths made unwritable even for root, who ignores permission bits but not
// the immutable flag (chattr +i). Needs a file system that has the flag.
#pragma once

#include <QFile>
#include <QProcess>
#include <QStringList>

inline bool runChattr(const QString &flag, const QString &path)
{
    QProcess chattr;
    chattr.start(QStringLiteral("chattr"), {flag, path});
    if (!chattr.waitForFinished(10000))
        return false;
    return chattr.exitStatus() == QProcess::NormalExit && chattr.exitCode() == 0;
}

// Takes the flag off again when it goes, also when a check failed.
class ImmutablePaths
{
public:
    ImmutablePaths() = default;
    ImmutablePaths(const ImmutablePaths &) = delete;
    ImmutablePaths &operator=(const ImmutablePaths &) = delete;
    ~ImmutablePaths() { release(); }

    bool add(const QString &path)
    {
        if (!runChattr(QStringLiteral("+i"), path))
            return false;
        paths_ << path;
        return true;
    }
    void release()
    {
        for (const QString &path : std::as_const(paths_))
            runChattr(QStringLiteral("-i"), path);
        paths_.clear();
    }

private:
    QStringList paths_;
};

// Whether a flag really holds here: a file that cannot be appended to, a
// folder that nothing can be created in.
inline bool canAppendTo(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Append);
}

inline bool canCreateIn(const QString &folder)
{
    QFile probe(folder + QStringLiteral("/probe"));
    if (!probe.open(QIODevice::WriteOnly))
        return false;
    probe.remove();
    return true;
}
