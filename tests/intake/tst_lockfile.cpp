#include "base/Error.h"
#include "common/TestEnv.h"
#include "intake/LockFile.h"

#include <QFile>
#include <QFileInfo>
#include <QtTest>

using namespace quiller;
using quiller::test::ReadFile;
using quiller::test::TestEnv;
using quiller::test::WriteFile;

class TestLockFile : public QObject {
    Q_OBJECT
private slots:
    void raiseWritesLockedOnce();
    void removeDeletesReadOnlyFile();
    void linksAreNeverWrittenThrough();
};

void TestLockFile::raiseWritesLockedOnce() {
    TestEnv env;
    const QString lock = env.interchangeFolder() + "/AQLVLock.xs4";
    QVERIFY(LockFile::Raise(lock));
    QCOMPARE(ReadFile(lock), QByteArray("Locked\r\n"));
    WriteFile(lock, "kept");
    QVERIFY(!LockFile::Raise(lock));
    QCOMPARE(ReadFile(lock), QByteArray("kept"));
    QVERIFY_THROWS_EXCEPTION(QuillerError,
                             LockFile::Raise(env.home() + "/no-such-folder/AQLVLock.xs4"));
}

void TestLockFile::removeDeletesReadOnlyFile() {
    TestEnv env;
    const QString lock = env.interchangeFolder() + "/AQLVLock.xs4";
    QVERIFY(!LockFile::Remove(lock));
    WriteFile(lock, "Locked\r\n");
    QFile(lock).setPermissions(QFile::ReadOwner);
    QVERIFY(LockFile::Remove(lock));
    QVERIFY(!QFileInfo::exists(lock));
}

void TestLockFile::linksAreNeverWrittenThrough() {
    TestEnv env;
    const QString lock = env.interchangeFolder() + "/AQLVLock.xs4";
    const QString outside = env.home() + "/outside.txt";
    // A link leading nowhere: raising must not create the file it names.
    QVERIFY(QFile::link(outside, lock));
    QVERIFY(!LockFile::Raise(lock));
    QVERIFY(!QFileInfo::exists(outside));
    // A link to a read-only file: removing takes the link, the file keeps its mode.
    WriteFile(outside, "precious");
    QFile(outside).setPermissions(QFile::ReadOwner);
    QVERIFY(LockFile::Remove(lock));
    QVERIFY(!QFileInfo(lock).isSymLink());
    QCOMPARE(ReadFile(outside), QByteArray("precious"));
    QCOMPARE(QFile(outside).permissions() & QFile::WriteOwner, QFileDevice::Permissions());
}

QTEST_GUILESS_MAIN(TestLockFile)
#include "tst_lockfile.moc"
