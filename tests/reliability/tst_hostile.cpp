// Hostile data files through the real polling tick and the batch on the simulated
// scanner: none crashes the station, none writes outside the image folder, SQL in a
// field is stored as text, and every line is either stored or its file kept as ".err".
#include "common/StationFixture.h"
#include "common/ViewFixture.h"

#include "intake/LineParser.h"
#include "station/ImageNaming.h"
#include "station/ImageStore.h"
#include "station/PollingTick.h"

#include <QImageReader>

using namespace quiller;
using quiller::test::Line;
using quiller::test::SharedContext;
using quiller::test::Station;

namespace {

QSet<QString> FilesUnder(const QString& folder) {
    QSet<QString> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files.insert(it.next());
    return files;
}

} // namespace

class HostileFileTests : public QObject {
    Q_OBJECT

private slots:
    void hostileFileNeitherCrashesNorEscapesAndEveryLineIsStoredOrKept_data() {
        QTest::addColumn<QByteArray>("content");
        for (const char* name :
             {"junk", "nul", "cp1252", "lengths", "paths", "sql", "dates", "empty-lines"})
            QTest::newRow(name) << test::ReadFile(
                test::DataFile(QStringLiteral("hostile/%1.QLV").arg(QLatin1String(name))));
        // Generated rather than kept in the repository.
        QTest::newRow("10 MB line")
            << QByteArray(10 * 1024 * 1024, '7') + "\r\n" +
                   Line("600", "00", "20060307", "After the long line", "Long", "Line");
        QTest::newRow("10 MB without a line end") << QByteArray(10 * 1024 * 1024, 'x');
    }
    void hostileFileNeitherCrashesNorEscapesAndEveryLineIsStoredOrKept() {
        QFETCH(QByteArray, content);
        Station s;
        // The lines as the station reads them, from a copy outside the folders.
        const QString copy = s.env.home() + "/copy.QLV";
        test::WriteFile(copy, content);
        const QStringList lines = PollingTick::ReadDataFile(copy);
        QFile::remove(copy);
        s.script.pagesPerAcquire = int(lines.size());
        s.open();

        const QSet<QString> before = FilesUnder(s.env.home());
        const QStringList cwdBefore = QDir::current().entryList(QDir::AllEntries);
        s.drop("AX0001.QLV", content);
        QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(s.dataFile("AX0001.QLV")), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(s.idleAndPolling(), 20000);

        // Written: pages with safe names in the image folder, the kept file, nothing else.
        const QString kept = s.dataFile("AX0001.QLV.err");
        const QSet<QString> after = FilesUnder(s.env.home());
        for (const QString& file : after - before) {
            const QFileInfo info(file);
            if (file.startsWith(s.env.home() + "/.config/"))
                continue; // the window placement
            if (file == kept)
                continue;
            // The station's own bookkeeping beside its staging; no page is left there.
            if (file.startsWith(s.env.imageFolder() + "/Staging/") && !file.endsWith(".jpg"))
                continue;
            // Pages the station could not file are kept in Unmatched, replaced ones in
            // Replaced; both inside the image folder. A kept page has its note beside it.
            const QString folder = info.absolutePath();
            const QString name = info.fileName();
            const QString noted = name.startsWith('.') && name.endsWith(".jpg.json")
                                      ? folder + "/" + name.mid(1).chopped(5)
                                      : QString();
            if (folder == s.env.imageFolder() + "/Unmatched" && after.contains(noted) &&
                ImageStore::NoteOf(noted) == file && IsSafeImageName(QFileInfo(noted).fileName()))
                continue;
            QVERIFY2((folder == s.env.imageFolder() ||
                      folder == s.env.imageFolder() + "/Unmatched" ||
                      folder == s.env.imageFolder() + "/Replaced") &&
                         info.fileName().endsWith(".jpg") && IsSafeImageName(info.fileName()),
                     qPrintable(file));
        }
        QCOMPARE(QDir::current().entryList(QDir::AllEntries), cwdBefore);
        const bool keptAside = QFile::exists(kept);
        if (keptAside)
            QCOMPARE(test::ReadFile(kept), content);

        // Every line (the last one of each key) is in the database exactly as it stood,
        // or its file was kept.
        QHash<QString, Prescription> last;
        for (const QString& line : lines) {
            const ParsedLine parsed = ParseLine(line);
            last.insert(parsed.p.RxNbr + "\n" + parsed.p.RefNo, parsed.p);
        }
        int stored = 0;
        for (const Prescription& p : last) {
            const auto row = SharedContext().DbConnection->Find(p.RxNbr, p.RefNo);
            const bool literal = row && row->Drug == p.Drug && row->FirstName == p.FirstName &&
                                 row->LastName == p.LastName;
            if (literal)
                ++stored;
            else
                QVERIFY2(keptAside, qPrintable("not stored and not kept: " + p.RxNbr));
        }
        if (!keptAside)
            QCOMPARE(stored, last.size());

        // Each stored page is where its row says, whole.
        QSqlQuery q(SharedContext().DbConnection->Connection());
        QVERIFY(q.exec("SELECT RxNbr, RefNo, RxImage FROM RxImages WHERE RxImage <> ''"));
        while (q.next()) {
            const QString name = q.value(2).toString();
            QCOMPARE(name, ImageFileName(q.value(0).toString() + "-" + q.value(1).toString()));
            QImageReader reader(s.env.imageFolder() + "/" + name);
            QVERIFY2(!reader.read().isNull(), qPrintable(name));
        }
    }
};

QTEST_MAIN(HostileFileTests)
#include "tst_hostile.moc"
