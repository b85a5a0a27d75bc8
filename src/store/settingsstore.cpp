#include "settingsstore.h"

#include "inifile.h"
#include "platform/filereplace.h"
#include "platform/userfolder.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include <cerrno>
#include <cstring>

const QString SettingsStore::applicationName = QStringLiteral("ZorudozaZudizirIvozudiro");

namespace {

QString sectionKey(const QString &section, const QString &key)
{
    return section + QLatin1Char('/') + key;
}

// Where QSettings keeps an application's file in the user's configuration
// folder: $XDG_CONFIG_HOME (~/.config) on Linux, %APPDATA% on Windows (it
// follows QSettings::setPath). Asked of the INI format, which is a file on
// every platform, and of an application name that has no file, so that
// nothing of the real store is opened to find out.
QString nativeStorePath()
{
    userfolder::ignoreInvalidEnvironment();
    const QSettings probe(QSettings::IniFormat, QSettings::UserScope, SettingsStore::applicationName,
                          SettingsStore::applicationName + QStringLiteral("-path-probe"));
    return QFileInfo(QFileInfo(probe.fileName()).absolutePath() + QLatin1Char('/')
                     + SettingsStore::applicationName + QStringLiteral(".conf"))
        .absoluteFilePath();
}

// Why what is at the path cannot be the store ("" when it can be): a FIFO
// would block the reader for ever, a folder or a device is no store, and a
// huge file would be read whole. Looked at without opening it.
QString unusable(const QString &path)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return SettingsStore::tr("is not a file");
    if (info.size() > SettingsStore::maxFileBytes)
        return SettingsStore::tr("is larger than %1").arg(SettingsStore::maxFileSizeText());
    return QString();
}

// Why the file cannot be read ("" when it can, or when there is none, which
// reads as empty). A folder that cannot be searched hides whether there is
// a file: that is not an empty store either.
// The nearest folder on the way to the file that is there, or what is there
// in place of one ($HOME a file).
QFileInfo nearestThere(const QString &path)
{
    QFileInfo there(QFileInfo(path).absolutePath());
    while (!there.exists() && !there.isSymLink() && !there.isRoot())
        there = QFileInfo(there.absolutePath());
    return there;
}

QString unreadable(const QString &path, QByteArray *bytes)
{
    QString why = userfolder::problem(path);
    if (why.isEmpty())
        why = unusable(path);
    if (!why.isEmpty())
        return why;
    const QFileInfo folder = nearestThere(path);
    if (folder.exists() && !folder.isDir())
        return SettingsStore::tr("cannot be read (%1 is not a folder)").arg(folder.absoluteFilePath());
    if (folder.exists() && !folder.isExecutable())
        return SettingsStore::tr("cannot be read (its folder cannot be searched: permission denied)");
    QFile file(path);
    if (!QFileInfo(path).exists() && !QFileInfo(path).isSymLink())
        return QString();
    if (!file.open(QIODevice::ReadOnly))
        return SettingsStore::tr("cannot be read (%1)").arg(file.errorString());
    if (bytes)
        *bytes = file.read(SettingsStore::maxFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return SettingsStore::tr("cannot be read (%1)").arg(file.errorString());
    return QString();
}

} // namespace

SettingsStore::SettingsStore(QObject *parent)
    : QObject(parent)
    , path_(nativeStorePath())
{
    retry_.setInterval(retryMs);
    connect(&retry_, &QTimer::timeout, this, [this] { saveUnsaved(); });
    load();
    if (!readProblem_.isEmpty())
        problem_ = tr("Not read: %1 %2; started on defaults.").arg(path_, readProblem_);
}

SettingsStore::~SettingsStore() = default;

void SettingsStore::load()
{
    QByteArray bytes;
    readProblem_ = unreadable(path_, &bytes);
    const QFileInfo info(path_);
    loadedSize_ = info.size();
    loadedTime_ = info.lastModified();
    values_.clear();
    if (!readProblem_.isEmpty())
        return;
    deleted_ = deleted_ || (hadFile_ && !info.exists() && !info.isSymLink());
    hadFile_ = hadFile_ || info.isFile();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    inifile::read(buffer, values_);
}

bool SettingsStore::reloadIfChanged()
{
    // Someone may have changed the file since (an editor, another program);
    // one that could not be read may be readable now.
    const QFileInfo info(path_);
    if (readProblem_.isEmpty() && info.size() == loadedSize_ && info.lastModified() == loadedTime_)
        return false;
    const QSettings::SettingsMap before = values_;
    load();
    return values_ != before;
}

QString SettingsStore::reread()
{
    load();
    // A file made again after its folder was deleted holds only what was
    // written since: its defaults are no more the operator's than none.
    QString why = readProblem_;
    if (why.isEmpty() && deleted_)
        why = tr("was deleted");
    // Values waiting for the disk have the more urgent problem.
    if (unsaved_.isEmpty())
        setProblem(why.isEmpty() ? QString()
                                 : tr("Not read: %1 %2; the values shown are kept.").arg(path_, why));
    return why;
}

