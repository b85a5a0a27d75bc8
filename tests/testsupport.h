// Helpers shared by the widget tests: a settings store in a temporary
// folder, the real main window on it, and access to controls by name.
#pragma once

#include "app/mainwindow.h"
#include "store/settingsstore.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// A fresh, empty settings folder; the program's store lives in it while this
// object exists. Use a new one for every test case.
class TempStore
{
public:
    TempStore() { use(); }
    // In a folder made from `templatePath` (see QTemporaryDir), for a store
    // that has to be on a particular file system.
    explicit TempStore(const QString &templatePath) : dir_(templatePath) { use(); }

    QString folder() const { return dir_.path() + QStringLiteral("/ZorudozaZudizirIvozudiro"); }
    QString filePath() const { return folder() + QStringLiteral("/ZorudozaZudizirIvozudiro.conf"); }

    // Writes through QSettings, as the program does.
    void put(const QString &section, const QString &key, const QString &value)
    {
        QSettings settings(filePath(), QSettings::IniFormat);
        settings.setValue(section + QLatin1Char('/') + key, value);
        settings.sync();
    }

    // Reads the file afresh from disk, from a copy: Qt shares one parse of a
    // path among its readers (the program's among them), and on Windows its
    // INI reader ignores the case of keys where the store does not.
    QString get(const QString &section, const QString &key, const QString &fallback = QString()) const
    {
        QTemporaryDir copy;
        QFile::copy(filePath(), copy.filePath(QStringLiteral("copy.conf")));
        QSettings settings(copy.filePath(QStringLiteral("copy.conf")), QSettings::IniFormat);
        return settings.value(section + QLatin1Char('/') + key, fallback).toString();
    }

    bool has(const QString &section, const QString &key) const
    {
        const QString absent = QStringLiteral("\x01absent");
        return get(section, key, absent) != absent;
    }

    // Replaces the whole file with the given text.
    void writeRaw(const QByteArray &text)
    {
        QDir().mkpath(folder());
        QFile file(filePath());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    }

    QByteArray readRaw() const
    {
        QFile file(filePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    void use() const { QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.path()); }

    QTemporaryDir dir_;
};

// The real window, loaded as at start-up, shown and active.
inline std::unique_ptr<MainWindow> openWindow()
{
    auto window = std::make_unique<MainWindow>();
    window->Form_Load();
    QApplication::setActiveWindow(window.get());
    if (!QTest::qWaitForWindowActive(window.get()))
        qWarning("main window did not become active");
    return window;
}

template <typename T>
T *control(const QWidget &window, const char *name)
{
    T *found = window.findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no control named %s", name);
    return found;
}

// What the window shows at a point of one of its controls, from the window's
// own rendered picture: what the operator sees, not a property.
inline QImage shownPicture(QWidget &window)
{
    return window.grab().toImage();
}
inline QColor shownColour(const QImage &picture, const QWidget &window, const QWidget *control,
                          QPoint at)
{
    return picture.pixelColor(control->mapTo(&window, at));
}
