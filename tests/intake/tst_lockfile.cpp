#include "base/Error.h"
#include "common/TestEnv.h"
#include "intake/LockFile.h"

#include <QtTest>

using namespace quiller;
using namespace quiller::test;

class TstLockFile : public QObject {
    Q_OBJECT
private slots:
    // Raising never writes through a link, nor makes a missing folder.
    void linksAreNeverWrittenThrough() {
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
        QVERIFY_THROWS_EXCEPTION(QuillerError,
                                 LockFile::Raise(env.home() + "/no-such/AQLVLock.xs4"));
    }
};

QTEST_GUILESS_MAIN(TstLockFile)
#include "tst_lockfile.moc"
