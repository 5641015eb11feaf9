// Patient data stays with the pharmacy: modes of what the station creates, the audit
// trail, deletion that keeps the record, secrets and hostile settings.

#include "base/Error.h"
#include "base/FileSystem.h"
#include "common/DataLines.h"
#include "common/ScanListFake.h"
#include "common/TestEnv.h"
#include "records/AuditTrail.h"
#include "records/Database.h"
#include "records/DatabaseCare.h"
#include "records/DatabaseCopy.h"
#include "records/DeletedPrescriptions.h"
#include "settings/DatabaseSettings.h"
#include "settings/SettingsStore.h"
#include "station/DataPrivacy.h"
#include "station/PatientRecords.h"
#include "station/PollingTick.h"
#include "station/StationContext.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quiller;

namespace {

unsigned ModeOf(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return 0;
    return info.st_mode & 07777U;
}

Prescription Rx(const QString& rx, const QString& ref) {
    return Prescription{rx,
                        ref,
                        QStringLiteral("03/04/2026"),
                        QStringLiteral("OXYCODONE 10MG"),
                        QStringLiteral("JANE"),
                        QStringLiteral("DOE"),
                        QString()};
}

// A station context on a fresh image folder with its database open.
struct Station {
    QTemporaryDir dir;
    StationContext app;
    explicit Station(unsigned folderMode = 0700, gid_t group = gid_t(-1)) {
        app.dataPath = dir.filePath(QStringLiteral("images"));
        app.filePath = dir.filePath(QStringLiteral("in"));
        app.ScannerID = QStringLiteral("A");
        QDir().mkpath(app.dataPath);
        QDir().mkpath(app.filePath);
        if (group != gid_t(-1))
            QVERIFY(::chown(QFile::encodeName(app.dataPath).constData(), uid_t(-1), group) == 0);
        QVERIFY(::chmod(QFile::encodeName(app.dataPath).constData(), folderMode) == 0);
        Database::EnsureFile(app.dataPath, QString());
        app.DbConnection = std::make_unique<Database>(QStringLiteral("patientdata"));
        app.DbConnection->Open(app.dataPath);
    }
    QSqlDatabase db() const { return app.DbConnection->Connection(); }
};

// Runs `work` in a child process as another account; gives its exit status.
template <typename Work> int AsAccount(uid_t uid, gid_t gid, Work&& work) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::setgroups(1, &gid) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0)
            ::_exit(99);
        ::_exit(work());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 98;
}

} // namespace

