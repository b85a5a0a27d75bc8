// Only one copy runs per user: a second copy shows the information box and
// ends after OK without touching the store, and the lock of a copy that was
// killed does not block the next start. The two-process cases run the real
// program on an X server of their own and drive it with xdotool.
#include "app/mainwindow.h"
#include "app/singlecopy.h"

#include <QAbstractButton>
#include <QDirIterator>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <vector>

namespace {

const QString caption = QStringLiteral("Zorudoza Zudizir Ivozudiro - 3d20u");
constexpr int patienceMs = 20000; // how long to wait for a window or an exit at most

// Every file below a folder with its bytes.
QMap<QString, QByteArray> snapshot(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        files.insert(path, file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>"));
    }
    return files;
}

// A user of the program: a config folder holding a store, and a runtime
// folder for the lock.
struct UserFolders
{
    QTemporaryDir base;
    QString config() const { return base.path() + QStringLiteral("/config"); }
    QString runtime() const { return base.path() + QStringLiteral("/runtime"); }
    QString lockPath() const { return runtime() + QStringLiteral("/zorudoza-zudizir-ivozudiro.lock"); }

    bool create()
    {
        if (!base.isValid() || !QDir().mkpath(config() + QStringLiteral("/ZorudozaZudizirIvozudiro"))
            || !QDir().mkpath(runtime()))
            return false;
        QFile::setPermissions(runtime(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile store(config() + QStringLiteral("/ZorudozaZudizirIvozudiro/ZorudozaZudizirIvozudiro.conf"));
        if (!store.open(QIODevice::WriteOnly))
            return false;
        store.write("[MaxReceivers]\nReceivers=8\n\n[IP]\nPort=9900\n\n"
                    "[RX3]\nFrequency=10491.500\nSymbolRate=1500\nAntenna=TOP\n");
        return true;
    }
};

} // namespace

class SingleCopyTest : public QObject
{
    Q_OBJECT

private:
    QProcess xvfb_;
    QString display_;
    QString xvfbProblem_;
    std::vector<std::unique_ptr<QProcess>> copies_;

    QProcess *startCopy(const UserFolders &folders)
    {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display_);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.remove(QStringLiteral("QT_QPA_PLATFORMTHEME"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), folders.config());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), folders.runtime());
        process->setProcessEnvironment(env);
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(QStringLiteral(PROGRAM_PATH), {});
        QProcess *started = process.get();
        copies_.push_back(std::move(process));
        return started->waitForStarted(patienceMs) ? started : nullptr;
    }

    QStringList xdotool(const QStringList &arguments, int timeoutMs = patienceMs) const
    {
        QProcess tool;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display_);
        tool.setProcessEnvironment(env);
        tool.start(QStringLiteral("xdotool"), arguments);
        if (!tool.waitForFinished(timeoutMs)) {
            tool.kill();
            tool.waitForFinished();
            return {};
        }
        return QString::fromLocal8Bit(tool.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    }

    // The program's visible windows: its main window and any message box
    // carry the same title.
    QStringList windows() const
    {
        return xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                        QLatin1Char('^') + caption + QLatin1Char('$')});
    }

    QSize windowSize(const QString &id) const
    {
        int width = -1;
        int height = -1;
        for (const QString &line : xdotool({"getwindowgeometry", "--shell", id})) {
            if (line.startsWith("WIDTH="))
                width = line.mid(6).toInt();
            else if (line.startsWith("HEIGHT="))
                height = line.mid(7).toInt();
        }
        return QSize(width, height);
    }

    // The main window is 900 pixels wide; its height follows the receiver count.
    bool isMainWindow(const QString &id) const { return windowSize(id).width() == 900; }

    void needXServer()
    {
        if (display_.isEmpty())
            QSKIP(qPrintable(QStringLiteral("Xvfb could not be started, so the real program cannot be "
                                            "run here: ") + xvfbProblem_));
    }

