#include "filereplace.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace filereplace {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("filereplace", text);
}

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// The system's reason goes with it: a read-only file system, a full disk
// and a folder in the way each want a different remedy.
QString couldNotWrite(int error)
{
    return tr("could not be written (%1)").arg(systemReason(error));
}

QString ownerName(uid_t uid, gid_t gid)
{
    const passwd *user = getpwuid(uid);
    const group *grp = getgrgid(gid);
    return (user ? QString::fromLocal8Bit(user->pw_name) : QString::number(uid)) + QLatin1Char(':')
        + (grp ? QString::fromLocal8Bit(grp->gr_name) : QString::number(gid));
}

bool writeAll(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t done = ::write(fd, data, size_t(left));
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return false;
        data += done;
        left -= done;
    }
    return true;
}

} // namespace

QString replace(const QString &path, const QByteArray &bytes)
{
    const QFileInfo link(path);
    const QString target = link.isSymLink() && link.exists() ? link.canonicalFilePath() : path;
    const QByteArray targetPath = QFile::encodeName(target);
    const QByteArray folder = QFile::encodeName(QFileInfo(target).absolutePath());

    struct stat old = {};
    const bool existed = ::stat(targetPath.constData(), &old) == 0;

    QByteArray tempPath = targetPath + ".XXXXXX";
    const int fd = ::mkstemp(tempPath.data());
    if (fd < 0)
        return couldNotWrite(errno);
    int error = 0;
    QString reason;
    if (!writeAll(fd, bytes) || ::fsync(fd) != 0) {
        error = errno;
    } else if (existed) {
        struct stat made = {};
        ::fstat(fd, &made);
        if ((made.st_uid != old.st_uid || made.st_gid != old.st_gid)
            && ::fchown(fd, old.st_uid, old.st_gid) != 0) {
            const int refusal = errno; // before the name look-ups can change it
            reason = tr("belongs to %1, which a new file from user %2 cannot keep (%3)")
                         .arg(ownerName(old.st_uid, old.st_gid), ownerName(geteuid(), getegid()),
                              systemReason(refusal));
        } else if (::fchmod(fd, old.st_mode & 07777) != 0) {
            error = errno;
        }
    }
    if (::close(fd) != 0 && error == 0 && reason.isEmpty())
        error = errno;
    if (error == 0 && reason.isEmpty() && ::rename(tempPath.constData(), targetPath.constData()) != 0)
        error = errno;
    if (error != 0 || !reason.isEmpty()) {
        ::unlink(tempPath.constData());
        return reason.isEmpty() ? couldNotWrite(error) : reason;
    }
    // The rename itself reaches the disk only with the folder.
    const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return QString();
}

} // namespace filereplace