void SettingsStore::watchFile()
{
    if (watcher_)
        return;
    watcher_ = new QFileSystemWatcher(this);
    // An editor that saves by rename makes a new file: it is watched again.
    const auto check = [this] {
        if (reloadIfChanged())
            emit changedOutside();
        const QString folder = QFileInfo(path_).absolutePath();
        if (QFileInfo(path_).isFile() && !watcher_->files().contains(path_))
            watcher_->addPath(path_);
        if (QFileInfo(folder).isDir() && !watcher_->directories().contains(folder))
            watcher_->addPath(folder);
    };
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, check);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, check);
    check();
}

QString SettingsStore::read(const QString &section, const QString &key, const QString &fallback) const
{
    auto *self = const_cast<SettingsStore *>(this);
    const QString fullKey = sectionKey(section, key);
    for (auto it = unsaved_.crbegin(); it != unsaved_.crend(); ++it) {
        if (it->section == section && it->key == key)
            return self->shown_[fullKey] = it->text;
    }
    self->reloadIfChanged();
    const QVariant value = readProblem_.isEmpty() ? values_.value(fullKey) : QVariant();
    return self->shown_[fullKey] = value.isValid() ? value.toString() : fallback;
}

SettingsStore::Readability SettingsStore::readability() const
{
    const QString why = unreadable(path_, nullptr);
    if (why.isEmpty())
        return Readability::Readable;
    const QFileInfo file(path_);
    return file.isFile() && file.size() > maxFileBytes ? Readability::TooLarge : Readability::NotReadable;
}

bool SettingsStore::write(const QString &section, const QString &key, const QString &text)
{
    return write(QVector<StoreEntry>{{section, key, text}});
}

bool SettingsStore::write(const QVector<StoreEntry> &entries)
{
    bool changed = false;
    for (const StoreEntry &entry : entries) {
        const QString fullKey = sectionKey(entry.section, entry.key);
        const auto shown = shown_.constFind(fullKey);
        if (shown != shown_.cend() && *shown == entry.text)
            continue;
        shown_[fullKey] = entry.text;
        const auto same = [&](const StoreEntry &e) {
            return e.section == entry.section && e.key == entry.key;
        };
        unsaved_.erase(std::remove_if(unsaved_.begin(), unsaved_.end(), same), unsaved_.end());
        unsaved_.append(entry);
        changed = true;
    }
    return changed ? flush() : saveUnsaved();
}

bool SettingsStore::saveUnsaved()
{
    return unsaved_.isEmpty() || flush();
}

bool SettingsStore::flush()
{
    // Never replaced while it cannot be read: what is in it would be lost.
    // Once it can be read again, the held values go into what it holds.
    QByteArray bytes;
    const QString why = unreadable(path_, &bytes);
    if (!why.isEmpty())
        return fail(tr("Not saved: %1 %2.").arg(path_, why));
    if (!readProblem_.isEmpty())
        load();
    const QFileInfo before(path_);
    deleted_ = deleted_ || (hadFile_ && !before.exists() && !before.isSymLink());

    // Other programs reading the store through QSettings honour this lock. A
    // lock that no live process holds is left over from a crash: it goes at
    // once, and one that cannot go fails the write at once.
    const QString lockPath = path_ + QStringLiteral(".lock");
    const QFileInfo lockInfo(lockPath);
    if (lockInfo.exists() || lockInfo.isSymLink()) {
        if (lockInfo.isFile()) {
            QLockFile leftOver(lockPath);
            if (!leftOver.tryLock(0))
                leftOver.removeStaleLockFile();
        }
        if (QFileInfo::exists(lockPath) || QFileInfo(lockPath).isSymLink())
            return fail(tr("Not saved: %1 is in the way.").arg(lockPath));
    }

    const QString folder = QFileInfo(path_).absolutePath();
    if (!QDir().mkpath(folder)) {
        const int error = errno;
        const QFileInfo there = nearestThere(path_);
        return fail(tr("Not saved: %1 could not be written (%2).")
                        .arg(path_,
                             there.exists() && !there.isDir()
                                 ? tr("%1 is not a folder").arg(there.absoluteFilePath())
                                 : QString::fromLocal8Bit(std::strerror(error))));
    }
    QSettings::SettingsMap changes;
    for (const StoreEntry &entry : std::as_const(unsaved_))
        changes.insert(sectionKey(entry.section, entry.key), entry.text);
    QSettings::SettingsMap written;
    const QByteArray edited = inifile::edit(bytes, changes, &written);
    const QString refused = filereplace::replace(path_, edited);
    if (!refused.isEmpty())
        return fail(tr("Not saved: %1 %2.").arg(path_, refused));

    values_ = std::move(written);
    hadFile_ = true;
    const QFileInfo info(path_);
    loadedSize_ = info.size();
    loadedTime_ = info.lastModified();
    unsaved_.clear();
    retry_.stop();
    setProblem(QString());
    return true;
}

bool SettingsStore::fail(const QString &problem)
{
    if (!unsaved_.isEmpty() && !retry_.isActive())
        retry_.start();
    setProblem(problem);
    return false;
}

void SettingsStore::setProblem(const QString &problem)
{
    if (problem == problem_)
        return;
    problem_ = problem;
    emit writeProblemChanged(problem);
}
