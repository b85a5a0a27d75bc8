// The store's replacement of its file on a POSIX system: it keeps the old
// file's owner, group and mode, and refuses to hand a file to another user.
#include "store/settingsstore.h"
#include "tempstore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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
        QTest::newRow("root writes nobody's file") << false << uint(nobodyId) << true;
        QTest::newRow("nobody, in the file's group, writes their own file") << true << uint(nobodyId) << true;
        QTest::newRow("nobody writes root's file: refused") << true << 0u << false;
    }

    void replacedFile_keepsOwnerGroupAndMode()
    {
        QFETCH(bool, asNobody);
        QFETCH(uint, owner);
        QFETCH(bool, written);
        if (::geteuid() != 0)
            QSKIP("needs root to give the file to another user");
        constexpr gid_t group = 1234;
        TempStore folder(QCoreApplication::applicationDirPath() + QStringLiteral("/store-XXXXXX"));
        folder.writeRaw("; mine\n[IP]\nPort=9700\n");
        const QByteArray path = QFile::encodeName(folder.filePath());
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
            ok = store.write("IP", "Port", "12000");
            problem = store.problem();
            QCOMPARE(store.unsaved().size(), written ? 0 : 1);
        }
        QCOMPARE(ok, written);
        struct stat after = {};
        QVERIFY(::stat(path.constData(), &after) == 0);
        QCOMPARE(uint(after.st_uid), owner);
        QCOMPARE(after.st_gid, group);
        QCOMPARE(after.st_mode & 07777, mode_t(0640));
        QCOMPARE(folder.readRaw(),
                 QByteArray(written ? "; mine\n[IP]\nPort=12000\n" : "; mine\n[IP]\nPort=9700\n"));
        if (!written)
            QCOMPARE(
                problem,
                "Not saved: " + folder.filePath() + " belongs to root:"
                    + QString::fromLocal8Bit(getgrgid(group) ? getgrgid(group)->gr_name : "1234")
                    + ", which a new file from user nobody:nogroup cannot keep (Operation not permitted).");
        QDir(folder.folder()).removeRecursively();
    }
};

QTEST_GUILESS_MAIN(StoreOwnerTest)
#include "test_storeowner.moc"
