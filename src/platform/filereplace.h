// Putting a file's new bytes at its path in one step: a reader sees the old
// file or the new one, never a part of either, and a crash leaves one of them.
#pragma once

#include <QByteArray>
#include <QString>

namespace filereplace {

// Writes `bytes` to a new file in the folder of `path` (a symbolic link is
// followed: its target is replaced), puts it on the disk, gives it the old
// file's owner, group and permissions, and renames it over the old file.
// Returns "" when done, or, for the operator, why the file was left as it was
// (a phrase to follow the path: "could not be written"). A file whose owner or group the new one could not
// keep is left as it was, so that it never silently becomes another user's file.
QString replace(const QString &path, const QByteArray &bytes);

} // namespace filereplace