class TestPatientData : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { ::umask(022); }

    void createdModes_data() {
        QTest::addColumn<unsigned>("mask");
        QTest::addColumn<bool>("group");
        QTest::addColumn<unsigned>("file");
        QTest::addColumn<unsigned>("folder");
        QTest::newRow("private folder, umask 022") << 022U << false << 0600U << 0700U;
        QTest::newRow("private folder, umask 000") << 0U << false << 0600U << 0700U;
        QTest::newRow("operators' group folder, umask 002") << 002U << true << 0660U << 02770U;
        QTest::newRow("operators' group folder, umask 077") << 077U << true << 0660U << 02770U;
    }
    void createdModes() {
        QFETCH(unsigned, mask);
        QFETCH(bool, group);
        QFETCH(unsigned, file);
        QFETCH(unsigned, folder);
        ::umask(static_cast<mode_t>(mask));
        Station s(group ? 02770 : 0700);
        const QString images = s.app.dataPath;
        QCOMPARE(ModeOf(Database::PathIn(images)), file);

        // The journal of a write in progress has the database's mode.
        s.app.DbConnection->BeginTransaction();
        s.app.DbConnection->UpsertPrescription(Rx(QStringLiteral("6401"), QStringLiteral("00")));
        QCOMPARE(ModeOf(Database::PathIn(images) + QStringLiteral("-journal")), file);
        s.app.DbConnection->Commit();

        const QString backup = DatabaseCare::BackUpIfDue(s.db(), images, QDate(2026, 12, 7));
        QCOMPARE(ModeOf(DatabaseCare::BackupFolder(images)), folder);
        QCOMPARE(ModeOf(backup), file);
        QCOMPARE(ModeOf(FileSystem::MakeFolder(images, QStringLiteral("Unmatched"))), folder);
        FileSystem::WriteFile(images, QStringLiteral("6401_00.jpg"), QByteArray("page"));
        QCOMPARE(ModeOf(FileSystem::Join(images, QStringLiteral("6401_00.jpg"))), file);
        QVERIFY(s.app.DbConnection->SetRxImage(QStringLiteral("6401"), QStringLiteral("00"),
                                               QStringLiteral("6401_00.jpg")) == 1);
        PatientRecords::DeleteKeepingImage(s.app, QStringLiteral("6401"), QStringLiteral("00"),
                                           QStringLiteral("6401_00.jpg"));
        QCOMPARE(ModeOf(FileSystem::Join(images, PatientRecords::DeletedFolder())), folder);

        // Whatever else the run creates (a scanner's writer, the log) starts as narrow.
        DataPrivacy::ApplyCreationMask(images);
        QFile other(FileSystem::Join(images, QStringLiteral("other")));
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.close();
        QCOMPARE(ModeOf(other.fileName()) & ~file, 0U);
        QVERIFY(DataPrivacy::ReadableByOthersMessage(images, Database::PathIn(images)).isEmpty());
    }

    // Another account of the operators' group records a prescription in the shared
    // database and files a page; an account outside the group reads nothing.
    void groupMembersShareOutsidersReadNothing() {
        if (::geteuid() != 0)
            QSKIP("needs root to act as other accounts");
        ::umask(002);
        const gid_t operators = 4242;
        Station s(02770, operators);
        QVERIFY(QDir(s.dir.path()).exists());
        QVERIFY(::chmod(QFile::encodeName(s.dir.path()).constData(), 0755) == 0);
        DatabaseCare::BackUpIfDue(s.db(), s.app.dataPath, QDate(2026, 12, 7));
        FileSystem::WriteFile(s.app.dataPath, QStringLiteral("1_00.jpg"), QByteArray("page"));
        const QString images = s.app.dataPath;
        s.app.DbConnection->Close();

        const int member = AsAccount(4343, operators, [&] {
            Database db(QStringLiteral("member"));
            try {
                db.Open(images);
                db.UpsertPrescription(Rx(QStringLiteral("6402"), QStringLiteral("00")));
                db.SetRxImage(QStringLiteral("6402"), QStringLiteral("00"),
                              QStringLiteral("6402_00.jpg"));
                FileSystem::WriteFile(images, QStringLiteral("6402_00.jpg"), QByteArray("x"));
                FileSystem::MakeFolder(images, QStringLiteral("Unmatched"));
            } catch (const QuillerError&) {
                return 1;
            }
            return 0;
        });
        QCOMPARE(member, 0);
        s.app.DbConnection->Open(images);
        QVERIFY(s.app.DbConnection->Find(QStringLiteral("6402"), QStringLiteral("00")));

        const int outsider = AsAccount(65534, 65534, [&] {
            const QStringList paths = {
                Database::PathIn(images), FileSystem::Join(images, QStringLiteral("1_00.jpg")),
                FileSystem::Join(DatabaseCare::BackupFolder(images),
                                 DatabaseCare::BackupName(QDate(2026, 12, 7)))};
            for (const QString& path : paths)
                if (::open(QFile::encodeName(path).constData(), O_RDONLY) >= 0)
                    return 1;
            return 0;
        });
        QCOMPARE(outsider, 0);
    }

    // The lock file follows the interchange folder's sharing; a data file kept aside as
    // ".err" keeps its writer's mode, and in a group folder becomes the group's.
    void interchangeFilesFollowTheirFolder_data() {
        QTest::addColumn<unsigned>("folder");
        QTest::addColumn<unsigned>("mask"); // the pharmacy system's
        QTest::addColumn<unsigned>("lock");
        QTest::addColumn<unsigned>("kept");
        QTest::newRow("readable by all, umask 022") << 0755U << 022U << 0644U << 0644U;
        QTest::newRow("readable by all, umask 077") << 0755U << 077U << 0644U << 0600U;
        QTest::newRow("group shared, umask 002") << 02770U << 002U << 0660U << 0660U;
        QTest::newRow("group shared, umask 022") << 02770U << 022U << 0660U << 0660U;
        QTest::newRow("private") << 0700U << 077U << 0600U << 0600U;
    }
    void interchangeFilesFollowTheirFolder() {
        QFETCH(unsigned, folder);
        QFETCH(unsigned, mask);
        QFETCH(unsigned, lock);
        QFETCH(unsigned, kept);
        Station s;
        const QByteArray in = QFile::encodeName(s.app.filePath);
        const bool root = ::geteuid() == 0;
        QVERIFY((!root || ::chown(in.constData(), uid_t(-1), 4242) == 0) &&
                ::chmod(in.constData(), folder) == 0);
        ::umask(static_cast<mode_t>(mask));
        const QString data = FileSystem::Join(s.app.filePath, QStringLiteral("AX1.QLV"));
        test::WriteFile(data, test::Line("1", "0", "20060307") + test::Line("2", "0", "20061399"));
        // Written by an account whose group is not the folder's.
        QVERIFY(!root || ::chown(QFile::encodeName(data).constData(), uid_t(-1), ::getegid()) == 0);
        test::ScanListFake list;
        PollingTick tick(s.app, list, PollingHooks{{}, {}, {}, [](std::vector<TickReport>) {}, {}});
        tick.Timer1_Timer();
        tick.Timer1_Timer();
        QCOMPARE(ModeOf(s.app.LockFilePath()), lock);
        const QFileInfo err(data + QStringLiteral(".err"));
        QCOMPARE(ModeOf(err.filePath()), kept);
        QVERIFY(!root || err.groupId() == ((folder & 02000U) ? 4242U : ::getegid()));
    }

    void exposedFolderIsReported_data() {
        QTest::addColumn<unsigned>("above");
        QTest::addColumn<unsigned>("folder");
        QTest::addColumn<bool>("reported");
        QTest::newRow("open folder, open path") << 0755U << 0755U << true;
        QTest::newRow("searchable only") << 0711U << 0701U << true;
        QTest::newRow("open folder under a private one") << 0700U << 0755U << false;
        QTest::newRow("private folder") << 0755U << 0700U << false;
        QTest::newRow("group folder") << 0755U << 02770U << false;
    }
    void exposedFolderIsReported() {
        QFETCH(unsigned, above);
        QFETCH(unsigned, folder);
        QFETCH(bool, reported);
        Station s(folder);
        QVERIFY(::chmod(QFile::encodeName(s.dir.path()).constData(), above) == 0);
        const QString message =
            DataPrivacy::ReadableByOthersMessage(s.app.dataPath, Database::PathIn(s.app.dataPath));
        QCOMPARE(message.contains(FileSystem::Native(s.app.dataPath)), reported);
        QCOMPARE(message.contains(QStringLiteral("chmod -R go-rwx")), reported);
    }

    void auditTrail() {
        Station s;
        const QSqlDatabase db = s.db();
        const QDate day(2026, 3, 4);
        AuditTrail::Append(db, AuditEntry{"A", "search", "", "", "Patient", "done"},
                           day.addDays(-1).startOfDay().addSecs(3600));
        AuditTrail::Append(db,
                           AuditEntry{"A", "print", "6401", "00", "printer P, 2 copies", "done"},
                           day.startOfDay().addSecs(3600));
        AuditTrail::Append(db, AuditEntry{"B", "preview", "77", "01", "=cmd|x", "done"},
                           day.startOfDay().addSecs(7200));
        QCOMPARE(AuditTrail::Read(db, day, day, QString()).size(), 2);
        const QList<AuditRow> rows = AuditTrail::Read(db, QDate(), QDate(), QStringLiteral("6401"));
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].account, AuditTrail::OsAccount());
        QCOMPARE(rows[0].detail, QStringLiteral("printer P, 2 copies"));
        const QString csv = AuditTrail::Csv(AuditTrail::Read(db, day, QDate(), QString()));
        QCOMPARE(csv.count(QStringLiteral("\r\n")), 3);
        QVERIFY(csv.contains(QStringLiteral(",\"printer P, 2 copies\",done\r\n")));
        QVERIFY(csv.contains(QStringLiteral(",'=cmd|x,")));
        // Rows are only appended: an update is refused by the table itself.
        QSqlQuery update(db);
        QVERIFY(!update.exec(QStringLiteral("UPDATE AuditTrail SET Outcome = 'x'")));
        QCOMPARE(AuditTrail::RemoveBefore(db, day.startOfDay()), 1);
    }

    void purgeKeepsTheRetainedYears() {
        Station s;
        const QDate today(2026, 12, 7);
        AuditTrail::Append(s.db(), AuditEntry{"A", "search", "", "", "Drug", "done"},
                           QDate(2018, 1, 1).startOfDay());
        AuditTrail::Append(s.db(), AuditEntry{"A", "search", "", "", "Drug", "done"},
                           QDate(2020, 1, 1).startOfDay());
        QVERIFY_THROWS_EXCEPTION(QuillerError,
                                 PatientRecords::PurgeAudit(s.app, 7, QDate(2020, 6, 1), today));
        QVERIFY(PatientRecords::PurgeAudit(s.app, 7, QDate(2019, 6, 1), today)
                    .contains(QStringLiteral("Removed 1 ")));
        // The other old row and the purge's own entry stay.
        QCOMPARE(AuditTrail::Read(s.db(), QDate(), QDate(), QString()).size(), 2);
        SettingsStore settings(s.dir.filePath(QStringLiteral("q.conf")));
        QCOMPARE(PatientRecords::AuditKeepYears(settings), 7);
        settings.Write(QStringLiteral("audit"), QStringLiteral("KeepYears"), QStringLiteral("0"));
        QCOMPARE(PatientRecords::AuditKeepYears(settings), 7);
    }

    void deleteThenRestore() {
        Station s;
        Database& db = *s.app.DbConnection;
        db.UpsertPrescription(Rx(QStringLiteral("6401"), QStringLiteral("00")));
        const QByteArray bytes("\xff\xd8 the page \xff\xd9");
        FileSystem::WriteFile(s.app.dataPath, QStringLiteral("6401_00.jpg"), bytes);
        db.SetRxImage(QStringLiteral("6401"), QStringLiteral("00"), QStringLiteral("6401_00.jpg"));
        const Prescription before = *db.Find(QStringLiteral("6401"), QStringLiteral("00"));

        PatientRecords::DeleteKeepingImage(s.app, QStringLiteral("6401"), QStringLiteral("00"),
                                           QStringLiteral("6401_00.jpg"));
        QVERIFY(!db.Find(QStringLiteral("6401"), QStringLiteral("00")));
        QVERIFY(!QFile::exists(s.app.ImagePath(QStringLiteral("6401_00.jpg"))));
        const QStringList kept =
            QDir(FileSystem::Join(s.app.dataPath, PatientRecords::DeletedFolder()))
                .entryList(QDir::Files);
        QCOMPARE(kept.size(), 1);

        // Recorded again meanwhile: the deleted record is never put over the new one.
        db.UpsertPrescription(Rx(QStringLiteral("6401"), QStringLiteral("00")));
        QVERIFY_THROWS_EXCEPTION(QuillerError,
                                 PatientRecords::RestoreDeleted(s.app, QStringLiteral("6401-00")));
        QCOMPARE(QDir(FileSystem::Join(s.app.dataPath, PatientRecords::DeletedFolder()))
                     .entryList(QDir::Files),
                 kept);
        PatientRecords::DeleteKeepingImage(s.app, QStringLiteral("6401"), QStringLiteral("00"),
                                           QString());

        // The newest deletion (no image) comes back first, then the one with its image.
        PatientRecords::RestoreDeleted(s.app, QStringLiteral("6401-00"));
        PatientRecords::DeleteKeepingImage(s.app, QStringLiteral("6401"), QStringLiteral("00"),
                                           QString());
        QVERIFY(DeletedPrescriptions::Newest(db, QStringLiteral("6401"), QStringLiteral("00")));
        QSqlQuery drop(db.Connection());
        QVERIFY(drop.exec(QStringLiteral("DELETE FROM DeletedPrescriptions WHERE KeptAs = ''")));
        PatientRecords::RestoreDeleted(s.app, QStringLiteral("6401-00"));
        const Prescription after = *db.Find(QStringLiteral("6401"), QStringLiteral("00"));
        QCOMPARE(after.RxImage, before.RxImage);
        QCOMPARE(after.LastName, before.LastName);
        QCOMPARE(after.FillDate, before.FillDate);
        QFile image(s.app.ImagePath(QStringLiteral("6401_00.jpg")));
        QVERIFY(image.open(QIODevice::ReadOnly));
        QCOMPARE(image.readAll(), bytes);
        QVERIFY_THROWS_EXCEPTION(QuillerError,
                                 PatientRecords::RestoreDeleted(s.app, QStringLiteral("6401-00")));
        const QList<AuditRow> audit =
            AuditTrail::Read(s.db(), QDate(), QDate(), QStringLiteral("6401"));
        QVERIFY(audit.size() >= 4);
        QCOMPARE(audit.constFirst().action, QStringLiteral("delete"));
    }

    void secretsAreNeverRepeated_data() {
        QTest::addColumn<QString>("uri");
        QTest::newRow("user:password") << "postgresql://quiller:S3cretPW@db/quiller";
        QTest::newRow("password parameter") << "postgres://db/quiller?password=S3cretPW";
        QTest::newRow("malformed with password") << "postgresql://q:S3cretPW@";
    }
    // A password in a server address reaches libpq only: the address as described to the
    // operator or the log, and any refusal, never repeat it.
    void secretsAreNeverRepeated() {
        QFETCH(QString, uri);
        try {
            const ServerAddress address = ParseServerUri(uri);
            QVERIFY(!address.Describe().contains(QStringLiteral("S3cretPW")));
        } catch (const QuillerError& e) {
            QVERIFY(!e.description().contains(QStringLiteral("S3cretPW")));
        }
    }

    void passwordSettingIsRefused() {
        QTemporaryDir dir;
        SettingsStore settings(dir.filePath(QStringLiteral("q.conf")));
        settings.Write(QStringLiteral("database"), QStringLiteral("driver"),
                       QStringLiteral("postgresql"));
        settings.Write(QStringLiteral("database"), QStringLiteral("password"),
                       QStringLiteral("S3cretPW"));
        try {
            DatabaseSettings::Read(settings);
            QFAIL("a password in the settings was accepted");
        } catch (const QuillerError& e) {
            QVERIFY(!e.description().contains(QStringLiteral("S3cretPW")));
            QVERIFY(e.description().contains(QStringLiteral(".pgpass")));
        }
    }

    void stationIdentifiers_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("valid");
        for (const QString& id : {QStringLiteral("A"), QStringLiteral("7"), QString(QChar(0xC9))})
            QTest::newRow(qPrintable("valid " + id)) << id << true;
        for (const char* id : {"*", "..", ".", "/", "AB", " ", ""})
            QTest::addRow("invalid '%s'", id) << QString::fromLatin1(id) << false;
    }
    void stationIdentifiers() {
        QFETCH(QString, id);
        QFETCH(bool, valid);
        QCOMPARE(DataPrivacy::IsValidStationId(id), valid);
    }

    void longValuesAreCut() {
        const QString huge(1 << 20, QLatin1Char('x'));
        QCOMPARE(DataPrivacy::Shortened(huge).size(), 83);
        QCOMPARE(DataPrivacy::StationIdProblem(huge).count(QLatin1Char('x')) <= 90, true);
        QCOMPARE(DataPrivacy::Shortened(QStringLiteral("short")), QStringLiteral("short"));
    }

    void unusableFolderIsNamed() {
        QTemporaryDir dir;
        const QString missing = dir.filePath(QStringLiteral("gone"));
        try {
            Database::EnsureFile(missing, QString());
            QFAIL("a missing folder was accepted");
        } catch (const QuillerError& e) {
            QVERIFY(e.description().contains(FileSystem::Native(missing)));
            QVERIFY(e.description().contains(QString::fromLocal8Bit(strerror(ENOENT))));
        }
    }
};

QTEST_GUILESS_MAIN(TestPatientData)
#include "tst_patientdata.moc"
