// The store's replacement of its file on a POSIX system: it keeps the old
// file's owner, group and mode, and refuses to hand a file to another user.
#include "channels/channellibrary.h"
#include "store/settingsstore.h"
#include "tempstore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <grp.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uid_t nobodyId = 65534;

// This process as the user nobody (group nogroup, and `extraGroup` beside
// it) until it goes, for what only another user than root can meet.
class AsNobody
{
public:
    explicit AsNobody(gid_t extraGroup)
    {
        const gid_t groups[] = {extraGroup};
        QVERIFY(::setgroups(1, groups) == 0 && ::setegid(nobodyId) == 0 && ::seteuid(nobodyId) == 0);
    }
    ~AsNobody() { [[maybe_unused]] const int back = ::seteuid(0) + ::setegid(0) + ::setgroups(0, nullptr); }
};

} // namespace

class StoreOwnerTest : public QObject
{
    Q_OBJECT

private slots:
    // The replacement keeps the owner, group and mode; where it could not
    // keep the owner, the file is left alone and the value held.
    void replacedFile_keepsOwnerGroupAndMode_data()
    {
        QTest::addColumn<bool>("asNobody"); // else as root
        QTest::addColumn<uint>("owner");
        QTest::addColumn<bool>("written");
        QTest::addColumn<bool>("traced"); // the first row again, its system calls seen by strace
        QTest::addColumn<bool>("channels"); // the channel library beside the store, else the store
        for (const bool channels : {false, true}) {
            const QString file = channels ? " (channels.csv)" : "";
            QTest::newRow(qPrintable("root writes nobody's file" + file))
                << false << uint(nobodyId) << true << false << channels;
            QTest::newRow(qPrintable("nobody, in the file's group, writes their own file" + file))
                << true << uint(nobodyId) << true << false << channels;
            QTest::newRow(qPrintable("nobody writes root's file: refused" + file))
                << true << 0u << false << false << channels;
        }
        QTest::newRow("the new file on the disk before the rename, the rename after it")
            << false << uint(nobodyId) << true << true << false;
    }

