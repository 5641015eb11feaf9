// The kept pages window of viewing mode: a page kept in Unmatched/ filed under the
// prescription selected in the viewing list (without an image, replacing one, against a
// label that names another prescription) or set aside; every action in the audit trail.
#include "base/FileSystem.h"
#include "common/ScriptedMessageBoxes.h"
#include "common/ViewRig.h"
#include "records/AuditTrail.h"
#include "records/PageChecks.h"
#include "station/ImageStore.h"
#include "station/KeptPages.h"

#include <QSqlQuery>

using namespace quiller;
using namespace quiller::test;

class TestKeptPages : public QObject, public ViewRig {
    Q_OBJECT

    // Keeps a page of `colour` in Unmatched/ as the station does, with its note.
    void Keep(const QColor& colour, const QString& why, const QString& label) {
        const QString staged = env->imageFolder() + "/staged.jpg";
        WritePicture(staged, colour);
        QVERIFY(ImageStore(SharedContext()).KeepUnmatched(staged, label, why, label).ok());
    }
    QStringList Files(const QString& sub) const {
        return QDir(env->imageFolder() + "/" + sub).entryList({"*.jpg"}, QDir::Files);
    }
    QStringList Audited(const QString& action) const {
        QStringList out;
        for (const AuditRow& row :
             AuditTrail::Read(SharedContext().DbConnection->Connection(), {}, {}, {}))
            if (row.action == action && !row.account.isEmpty())
                out << row.rxNbr + "-" + row.refNo + " " + row.outcome;
        return out;
    }
    KeptPagesView* Open() {
        window->cmdKept->click();
        return view->keptPages();
    }

private slots:
    void init() { SetUp(); }
    void cleanup() { TearDown(); }

    void fileUnderSelectedPrescription_data() {
        QTest::addColumn<QString>("rx");      // the viewing list's row chosen
        QTest::addColumn<QString>("label");   // read on the kept page
        QTest::addColumn<QString>("answers"); // to the questions, in turn
        QTest::addColumn<int>("questions");
        QTest::addColumn<bool>("filed");
        QTest::newRow("no image: filed directly") << QStringLiteral("128") << "128-01"
                                                  << "" << 0 << true;
        QTest::newRow("has an image: confirmed") << QStringLiteral("125") << "125-01"
                                                 << "Y" << 1 << true;
        QTest::newRow("has an image: refused") << QStringLiteral("125") << "125-01"
                                               << "N" << 1 << false;
        QTest::newRow("label of another: confirmed") << QStringLiteral("128") << "7014-00"
                                                     << "Y" << 1 << true;
        QTest::newRow("label of another: refused") << QStringLiteral("128") << "7014-00"
                                                   << "N" << 1 << false;
        QTest::newRow("label of another, has an image") << QStringLiteral("125") << "7014-00"
                                                        << "YY" << 2 << true;
    }
    void fileUnderSelectedPrescription() {
        QFETCH(QString, rx);
        QFETCH(QString, label);
        QFETCH(QString, answers);
        QFETCH(int, questions);
        QFETCH(bool, filed);
        Keep(kGreen, "label of another prescription: " + label, label);
        ScriptedMessageBoxes boxes;
        for (QChar a : answers)
            boxes.answer(a == 'Y' ? MsgAnswer::Yes : MsgAnswer::No);
        Search("Rx Number", rx);
        QCOMPARE(Listed(), QStringList{rx + "-01"});
        ClickRow(0);
        KeptPagesView* kept = Open();
        QVERIFY(kept && kept->isVisible());
        QCOMPARE(kept->List->topLevelItemCount(), 1);
        QCOMPARE(kept->List->topLevelItem(0)->text(1), label);
        QCOMPARE(kept->List->topLevelItem(0)->text(3), SharedContext().ScannerID);
        QVERIFY(kept->Preview->HasPicture());
        const bool hadImage = rx == "125";
        kept->cmdFile->click();
        QCOMPARE(boxes.count(), questions);
        const QString image = rx + "_01.jpg";
        const auto row = SharedContext().DbConnection->Find(rx, "01");
        QCOMPARE(row->RxImage, filed || hadImage ? image : QString());
        // Which page is where: the kept page (green) is the image once filed; the image
        // it replaced (blue) is in Replaced/; a page not filed stays kept.
        if (filed || hadImage) {
            QImage stored(SharedContext().ImagePath(image));
            QVERIFY(Near(stored.pixelColor(20, 15), filed ? kGreen : kBlue));
        }
        QCOMPARE(Files("Unmatched").size(), filed ? 0 : 1);
        QCOMPARE(kept->List->topLevelItemCount(), filed ? 0 : 1);
        QCOMPARE(Files("Replaced").size(), filed && hadImage ? 1 : 0);
        if (filed && hadImage)
            QVERIFY(Near(
                QImage(env->imageFolder() + "/Replaced/" + Files("Replaced")[0]).pixelColor(20, 15),
                kBlue));
        QCOMPARE(PageChecks::FiledOf(SharedContext().DbConnection->Connection(), {{rx, "01"}})
                     .value(PageChecks::Key(rx, "01")),
                 filed ? PageChecks::ByOperator() : QString());
        QCOMPARE(Audited("file kept page"), filed ? QStringList{rx + "-01 done"} : QStringList{});
        // The viewing list names the new image.
        QCOMPARE(view->search()->Model()->Row(0).RxImage, filed || hadImage ? image : QString());
    }

    // Set aside: moved to Discarded/ with its note, never erased; a page whose note was
    // lost is still listed by its name.
    void setAside() {
        Keep(kRed, "no label", "");
        QVERIFY(QFile::remove(
            ImageStore::NoteOf(env->imageFolder() + "/Unmatched/" + Files("Unmatched")[0])));
        ScriptedMessageBoxes boxes;
        boxes.answer(MsgAnswer::Yes);
        KeptPagesView* kept = Open();
        QCOMPARE(kept->List->topLevelItemCount(), 1);
        QCOMPARE(kept->List->topLevelItem(0)->text(0), "page"); // the name's hint
        const QByteArray bytes = ReadFile(env->imageFolder() + "/" + kept->Pages()[0].file);
        kept->cmdSetAside->click();
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(kept->List->topLevelItemCount(), 0);
        QCOMPARE(Files("Unmatched"), QStringList());
        QCOMPARE(Files("Discarded").size(), 1);
        QCOMPARE(ReadFile(env->imageFolder() + "/Discarded/" + Files("Discarded")[0]), bytes);
        QCOMPARE(Audited("set aside kept page"), QStringList{"- done"});
    }
};

QTEST_MAIN(TestKeptPages)
#include "tst_keptpages.moc"
