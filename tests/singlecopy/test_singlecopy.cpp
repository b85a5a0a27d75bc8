// Only one copy runs per user: a second copy shows the information box and
// ends after OK without touching the store, and the lock of a copy that was
// killed does not block the next start. The two-process cases run the real
// program on an X server of their own and drive it with xdotool.
#include "app/mainwindow.h"
#include "app/singlecopy.h"
#include "xserver.h"

#include <QAbstractButton>
#include <QDirIterator>
#include <QFile>
#include <QMessageBox>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

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
    XServer x_{patienceMs};

    QProcess *startCopy(const UserFolders &folders)
    {
        return x_.startProgram(QStringLiteral(PROGRAM_PATH), folders.config(), folders.runtime());
    }

    // The program's visible windows: its main window and any message box
    // carry the same title.
    QStringList windows() const { return x_.windowsTitled(caption); }

    // The main window is 900 pixels wide; its height follows the receiver count.
    bool isMainWindow(const QString &id) const { return x_.geometry(id).width() == 900; }

private slots:
    void initTestCase() { x_.start(); }
    void cleanup() { x_.endPrograms(); }
    void cleanupTestCase() { x_.stop(); }

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
        SKIP_WITHOUT_X_SERVER(x_);
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
            x_.xdotool({"windowfocus", "--sync", box, "key", "Return"}, 2000);
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
        SKIP_WITHOUT_X_SERVER(x_);
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
