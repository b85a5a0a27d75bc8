#include "xserver.h"
#include "tempstore.h"

#include <QDir>
#include <QFile>
#include <QSettings>

bool UserFolders::create(const QByteArray &store)
{
    home_ = std::make_unique<QTemporaryDir>();
    reads_ = 0;
    return home_->isValid() && QDir().mkpath(storeFolder()) && QDir().mkpath(runtime())
        && QFile::setPermissions(runtime(),
                                 QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner)
        && (store.isEmpty() || writeStore(store));
}

bool UserFolders::writeStore(const QByteArray &text) const
{
    return writeFile(storeFile(), text);
}

QString UserFolders::stored(const QString &section, const QString &key)
{
    const QString copy = home() + QStringLiteral("/read%1.conf").arg(++reads_);
    QFile::copy(storeFile(), copy);
    const QString value = QSettings(copy, QSettings::IniFormat).value(section + '/' + key).toString();
    QFile::remove(copy);
    return value;
}
