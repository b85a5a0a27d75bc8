// An X server of a test's own (Xvfb) to run the real program on, and
// xdotool to look at its windows and drive them.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <vector>

// Skips the calling test function when there is no X server. It has to be
// the test function itself that skips: a skip inside a helper only leaves
// the helper, and the test would go on without a display.
#define SKIP_WITHOUT_X_SERVER(server)                                                                        \
    do {                                                                                                     \
        if (!(server).isUp())                                                                                \
            QSKIP(qPrintable(QStringLiteral("no X server (Xvfb) could be started, so the real program "      \
                                            "cannot be run here: ")                                          \
                             + (server).problem()));                                                         \
    } while (false)

// The folders of one user of the program: configuration (the store) and
// runtime (the single-copy lock), in a temporary home of their own.
class UserFolders
{
public:
    // Makes the folders afresh in a new home, and the store with `store` in
    // it unless that is empty.
    bool create(const QByteArray &store = QByteArray());

    QString home() const { return home_ ? home_->path() : QString(); }
    QString config() const { return home() + QStringLiteral("/config"); }
    QString runtime() const { return home() + QStringLiteral("/runtime"); }
    QString storeFolder() const { return config() + QStringLiteral("/ZorudozaZudizirIvozudiro"); }
    QString storeFile() const { return storeFolder() + QStringLiteral("/ZorudozaZudizirIvozudiro.conf"); }
    QString lockPath() const { return runtime() + QStringLiteral("/zorudoza-zudizir-ivozudiro.lock"); }

    bool writeStore(const QByteArray &text) const;

    // A value as the file holds it now, read from a copy so that no cache
    // of this process answers instead of the disk.
    QString stored(const QString &section, const QString &key);

private:
    std::unique_ptr<QTemporaryDir> home_;
    int reads_ = 0;
};

class XServer
{
public:
    explicit XServer(int patienceMs = 20000)
        : patienceMs_(patienceMs)
    { }
    XServer(const XServer &) = delete;
    XServer &operator=(const XServer &) = delete;
    ~XServer() { stop(); }

    // -displayfd: the server takes a display number that is free and tells
    // it. -noreset: without it the server starts afresh each time its last
    // client goes, and a program started in that moment cannot connect.
    bool start(QSize screen = defaultScreen)
    {
        screen_ = screen;
        xvfb_.start(QStringLiteral("Xvfb"),
                    {"-displayfd", "1", "-screen", "0",
                     QStringLiteral("%1x%2x24").arg(screen.width()).arg(screen.height()), "-nolisten", "tcp",
                     "-noreset"});
        if (!xvfb_.waitForStarted(patienceMs_)) {
            problem_ = xvfb_.errorString();
            return false;
        }
        QByteArray number;
        (void)QTest::qWaitFor(
            [&] {
                xvfb_.waitForReadyRead(100);
                number += xvfb_.readAllStandardOutput();
                return number.contains('\n') || xvfb_.state() != QProcess::Running;
            },
            patienceMs_);
        if (!number.contains('\n')) {
            problem_ = QStringLiteral("Xvfb told no display number: ")
                + QString::fromLocal8Bit(xvfb_.readAllStandardError());
            xvfb_.kill();
            xvfb_.waitForFinished();
            return false;
        }
        display_ = QLatin1Char(':') + QString::fromLatin1(number.trimmed());
        return true;
    }

    // Ends the programs first, then the server.
    void stop()
    {
        endPrograms();
        display_.clear();
        if (xvfb_.state() != QProcess::NotRunning) {
            xvfb_.terminate();
            if (!xvfb_.waitForFinished(patienceMs_)) {
                xvfb_.kill();
                xvfb_.waitForFinished();
            }
        }
    }

    static constexpr QSize defaultScreen{1280, 1024};
    QSize screen() const { return screen_; }
    bool isUp() const { return !display_.isEmpty(); }
    QString display() const { return display_; }
    QString problem() const { return problem_; } // why the server is not up

