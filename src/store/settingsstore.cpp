#include "settingsstore.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

const QString SettingsStore::applicationName = QStringLiteral("ZorudozaZudizirIvozudiro");

namespace {

QString sectionKey(const QString &section, const QString &key)
{
    return section + QLatin1Char('/') + key;
}

// A value as written between '=' and the end of its line, quotes and escapes
// resolved, without treating commas as list separators.
QString unescapeIniText(const QString &raw)
{
    QString out;
    bool quoted = false;
    const QString text = raw.trimmed();
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
            continue;
        }
        if (c != QLatin1Char('\\') || i + 1 >= text.size()) {
            out += c;
            continue;
        }
        const QChar next = text.at(++i);
        switch (next.unicode()) {
        case 'a': out += QChar(7); break;
        case 'b': out += QChar(8); break;
        case 'f': out += QChar(12); break;
        case 'n': out += QChar(10); break;
        case 'r': out += QChar(13); break;
        case 't': out += QChar(9); break;
        case 'v': out += QChar(11); break;
        case 'x': {
            int j = i + 1;
            uint code = 0;
            while (j < text.size() && j < i + 5 && isxdigit(text.at(j).toLatin1())) {
                code = code * 16 + uint(QString(text.at(j)).toUInt(nullptr, 16));
                ++j;
            }
            out += QChar(char16_t(code));
            i = j - 1;
            break;
        }
        default: out += next; break;
        }
    }
    Q_UNUSED(quoted)
    return out;
}

} // namespace

SettingsStore::SettingsStore(QObject *parent)
    : QObject(parent)
{
    openSettings();
}

void SettingsStore::openSettings()
{
    settings_ = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            applicationName, applicationName);
    // QSettings parses a section only when a key of it is first asked for,
    // and in a hand-edited file a section header broken over two lines can
    // hide a whole section from that lookup until something parses the file
    // in full. Parse it in full now, so a key reads the same before and
    // after the next write.
    settings_->allKeys();
}

QString SettingsStore::fileName() const
{
    return settings_->fileName();
}

QString SettingsStore::read(const QString &section, const QString &key, const QString &fallback) const
{
    const QVariant value = settings_->value(sectionKey(section, key));
    if (!value.isValid())
        return fallback;
    if (value.userType() == QMetaType::QString)
        return value.toString();
    // A hand-edited value that QSettings reads as something else (an
    // unquoted comma makes a list): give back the text as it stands.
    return rawFileValue(section, key);
}

QString SettingsStore::rawFileValue(const QString &section, const QString &key) const
{
    QFile file(settings_->fileName());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QTextStream stream(&file);
    const QString header = QLatin1Char('[') + section + QLatin1Char(']');
    bool inSection = false;
    QString found;
    while (!stream.atEnd()) {
        const QString line = stream.readLine();
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1Char('['))) {
            inSection = trimmed == header;
            continue;
        }
        if (!inSection)
            continue;
        const int equals = line.indexOf(QLatin1Char('='));
        if (equals < 0 || line.left(equals).trimmed() != key)
            continue;
        found = unescapeIniText(line.mid(equals + 1));
    }
    return found;
}

bool SettingsStore::write(const QString &section, const QString &key, const QString &text)
{
    return write(QVector<StoreEntry>{{section, key, text}});
}

void SettingsStore::keepHandEditedTexts()
{
    // QSettings rewrites the whole file on every write, each value in its own
    // form: a hand-edited value it read as something other than text would
    // come back changed ("1,2" read as a list is written "1, 2", @Variant
    // junk read as a number is written "0", which is then a real frequency).
    // Such values are first set to the text the file holds.
    const QStringList keys = settings_->allKeys();
    for (const QString &path : keys) {
        const QVariant value = settings_->value(path);
        if (!value.isValid() || value.userType() == QMetaType::QString)
            continue;
        const qsizetype slash = path.indexOf(QLatin1Char('/'));
        if (slash <= 0 || path.indexOf(QLatin1Char('/'), slash + 1) >= 0)
            continue;
        settings_->setValue(path, rawFileValue(path.left(slash), path.mid(slash + 1)));
    }
}

bool SettingsStore::write(const QVector<StoreEntry> &entries)
{
    if (entries.isEmpty())
        return true;
    // A QSettings object keeps its first error for good, so after a failure
    // the next write starts afresh. Not earlier: the new object shares the
    // values still waiting for the disk and tries them at once, and failing
    // there would mark it failed before it wrote anything.
    if (failing_)
        openSettings();
    keepHandEditedTexts();
    for (const StoreEntry &entry : entries)
        settings_->setValue(sectionKey(entry.section, entry.key), entry.text);
    settings_->sync();
    QSettings::Status status = settings_->status();
    if (status == QSettings::FormatError) {
        // A hand-edited file that QSettings could not fully parse: that error
        // is kept for good and says nothing about this write. A fresh object
        // retries whatever still waits for the disk and tells the outcome.
        openSettings();
        settings_->sync();
        status = settings_->status();
    }
    const bool written = status == QSettings::NoError;
    if (!written) {
        failing_ = true;
        const QString path = QFileInfo(settings_->fileName()).absoluteFilePath();
        emit writeProblemChanged(
            tr("Not saved: %1 could not be written.").arg(path));
    } else if (failing_) {
        failing_ = false;
        emit writeProblemChanged(QString());
    }
    return written;
}
