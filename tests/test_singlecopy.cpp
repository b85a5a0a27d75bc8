// Only one copy runs per user: a second copy shows the information box and
// ends after OK without touching the store, and no lock that a live copy does
// not hold (a killed copy's, an empty, garbled or old one) blocks the next start. The two-process cases run
// the real program on an X server of their own and drive it with xdotool.
#include "app/mainwindow.h"
#include "app/singlecopy.h"
#include "immutablepaths.h"
#include "tempstore.h"
#include "xserver.h"

#include <QAbstractButton>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <sys/stat.h>

// Long enough for a loaded machine, short enough to catch a blocking wait.
// Speed itself is the benchmark's to measure.
constexpr qint64 hangLimitMs = 10000;

namespace {

const QString caption = QStringLiteral("Zorudoza Zudizir Ivozudiro - 3d20u");
constexpr int patienceMs = 20000; // how long to wait for a window or an exit at most

// A store with a filled row, which the refused copy must leave alone.
const QByteArray presetStore = "[MaxReceivers]\nReceivers=8\n\n[IP]\nPort=9900\n\n"
                               "[RX3]\nFrequency=10491.500\nSymbolRate=1500\nAntenna=TOP\n";

} // namespace

class SingleCopyTest : public QObject
{
    Q_OBJECT

private:
    XServer x_{patienceMs};
    const QByteArray runtimeDir_ = qgetenv("XDG_RUNTIME_DIR");
    UserFolders folders;

    QProcess *startCopy(const UserFolders &user)
    {
        return x_.startProgram(QStringLiteral(PROGRAM_PATH), user.config(), user.runtime());
    }

    QStringList windows() const { return x_.programWindows(); }
    bool isMainWindow(const QString &id) const { return x_.isMainWindow(id); }

private slots:
    void initTestCase() { x_.start(); }
    // Every case has a user of its own, whose runtime folder is also this
    // process's, for the cases that take the lock here.
    void init()
    {
        QVERIFY(folders.create(presetStore));
        qputenv("XDG_RUNTIME_DIR", folders.runtime().toLocal8Bit());
    }

    void cleanup()
    {
        x_.endPrograms();
        qputenv("XDG_RUNTIME_DIR", runtimeDir_);
    }
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

