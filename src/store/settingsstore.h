// The per-user settings store: text values addressed by section and key, in
// the INI file that QSettings' native format has always used for the
// application name (on Linux
// $XDG_CONFIG_HOME/ZorudozaZudizirIvozudiro/ZorudozaZudizirIvozudiro.conf).
// Constructing a store and reading from it never creates, locks or writes a
// file and never waits for one.
#pragma once

#include <QDateTime>
#include <QObject>
#include <QSettings>
#include <QString>
#include <QTimer>
#include <QVector>

struct StoreEntry
{
    QString section;
    QString key;
    QString text;
};

class SettingsStore : public QObject
{
    Q_OBJECT

public:
    static const QString applicationName;
    // The store holds about fifty short texts, a few kilobytes. A file beyond
    // this is not the program's, and reading it whole could take the memory
    // and the time of a small host: it is neither read nor replaced.
    static constexpr qint64 maxFileBytes = 16 * 1024 * 1024;
    static QString maxFileSizeText() { return QStringLiteral("16 MiB"); }

    explicit SettingsStore(QObject *parent = nullptr);
    ~SettingsStore() override;

    // The stored text, or `fallback` when nothing usable is stored there.
    // Values accepted but not yet on disk read as accepted.
    QString read(const QString &section, const QString &key, const QString &fallback) const;

    // Stores the text and puts it on disk before returning. Returns false when
    // the file could not be written; the failure is also announced, and the
    // value is kept: retried every retryMs from the event loop, and written
    // with the next write that works. Only the value's own line in the file
    // changes; whatever else is in it stays as it was.
    bool write(const QString &section, const QString &key, const QString &text);

    // Stores several values in the order given and puts them on disk together,
    // with one flush to the disk instead of one per value.
    bool write(const QVector<StoreEntry> &entries);

    // Accepted values that have not reached the disk yet, oldest first.
    const QVector<StoreEntry> &unsaved() const { return unsaved_; }

    // Tries once more to put the unsaved values on disk; true when none is left.
    bool saveUnsaved();

    // What the operator should know about the store now; empty when all is well.
    QString problem() const { return problem_; }

    QString fileName() const { return path_; }

    static constexpr int retryMs = 2000;

    // Why the file could not be read when the store was made ("" when it
    // could): a phrase to follow its path, such as "cannot be read
    // (Permission denied)". A file that could not be read is never replaced.
    QString readProblem() const { return readProblem_; }

    // Whether the file can be read as the store: no file at all reads as
    // empty, which is fine; one that is too large or cannot be opened is not.
    enum class Readability { Readable, TooLarge, NotReadable };
    Readability readability() const;

signals:
    // A write could not reach the disk or the file could not be read
    // (`problem` says why, for the operator), or, with an empty text, a later
    // write reached it again.
    void writeProblemChanged(const QString &problem);

private:
    bool flush();
    void load();
    bool fail(const QString &problem);
    void setProblem(const QString &problem);

    QString path_;
    QSettings::SettingsMap values_; // the file as last read or written
    qint64 loadedSize_ = -1;
    QDateTime loadedTime_;
    QString readProblem_;
    QTimer retry_;
    QVector<StoreEntry> unsaved_;
    QString problem_;
};
