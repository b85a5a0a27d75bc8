// Paths made unwritable even for root, who ignores permission bits but not
// the immutable flag (chattr +i). Needs a file system that has the flag.
#pragma once

#include <QString>
#include <QStringList>

bool runChattr(const QString &flag, const QString &path);

// Takes the flag off again when it goes, also when a check failed.
class ImmutablePaths
{
public:
    ImmutablePaths() = default;
    ImmutablePaths(const ImmutablePaths &) = delete;
    ImmutablePaths &operator=(const ImmutablePaths &) = delete;
    ~ImmutablePaths() { release(); }

    bool add(const QString &path);
    void release();

private:
    QStringList paths_;
};

// Whether a flag really holds here: a file that cannot be appended to, a
// folder that nothing can be created in.
bool canAppendTo(const QString &path);
bool canCreateIn(const QString &folder);