private slots:
    void initTestCase()
    {
        // -displayfd lets the server pick a free display and tell its number.
        xvfb_.setProcessChannelMode(QProcess::SeparateChannels);
        xvfb_.start(QStringLiteral("Xvfb"), {"-displayfd", "1", "-screen", "0", "1280x1024x24",
                                             "-nolisten", "tcp"});
        if (!xvfb_.waitForStarted(patienceMs)) {
            xvfbProblem_ = xvfb_.errorString();
            return;
        }
        QByteArray number;
        (void)QTest::qWaitFor([&] {
            xvfb_.waitForReadyRead(100);
            number += xvfb_.readAllStandardOutput();
            return number.contains('\n') || xvfb_.state() != QProcess::Running;
        }, patienceMs);
        if (!number.contains('\n')) {
            xvfbProblem_ = QStringLiteral("no display number; ") + QString::fromLocal8Bit(xvfb_.readAllStandardError());
            xvfb_.kill();
            xvfb_.waitForFinished();
            return;
        }
        display_ = QLatin1Char(':') + QString::fromLatin1(number.trimmed());
    }

    void cleanup()
    {
        for (const auto &copy : copies_) {
            if (copy->state() != QProcess::NotRunning) {
                copy->kill();
                copy->waitForFinished(patienceMs);
            }
        }
        copies_.clear();
    }

    void cleanupTestCase()
    {
        if (xvfb_.state() != QProcess::NotRunning) {
            xvfb_.terminate();
            if (!xvfb_.waitForFinished(patienceMs)) {
                xvfb_.kill();
                xvfb_.waitForFinished();
            }
        }
    }

    void alreadyRunningBox_tellsWithOneOkButton()
    {
        const std::unique_ptr<QMessageBox> box = alreadyRunningBox();
        QCOMPARE(box->text(), QString("Zorudoza Zudizir Ivozudiro is already running."));
        QCOMPARE(box->windowTitle(), caption);
        QCOMPARE(MainWindow::caption, caption);
        QCOMPARE(box->icon(), QMessageBox::Information);
        QCOMPARE(box->buttons().size(), 1);
        QCOMPARE(box->standardButton(box->buttons().first()), QMessageBox::Ok);
        QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
    }

    void lock_isHeldByOneHolderAtATime()
    {
        UserFolders folders;
        QVERIFY(folders.create());
        const QByteArray previous = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", folders.runtime().toLocal8Bit());
        auto restore = qScopeGuard([&] { qputenv("XDG_RUNTIME_DIR", previous); });

        QCOMPARE(singleCopyLockPath(), folders.lockPath());
        auto first = takeSingleCopyLock();
        QVERIFY(first);
        QVERIFY(QFile::exists(folders.lockPath()));
        QVERIFY(!takeSingleCopyLock());
        first.reset();
        QVERIFY(!QFile::exists(folders.lockPath()));
        QVERIFY(takeSingleCopyLock());
    }

    void secondCopy_isRefusedAndEndsAfterOkLeavingTheStoreAlone()
    {
        needXServer();
        UserFolders folders;
        QVERIFY(folders.create());
        const QMap<QString, QByteArray> storeBefore = snapshot(folders.config());

        QProcess *first = startCopy(folders);
        QVERIFY(first);
        QVERIFY2(QTest::qWaitFor([&] { return windows().size() == 1; }, patienceMs),
                 "the first copy's window did not appear");
        const QString firstWindow = windows().first();
        QVERIFY(isMainWindow(firstWindow));

        QProcess *second = startCopy(folders);
        QVERIFY(second);
        QVERIFY2(QTest::qWaitFor([&] { return windows().size() == 2; }, patienceMs),
                 "the second copy showed no window");
        QStringList ids = windows();
        ids.removeAll(firstWindow);
        QCOMPARE(ids.size(), 1);
        const QString box = ids.first();
        QVERIFY2(!isMainWindow(box), "the second copy opened a main window");

        // Return presses the box's OK button. The box may take a moment to
        // accept the focus, so try again until the copy has gone.
        for (int attempt = 0; attempt < 20 && second->state() != QProcess::NotRunning; ++attempt) {
            xdotool({"windowfocus", "--sync", box, "key", "Return"}, 2000);
            second->waitForFinished(500);
        }
        QVERIFY2(second->state() == QProcess::NotRunning || second->waitForFinished(patienceMs),
                 "the second copy did not end after OK");
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);

        QCOMPARE(snapshot(folders.config()), storeBefore);
        QCOMPARE(first->state(), QProcess::Running);
        QCOMPARE(windows(), QStringList{firstWindow});
    }

    void killedCopy_leavesNoLockThatBlocksTheNextStart()
    {
        needXServer();
        UserFolders folders;
        QVERIFY(folders.create());

        QProcess *killed = startCopy(folders);
        QVERIFY(killed);
        QVERIFY2(QTest::qWaitFor([&] { return windows().size() == 1; }, patienceMs),
                 "the first copy's window did not appear");
        killed->kill(); // SIGKILL: no chance to remove its lock
        QVERIFY(killed->state() == QProcess::NotRunning || killed->waitForFinished(patienceMs));
        QVERIFY2(QFile::exists(folders.lockPath()), "the killed copy left no lock file to test with");
        QVERIFY(QTest::qWaitFor([&] { return windows().isEmpty(); }, patienceMs));

        QProcess *next = startCopy(folders);
        QVERIFY(next);
        QVERIFY2(QTest::qWaitFor([&] { return windows().size() == 1; }, patienceMs),
                 "the next copy showed no window");
        const QString window = windows().first();
        QVERIFY2(isMainWindow(window), "the next copy was refused");
        QCOMPARE(next->state(), QProcess::Running);

        // The lock now names the new copy.
        QFile lock(folders.lockPath());
        QVERIFY(lock.open(QIODevice::ReadOnly));
        QCOMPARE(lock.readLine().trimmed().toLongLong(), next->processId());
        QCOMPARE(windows(), QStringList{window});
    }
};

QTEST_MAIN(SingleCopyTest)
#include "test_singlecopy.moc"