        QCOMPARE(singleCopyLockPath(), folders.lockPath());
        auto first = takeSingleCopyLock();
        QVERIFY(first.lock);
        QVERIFY(QFile::exists(folders.lockPath()));
        const SingleCopyLock second = takeSingleCopyLock();
        QVERIFY(!second.lock);
        QVERIFY(second.otherCopyRunning);
        QCOMPARE(second.problem, QString());
        first.lock.reset();
        QVERIFY(!QFile::exists(folders.lockPath()));
        QVERIFY(takeSingleCopyLock().lock);
    }

    // No lock can be taken, and no copy holds one: the program runs, and its
    // alert line says that a second copy would not be detected, and why.
    void unusableLockPath_programRunsAndSaysWhy_data()
    {
        QTest::addColumn<QString>("blocker");
        QTest::addColumn<QString>("why");
        QTest::newRow("folder in its place") << "folder"
                                             << "is not a file.";
        QTest::newRow("FIFO in its place") << "fifo"
                                           << "is not a file.";
        QTest::newRow("dangling symbolic link in its place") << "symlink"
                                                             << "is not a file.";
        QTest::newRow("read-only runtime folder")
            << "immutable"
            << "could not be created (the folder is read-only, full or missing).";
    }

    void unusableLockPath_programRunsAndSaysWhy()
    {
        QFETCH(QString, blocker);
        QFETCH(QString, why);
        ImmutablePaths immutable;
        if (blocker == "folder")
            QVERIFY(QDir().mkpath(folders.lockPath()));
        else if (blocker == "symlink")
            QVERIFY(QFile::link(folders.runtime() + "/nothing-here", folders.lockPath()));
        else if (blocker == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(folders.lockPath()).constData(), 0600), 0);
        else if (!immutable.add(folders.runtime()) || canCreateIn(folders.runtime()))
            QSKIP("chattr +i is not supported here, so no folder can be made read-only for root");

        QElapsedTimer clock;
        clock.start();
        const SingleCopyLock taken = takeSingleCopyLock();
        QVERIFY(clock.elapsed() < hangLimitMs);
        QVERIFY(!taken.lock);
        QVERIFY(!taken.otherCopyRunning);
        QCOMPARE(taken.problem, "A second copy would not be detected: " + folders.lockPath() + " " + why);
        MainWindow window;
        window.setSingleCopyProblem(taken.problem);
        QCOMPARE(window.alertText(), taken.problem);
    }

    // A lock that no live copy holds, whatever its content or age, is taken
    // over at once by the real program; a folder there does not stop it.
    void plantedLock_doesNotKeepTheProgramFromStarting_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("ageSeconds");
        const QByteArray host = QSysInfo::machineHostName().toUtf8();
        QTest::newRow("empty, just written") << QByteArray() << 0;
        QTest::newRow("garbage") << QByteArray("\x01\xfejunk\n\n") << 0;
        QTest::newRow("garbage, a year old") << QByteArray("zz\n") << 365 * 24 * 3600;
        QTest::newRow("names a live process of another program")
            << QByteArray::number(QCoreApplication::applicationPid()) + "\ntest_singlecopy\n" + host + "\n"
            << 0;
        QTest::newRow("folder in its place") << QByteArray("folder") << 0;
        // After a power cut process ids start again: the starting copy may get
        // the one its own old lock names.
        QTest::newRow("names the starting process itself") << QByteArray("own pid") << 0;
    }

    void plantedLock_doesNotKeepTheProgramFromStarting()
    {
        SKIP_WITHOUT_X_SERVER(x_);
        QFETCH(QByteArray, content);
        QFETCH(int, ageSeconds);
        const bool folder = content == "folder";
        QString program = QStringLiteral(PROGRAM_PATH);
        if (folder) {
            QVERIFY(QDir().mkpath(folders.lockPath()));
        } else if (content == "own pid") {
            // A shell writes its own pid into the lock, then becomes the program.
            program = folders.home() + QStringLiteral("/start.sh");
            QVERIFY(writeFile(program,
                              "#!/bin/sh\nprintf '%s\\nzorudoza-zudizir-ivozudiro\\n%s\\n' $$ '"
                                  + QSysInfo::machineHostName().toUtf8() + "' > '"
                                  + QFile::encodeName(folders.lockPath()) + "'\nexec '" PROGRAM_PATH "'\n"));
            QVERIFY(QFile::setPermissions(program, QFile::permissions(program) | QFile::ExeOwner));
        } else {
            QVERIFY(writeFile(folders.lockPath(), content, ageSeconds));
        }

        QProcess *copy = x_.startProgram(program, folders.config(), folders.runtime());
        QVERIFY(copy);
        QVERIFY2(QTest::qWaitFor([&] { return windows().size() == 1; }, patienceMs), "no window appeared");
        QVERIFY2(isMainWindow(windows().first()), "the copy was refused");
        QCOMPARE(copy->state(), QProcess::Running);
        if (!folder) {
            QFile lock(folders.lockPath());
            QVERIFY(lock.open(QIODevice::ReadOnly));
            QCOMPARE(lock.readLine().trimmed().toLongLong(), copy->processId());
        }
    }

    void secondCopy_isRefusedAndEndsAfterOkLeavingTheStoreAlone()
    {
        SKIP_WITHOUT_X_SERVER(x_);
        const QStringList storeBefore = folderSnapshot(folders.config());

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

        QCOMPARE(folderSnapshot(folders.config()), storeBefore);
        QCOMPARE(first->state(), QProcess::Running);
        QCOMPARE(windows(), QStringList{firstWindow});
    }

    void killedCopy_leavesNoLockThatBlocksTheNextStart()
    {
        SKIP_WITHOUT_X_SERVER(x_);

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