    void replacedFile_keepsOwnerGroupAndMode()
    {
        QFETCH(bool, asNobody);
        QFETCH(uint, owner);
        QFETCH(bool, written);
        QFETCH(bool, traced);
        QFETCH(bool, channels);
        if (::geteuid() != 0)
            QSKIP("needs root to give the file to another user");
        if (traced) {
            // A power cut after the rename must find the new bytes on the disk.
            const QString strace = QStandardPaths::findExecutable("strace");
            if (strace.isEmpty())
                QSKIP("strace is not installed (scripts/install-deps.sh installs it)");
            if (qEnvironmentVariableIsSet("QEMU_LD_PREFIX")) // the cross-built tests' preset sets it
                QSKIP("under an emulator strace sees the emulator's calls, not the program's");
            QTemporaryDir logFolder;
            QProcess run;
            run.start(strace,
                      {"-f", "-o", logFolder.filePath("log"), "-e",
                       "trace=openat,fsync,rename,renameat,renameat2",
                       QCoreApplication::applicationFilePath(),
                       "replacedFile_keepsOwnerGroupAndMode:root writes nobody's file"});
            QVERIFY(run.waitForFinished(60000));
            QCOMPARE(run.exitCode(), 0);
            QFile logFile(logFolder.filePath("log"));
            QVERIFY(logFile.open(QIODevice::ReadOnly));
            const QString log = QString::fromLocal8Bit(logFile.readAll());
            const auto at = [&](const QString &pattern, qsizetype from, QString *fd = nullptr) {
                const QRegularExpressionMatch m = QRegularExpression(pattern).match(log, from);
                if (fd && m.hasMatch())
                    *fd = m.captured(1);
                return m.hasMatch() ? m.capturedStart() : qsizetype(-1);
            };
            QString temp, folder;
            const qsizetype made =
                at("openat\\([^\\n]*\\.conf\\.[^\"/]{6}\", [^\\n]*O_CREAT[^\\n]*= (\\d+)", 0, &temp);
            QVERIFY2(made >= 0, qPrintable(log));
            const qsizetype synced = at("fsync\\(" + temp + "\\)", made);
            const qsizetype renamed = at("rename(at2?)?\\([^\\n]*\\.conf\\.[^\"/]{6}\"", made);
            QVERIFY2(synced >= 0 && renamed > synced, qPrintable(log));
            const qsizetype opened = at("openat\\([^\\n]*O_DIRECTORY[^\\n]*= (\\d+)", renamed, &folder);
            QVERIFY2(opened >= 0 && at("fsync\\(" + folder + "\\)", opened) > opened, qPrintable(log));
            return;
        }
        constexpr gid_t group = 1234;
        // Under the system's temporary folder, which nobody can enter wherever the
        // build tree is (a clone in a home folder of mode 0700, say).
        TempStore folder(QDir::tempPath() + QStringLiteral("/zzi-storeowner-XXXXXX"));
        folder.writeRaw("; mine\n[IP]\nPort=9700\n");
        const QString header = "Name,Frequency,SymbolRate,LocOsc,Antenna,Voltage,Notes\r\n";
        const QString channelsPath = folder.channelsFile();
        QVERIFY(writeFile(channelsPath, (header + "A,1.000,1,1.000,TOP,,\r\n").toUtf8()));
        QFile library(channelsPath);
        const QByteArray path = QFile::encodeName(channels ? channelsPath : folder.filePath());
        // The folder is open to everyone, so that nothing but the owner stops a replacement.
        QVERIFY(::chmod(QFile::encodeName(QFileInfo(folder.folder()).path()).constData(), 0777) == 0);
        QVERIFY(::chmod(QFile::encodeName(folder.folder()).constData(), 0777) == 0);
        QVERIFY(::chown(path.constData(), owner, group) == 0);
        QVERIFY(::chmod(path.constData(), 0640) == 0);
        bool ok = false;
        QString problem;
        {
            const std::unique_ptr<AsNobody> user(asNobody ? new AsNobody(group) : nullptr);
            SettingsStore store;
            if (channels) {
                problem = ChannelLibrary(store.fileName()).add({"B", {"2", "2", "2", "BOT", ""}, ""});
                ok = problem.isEmpty();
            } else {
                ok = store.write("IP", "Port", "12000");
                problem = store.problem();
                QCOMPARE(store.unsaved().size(), written ? 0 : 1);
            }
        }
        QCOMPARE(ok, written);
        struct stat after = {};
        QVERIFY(::stat(path.constData(), &after) == 0);
        QCOMPARE(uint(after.st_uid), owner);
        QCOMPARE(after.st_gid, group);
        QCOMPARE(after.st_mode & 07777, mode_t(0640));
        QVERIFY(library.open(QIODevice::ReadOnly));
        QCOMPARE(
            library.readAll(),
            (header + "A,1.000,1,1.000,TOP,,\r\n" + (channels && written ? "B,2.000,2,2.000,BOT,,\r\n" : ""))
                .toUtf8());
        QCOMPARE(
            folder.readRaw(),
            QByteArray(written && !channels ? "; mine\n[IP]\nPort=12000\n" : "; mine\n[IP]\nPort=9700\n"));
        if (!written)
            QCOMPARE(
                problem,
                "Not saved: " + QString::fromLocal8Bit(path) + " belongs to root:"
                    + QString::fromLocal8Bit(getgrgid(group) ? getgrgid(group)->gr_name : "1234")
                    + ", which a new file from user nobody:nogroup cannot keep (Operation not permitted).");
        QDir(folder.folder()).removeRecursively();
    }
};

QTEST_GUILESS_MAIN(StoreOwnerTest)
#include "test_storeowner.moc"
