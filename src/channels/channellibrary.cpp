#include "channellibrary.h"

#include "platform/filereplace.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("Channels", text);
}

bool sameChannel(const Channel &a, const Channel &b)
{
    return a.name == b.name && a.notes == b.notes && a.values.frequency == b.values.frequency
        && a.values.symbolRate == b.values.symbolRate && a.values.offset == b.values.offset
        && a.values.antenna == b.values.antenna && a.values.voltage == b.values.voltage;
}

} // namespace

ChannelLibrary::ChannelLibrary(const QString &settingsPath)
    : path_(QFileInfo(QFileInfo(settingsPath).absolutePath() + QStringLiteral("/channels.csv"))
                .absoluteFilePath())
{
    reload();
}

bool ChannelLibrary::reload()
{
    channels_.clear();
    lineProblems_.clear();
    fileProblem_.clear();
    const QFileInfo info(path_);
    loadedExists_ = info.exists();
    loadedSize_ = info.size();
    loadedTime_ = info.lastModified();
    if (!info.exists() && !info.isSymLink()) {
        channels_ = {firstStartChannel()};
        return true;
    }
    if (!info.isFile()) {
        fileProblem_ = tr("is not a file");
        return false;
    }
    if (info.size() > maxFileBytes) {
        fileProblem_ = tr("is larger than 16 MiB");
        return false;
    }
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) {
        fileProblem_ = tr("cannot be read (%1)").arg(file.errorString());
        return false;
    }
    const ChannelsRead read = readChannelsCsv(file.readAll());
    channels_ = read.channels;
    lineProblems_ = read.problems;
    return lineProblems_.isEmpty();
}

bool ChannelLibrary::changedOnDisk() const
{
    const QFileInfo info(path_);
    return info.exists() != loadedExists_ || info.size() != loadedSize_ || info.lastModified() != loadedTime_;
}

QString ChannelLibrary::problem() const
{
    if (!fileProblem_.isEmpty())
        return tr("%1 %2; it is not written over.").arg(path_, fileProblem_);
    if (lineProblems_.isEmpty())
        return QString();
    QStringList lines;
    for (const LineProblem &problem : lineProblems_)
        lines << lineProblemText(problem);
    return tr("%1 does not read as channels; it is not written over until it is put right:\n%2")
        .arg(path_, lines.join(QLatin1Char('\n')));
}

int ChannelLibrary::indexOf(const QString &name) const
{
    for (int i = 0; i < channels_.size(); ++i) {
        if (sameChannelName(channels_[i].name, name))
            return i;
    }
    return -1;
}

const Channel *ChannelLibrary::find(const QString &name) const
{
    const int i = indexOf(name);
    return i < 0 ? nullptr : &channels_[i];
}

QString ChannelLibrary::add(Channel channel)
{
    if (!reload())
        return problem();
    if (const std::optional<FieldProblem> problem = normaliseChannel(channel))
        return problem->field + QStringLiteral(": ") + problem->reason;
    if (find(channel.name))
        return tr("There is a channel named \"%1\" already.").arg(find(channel.name)->name);
    QVector<Channel> changed = channels_;
    changed.append(channel);
    return save(changed);
}

QString ChannelLibrary::rename(const QString &name, const QString &newName)
{
    if (!reload())
        return problem();
    const int i = indexOf(name);
    if (i < 0)
        return tr("There is no channel named \"%1\".").arg(name);
    QString checked = newName;
    if (const std::optional<FieldProblem> problem = checkChannelName(checked))
        return problem->reason;
    const int other = indexOf(checked);
    if (other >= 0 && other != i)
        return tr("There is a channel named \"%1\" already.").arg(channels_[other].name);
    QVector<Channel> changed = channels_;
    changed[i].name = checked;
    return save(changed);
}

QString ChannelLibrary::remove(const QString &name)
{
    if (!reload())
        return problem();
    const int i = indexOf(name);
    if (i < 0)
        return tr("There is no channel named \"%1\".").arg(name);
    QVector<Channel> changed = channels_;
    changed.remove(i);
    return save(changed);
}

QString ChannelLibrary::merge(const QVector<Channel> &incoming, int *added, int *replaced)
{
    *added = 0;
    *replaced = 0;
    if (!reload())
        return problem();
    QVector<Channel> changed = channels_;
    QHash<QString, int> where;
    for (int i = 0; i < changed.size(); ++i)
        where.insert(changed[i].name.toCaseFolded(), i);
    for (const Channel &channel : incoming) {
        const QString key = channel.name.toCaseFolded();
        const auto it = where.constFind(key);
        if (it == where.constEnd()) {
            where.insert(key, int(changed.size()));
            changed.append(channel);
            ++*added;
        } else if (!sameChannel(changed[*it], channel)) {
            changed[*it] = channel;
            ++*replaced;
        }
    }
    if (*added == 0 && *replaced == 0)
        return QString();
    const QString refused = save(changed);
    if (!refused.isEmpty())
        *added = *replaced = 0;
    return refused;
}

QString ChannelLibrary::save(const QVector<Channel> &channels)
{
    // A file past the limit would not be read again: every channel in it
    // would be out of reach.
    const QByteArray bytes = writeChannelsCsv(channels);
    if (bytes.size() > maxFileBytes)
        return tr("Not saved: %1 would be larger than 16 MiB.").arg(path_);
    if (!QDir().mkpath(QFileInfo(path_).absolutePath()))
        return tr("Not saved: %1 could not be written.").arg(path_);
    const QString refused = filereplace::replace(path_, bytes);
    if (!refused.isEmpty())
        return tr("Not saved: %1 %2.").arg(path_, refused);
    channels_ = channels;
    const QFileInfo info(path_);
    loadedExists_ = info.exists();
    loadedSize_ = info.size();
    loadedTime_ = info.lastModified();
    return QString();
}
