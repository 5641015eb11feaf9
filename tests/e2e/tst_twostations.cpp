// Two stations of one pharmacy (A and B) as separate processes on one PostgreSQL
// database and one image folder, both taking a data file at once: each one's
// prescriptions are found in the search of the other, every row once, every page stored.
#include "common/DataLines.h"
#include "common/StationProcess.h"
#include "common/TestServer.h"
#include "records/SearchResultModel.h"

#include <QtTest>

using namespace quiller;
using namespace quiller::test;

namespace {

// The image names the Rx-number search lists for a number.
QStringList Found(Database& db, const QString& rx) {
    SearchResultModel found;
    found.Start(RxNumberQuery(ParseRxNumber(rx), Engine::PostgreSql), db.Connection());
    QStringList tags;
    for (int i = 0; i < found.rowCount(); ++i)
        tags << found.RowTag(i);
    return tags;
}

} // namespace

class TstTwoStations : public QObject {
    Q_OBJECT
private slots:
    void bothScanAtOnce() {
        const ServerAddress server = FreshServerDatabase("tst_twostations");
        TestEnv shared; // the image folder and the interchange folder of the pharmacy
        const QString settings =
            QStringLiteral("[setup]\ndataPath=%1\nfilePath=%2\nScannerID=%3\nScanner=0\n"
                           "[database]\ndriver=postgresql\nhost=%4\nname=%5\nuser=%6\n");
        TestEnv homeA, homeB;
        StationProcess a(homeA, settings.arg(shared.imageFolder(), shared.interchangeFolder(), "A",
                                             server.host, server.name, server.user));
        StationProcess b(homeB, settings.arg(shared.imageFolder(), shared.interchangeFolder(), "B",
                                             server.host, server.name, server.user));
        QVERIFY(a.started() && b.started());
        WriteFile(shared.interchangeFolder() + "/AX0001.QLV", ThreeLines());
        WriteFile(shared.interchangeFolder() + "/BX0001.QLV",
                  Line("223", "01", "20060307", "Amoxicillin 500mg", "John", "Smyth") +
                      Line("224", "00", "20060308", "Ibuprofen 200mg", "Mary", "Jonas") +
                      Line("225", " 2", "20060309", "Lisinopril 10mg", "Ana", "Lopes"));
        const QStringList pages{"123_01.jpg", "124_00.jpg", "125_2.jpg",
                                "223_01.jpg", "224_00.jpg", "225_2.jpg"};
        QTRY_COMPARE_WITH_TIMEOUT(
            QDir(shared.imageFolder()).entryList({"*.jpg"}, QDir::Files, QDir::Name), pages, 90000);

        // Through the viewing search on the shared database: A's prescriptions beside
        // B's, each once, with its page.
        Database db(QStringLiteral("look"));
        db.OpenServer(server);
        for (const QString& page : pages) {
            const QString rx = page.section('_', 0, 0);
            QTRY_COMPARE_WITH_TIMEOUT(Found(db, rx), QStringList{page}, 30000);
        }
        SearchResultModel all;
        all.Start(PatientQuery(ParsePatient(","), Engine::PostgreSql), db.Connection());
        QCOMPARE(all.rowCount(), 6);
        QVERIFY(a.running() && b.running());
    }
};

QTEST_GUILESS_MAIN(TstTwoStations)
#include "tst_twostations.moc"
