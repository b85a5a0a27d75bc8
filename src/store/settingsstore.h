// The per-user settings store: text values addressed by section and key,
// kept by QSettings in the platform's native format under the application
// name (on Linux $XDG_CONFIG_HOME/ZorudozaZudizirIvozudiro/ZorudozaZudizirIvozudiro.conf).
#pragma once

#include <QObject>
#include <QSettings>
#include <QString>
#include <memory>

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

    explicit SettingsStore(QObject *parent = nullptr);

    // The stored text, or `fallback` when nothing is stored there.
    QString read(const QString &section, const QString &key, const QString &fallback) const;

    // Stores the text and puts it on disk before returning. Returns false when
    // the file could not be written; the failure is also announced.
    bool write(const QString &section, const QString &key, const QString &text);

    // Stores several values in the order given and puts them on disk together,
    // with one flush to the disk instead of one per value.
    bool write(const QVector<StoreEntry> &entries);

    QString fileName() const;

signals:
    // A write could not reach the disk (`problem` says why, for the operator),
    // or, with an empty text, a later write reached it again.
    void writeProblemChanged(const QString &problem);

private:
    QString rawFileValue(const QString &section, const QString &key) const;
    void keepHandEditedTexts();

    void openSettings();

    std::unique_ptr<QSettings> settings_;
    bool failing_ = false;
};
