// The channel library on disk: channels.csv beside the settings file. Every
// change reads the file afresh (another program or a hand edit may have
// changed it), applies itself and puts the whole file back in one step
// through the settings file's own way of replacing a file, owner and mode
// kept. A file that does not read as channels is never written over.
#pragma once

#include "channelcsv.h"

#include <QDateTime>
#include <QString>
#include <QVector>

class ChannelLibrary
{
public:
    static constexpr qint64 maxFileBytes = 16 * 1024 * 1024;

    // The library beside the settings file at `settingsPath`.
    explicit ChannelLibrary(const QString &settingsPath);

    QString fileName() const { return path_; }

    // Reads the file again; false when it does not read as channels
    // (problem() says why). No file reads as the first start's library.
    bool reload();
    // Whether the file has changed since it was last read or written.
    bool changedOnDisk() const;

    // In the file's order.
    const QVector<Channel> &channels() const { return channels_; }
    // The channel of that name (case not looked at), or null.
    const Channel *find(const QString &name) const;

    // Why the file cannot be used, for the operator, naming the file and
    // every wrong line; "" when it reads.
    QString problem() const;
    const QVector<LineProblem> &lineProblems() const { return lineProblems_; }

    // The changes; each returns "" when the file holds it, or why not (then
    // nothing changed, on disk or here).
    QString add(Channel channel);
    QString rename(const QString &name, const QString &newName);
    QString remove(const QString &name);
    // Adds the channels whose names are new and replaces those of the same
    // name; a channel equal to the one it would replace changes nothing, and
    // when nothing changes the file is not written.
    QString merge(const QVector<Channel> &incoming, int *added, int *replaced);

private:
    QString save(const QVector<Channel> &channels);
    int indexOf(const QString &name) const;

    QString path_;
    QVector<Channel> channels_;
    QVector<LineProblem> lineProblems_;
    QString fileProblem_; // a phrase to follow the path: "cannot be read (...)"
    bool loadedExists_ = false;
    qint64 loadedSize_ = -1;
    QDateTime loadedTime_;
};