    // What a program needs to open its windows here, as the given user:
    // their configuration (the store) and runtime (the lock) folders.
    QProcessEnvironment programEnvironment(const QString &configHome, const QString &runtimeDir) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display_);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.remove(QStringLiteral("QT_QPA_PLATFORMTHEME"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir);
        return env;
    }

    // Starts a program on this display; it runs until endPrograms() or stop().
    QProcess *startProgram(const QString &path, const QString &configHome, const QString &runtimeDir)
    {
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(programEnvironment(configHome, runtimeDir));
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(path, {});
        QProcess *started = process.get();
        programs_.push_back(std::move(process));
        return started->waitForStarted(patienceMs_) ? started : nullptr;
    }

    void endPrograms()
    {
        for (const auto &program : programs_) {
            if (program->state() != QProcess::NotRunning) {
                program->kill();
                program->waitForFinished(patienceMs_);
            }
        }
        programs_.clear();
    }

    // xdotool's output lines; none when it did not finish in time (it is
    // killed then), so no step can hang a test. Negative: the default wait.
    QStringList xdotool(const QStringList &arguments, int timeoutMs = -1) const
    {
        QProcess tool;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display_);
        tool.setProcessEnvironment(env);
        tool.start(QStringLiteral("xdotool"), arguments);
        if (!tool.waitForFinished(timeoutMs < 0 ? patienceMs_ : timeoutMs)) {
            tool.kill();
            tool.waitForFinished();
            return {};
        }
        return QString::fromLocal8Bit(tool.readAllStandardOutput())
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    // The visible windows whose whole title is `title` (xdotool reads it as a
    // pattern, so a title with pattern characters needs them escaped).
    QStringList windowsTitled(const QString &title) const
    {
        return xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                        QLatin1Char('^') + title + QLatin1Char('$')});
    }

    // The program's visible windows: its main window and any message box
    // carry the same title.
    QStringList programWindows() const
    {
        return windowsTitled(QStringLiteral("Zorudoza Zudizir Ivozudiro - 3d20u"));
    }

    // The main window is 900 pixels wide; its height follows the receiver count.
    bool isMainWindow(const QString &id) const { return geometry(id).width() == 900; }

    // The program's window that is `width` pixels wide (0: any width), once
    // it shows, focused for keys; empty when none came in time.
    QString awaitWindow(int width = 900) const
    {
        QString found;
        (void)QTest::qWaitFor(
            [&] {
                for (const QString &id : programWindows()) {
                    if (geometry(id).width() == width || (width == 0 && geometry(id).width() > 0))
                        found = id;
                }
                return !found.isEmpty();
            },
            patienceMs_);
        if (!found.isEmpty()) {
            xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), found});
            QTest::qWait(300); // the window's first layout and focus settle
        }
        return found;
    }

    // A window's place on the screen and its size; (0, 0, -1, -1) for what
    // could not be read. xwininfo, as xdotool counts a window manager's
    // frame twice in the place.
    QRect geometry(const QString &window) const
    {
        QProcess tool;
        tool.setProcessEnvironment(programEnvironment(QString(), QString()));
        tool.start(QStringLiteral("xwininfo"), {QStringLiteral("-id"), window});
        QRect rect(0, 0, -1, -1);
        if (!tool.waitForFinished(patienceMs_))
            return rect;
        for (const QString &line : QString::fromLocal8Bit(tool.readAllStandardOutput()).split('\n')) {
            const int value = line.section(QLatin1Char(':'), 1).trimmed().toInt();
            if (line.contains(QLatin1String("Absolute upper-left X:")))
                rect.moveLeft(value);
            else if (line.contains(QLatin1String("Absolute upper-left Y:")))
                rect.moveTop(value);
            else if (line.trimmed().startsWith(QLatin1String("Width:")))
                rect.setWidth(value);
            else if (line.trimmed().startsWith(QLatin1String("Height:")))
                rect.setHeight(value);
        }
        return rect;
    }

private:
    int patienceMs_;
    QProcess xvfb_;
    QString display_;
    QString problem_;
    QSize screen_;
    std::vector<std::unique_ptr<QProcess>> programs_;
};
