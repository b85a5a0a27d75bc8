#include "settingsstore.h"

#include "inifile.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>

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

} // namespace

SettingsStore::SettingsStore(QObject *parent)
    : QObject(parent)
    , path_(nativeStorePath())
{
    const QString why = unusable(path_);
    if (!why.isEmpty())
        problem_ = tr("Not read: %1 %2; started on defaults.").arg(path_, why);
    else
        settings_ = std::make_unique<QSettings>(path_, inifile::format());
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::read(const QString &section, const QString &key, const QString &fallback) const
{
    for (auto it = unsaved_.crbegin(); it != unsaved_.crend(); ++it) {
        if (it->section == section && it->key == key)
            return it->text;
    }
    if (!settings_)
        return fallback;
    const QVariant value = settings_->value(sectionKey(section, key));
    return value.isValid() ? value.toString() : fallback;
}

SettingsStore::Readability SettingsStore::readability() const
{
    const QFileInfo file(path_);
    if (!file.exists())
        return Readability::Readable;
    if (file.isFile() && file.size() > maxFileBytes)
        return Readability::TooLarge;
    QFile probe(path_);
    if (file.isFile() && probe.open(QIODevice::ReadOnly))
        return Readability::Readable;
    return Readability::NotReadable;
}

bool SettingsStore::write(const QString &section, const QString &key, const QString &text)
{
    return write(QVector<StoreEntry>{{section, key, text}});
}

bool SettingsStore::write(const QVector<StoreEntry> &entries)
{
    for (const StoreEntry &entry : entries) {
        const auto same = [&](const StoreEntry &e) {
            return e.section == entry.section && e.key == entry.key;
        };
        unsaved_.erase(std::remove_if(unsaved_.begin(), unsaved_.end(), same), unsaved_.end());
        unsaved_.append(entry);
    }
    return flush();
}

bool SettingsStore::saveUnsaved()
{
    return unsaved_.isEmpty() || flush();
}

bool SettingsStore::flush()
{
    // Never replaced: the operator may want to look at what is there.
    const QString why = unusable(path_);
    if (!why.isEmpty())
        return fail(tr("Not saved: %1 %2.").arg(path_, why));

    // QSettings holds this lock while it writes and waits 30 s for a lock it
    // cannot read before taking it over. The program is the only writer of
    // its store, so a lock that no live process holds is left over from a
    // crash: it goes at once, and one that cannot go fails the write at once.
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

    // A QSettings object keeps its first error for good: after one, start afresh.
    if (!settings_ || settings_->status() != QSettings::NoError)
        settings_ = std::make_unique<QSettings>(path_, inifile::format());
    for (const StoreEntry &entry : std::as_const(unsaved_))
        settings_->setValue(sectionKey(entry.section, entry.key), entry.text);
    settings_->sync();
    if (settings_->status() != QSettings::NoError)
        return fail(tr("Not saved: %1 could not be written.").arg(path_));
    unsaved_.clear();
    setProblem(QString());
    return true;
}

bool SettingsStore::fail(const QString &problem)
{
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
