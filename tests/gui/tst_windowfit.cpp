// Every window shows its texts whole: in English, with texts 40 % longer as translations
// are, in Spanish, German and French (their formats and catalogues), and (run a second time with
// QT_SCALE_FACTOR=2) at double scaling; each window keeps its designed size where the texts fit in
// it.
#include "common/StationFixture.h"
#include "common/TextFit.h"
#include "gui/common/Twips.h"
#include "gui/help/frmAbout.h"
#include "gui/help/frmSupport.h"
#include "gui/main/Translations.h"
#include "gui/settings/frmConfiguration.h"
#include "gui/view/ShowPic.h"
#include "station/ImageStore.h"

#include <QtWidgets>

using namespace quiller;
using quiller::test::SharedContext;
using quiller::test::Station;

namespace {

// Lets the layouts follow changed texts, and the windows the sizes their layouts ask for.
void Settle() {
    for (int i = 0; i < 5; ++i)
        QTest::qWait(20);
}

// A language for the windows built from here on: its number and date formats and the
// catalogues the station loads for it (none for English).
struct Language {
    explicit Language(const QString& name) : translations(QLocale(name)) {
        if (name.isEmpty())
            return;
        QLocale::setDefault(QLocale(name));
        translations.Install();
    }
    ~Language() {
        translations.Remove();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }
    Translations translations;
};

} // namespace

class TstWindowFit : public QObject {
    Q_OBJECT

    std::unique_ptr<Station> s;

    // Shows a window as the operator sees it, with longer texts when asked, and fails
    // with the texts cut off.
    void check(QWidget* window, bool longTexts) {
        window->show();
        Settle();
        if (longTexts) {
            test::LengthenTexts(window);
            Settle();
        }
        const QStringList clipped = test::ClippedTexts(window);
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));
    }

private slots:
    void init() { s = std::make_unique<Station>(); }
    void cleanup() { s.reset(); }

    void windowsShowTheirTextsWhole_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("longTexts");
        QTest::addColumn<QString>("language");
        for (const char* window : {"configuration", "scanning", "viewing", "viewing by date",
                                   "kept pages", "enlarged image", "about", "support"}) {
            QTest::addRow("%s", window) << window << false << QString();
            QTest::addRow("%s, long texts", window) << window << true << QString();
            for (const char* language : {"es", "de", "fr"})
                QTest::addRow("%s, %s", window, language) << window << false << language;
        }
    }
    void windowsShowTheirTextsWhole() {
        QFETCH(QString, window);
        QFETCH(bool, longTexts);
        QFETCH(QString, language);
        const Language languageInUse(language);
        if (window == QLatin1String("configuration")) {
            s->script.sources = {QStringLiteral("Fujitsu fi-7160 Document Scanner (USB 2.0)"),
                                 QStringLiteral("Simulated Flatbed")};
            frmConfiguration dialog(SharedContext());
            dialog.Form_Load();
            check(&dialog, longTexts);
        } else if (window == QLatin1String("enlarged image")) {
            auto* pic = frmShowPic::Instance(nullptr);
            pic->SetPicture(QImage(1204, 1196, QImage::Format_RGB32));
            check(pic, longTexts);
            pic->close();
        } else if (window == QLatin1String("about")) {
            frmAbout about(nullptr);
            check(&about, longTexts);
        } else if (window == QLatin1String("support")) {
            frmSupport support({QStringLiteral("Pharmacy Systems Support Centre"),
                                QStringLiteral("1 Long Street Name"), QStringLiteral("Town"),
                                QStringLiteral("555 0100"), QStringLiteral("555 0101"),
                                QStringLiteral("help@example.org")});
            check(&support, longTexts);
        } else {
            s->open();
            frmMain* main = s->window.get();
            frmScan* scan = s->scan();
            // Long values: the lists scroll sideways rather than cut them.
            const QString drug = QStringLiteral("Hydroxychloroquine Sulfate 200mg Tablets");
            const QString first = QStringLiteral("Maximiliano-Alejandro");
            const QString last = QStringLiteral("Fern\u00e1ndez-Castellanos de la Vega");
            new QTreeWidgetItem(scan->ListView1,
                                {"1234567", "12/07/2026", drug, last + ", " + first,
                                 QStringLiteral("label read: 1234567-00")});
            if (window != QLatin1String("scanning")) {
                QList<test::FixtureRow> rows = test::FixtureRows();
                rows.removeIf([](const test::FixtureRow& r) { return r.RxImage.isNull(); });
                rows.append({"1234567", "00", "2026-12-07", drug, first, last, "1234567_00.jpg"});
                test::InsertRows(*SharedContext().DbConnection, rows);
                main->Command1_Click(1);
                scan->Combo2->setCurrentIndex(1); // patient
                scan->Text1->setText(QStringLiteral(","));
                QMetaObject::invokeMethod(scan->Text1, "returnPressed");
                QTRY_VERIFY(scan->ListView2->model() && scan->ListView2->model()->rowCount() > 0);
            }
            if (window == QLatin1String("viewing by date")) {
                scan->Combo2->setCurrentIndex(2); // date
                QMetaObject::invokeMethod(scan->Combo2, "activated", Q_ARG(int, 2));
                QVERIFY(scan->DTPicker1[0]->isVisibleTo(scan));
            }
            if (window == QLatin1String("kept pages")) {
                const QString staged = SharedContext().dataPath + "/staged.jpg";
                QVERIFY(QImage(40, 60, QImage::Format_RGB32).save(staged));
                QVERIFY(ImageStore(SharedContext())
                            .KeepUnmatched(staged, {}, "label of another prescription: " + drug,
                                           "1234567-00")
                            .ok());
                scan->cmdKept->click();
                const QWidgetList windows = QApplication::topLevelWidgets();
                const auto kept = std::find_if(windows.begin(), windows.end(), [](QWidget* w) {
                    return w->objectName() == "frmKeptPages" && w->isVisible();
                });
                QVERIFY(kept != windows.end());
                check(*kept, longTexts);
                return;
            }
            check(main, longTexts);
        }
    }

    // The windows keep their designed sizes where the texts fit in them, and their
    // arrangement: labels left of their fields, buttons right of them, OK under them.
    void designedSizesAndArrangementKept() {
        frmConfiguration dialog(SharedContext());
        dialog.show();
        Settle();
        const QSize design(Twips(6135, &dialog), Twips(4200, &dialog));
        QCOMPARE(dialog.size(), design.expandedTo(dialog.minimumSizeHint()));
        QVERIFY2(dialog.width() < design.width() * 11 / 10, "grown by more than a tenth");
        auto leftOf = [](QWidget* a, QWidget* b) {
            return a->geometry().right() < b->geometry().left() &&
                   a->geometry().top() < b->geometry().bottom() &&
                   b->geometry().top() < a->geometry().bottom();
        };
        for (int i = 0; i < 4; ++i)
            QVERIFY(leftOf(dialog.Labels[i], dialog.Labels[i]->buddy()));
        QVERIFY(leftOf(dialog.Combo1, dialog.cmdRefresh));
        QVERIFY(leftOf(dialog.Text1, dialog.Command1[0]));
        QVERIFY(leftOf(dialog.txtFilePath, dialog.Command1[1]));
        QVERIFY(leftOf(dialog.Text2, dialog.txtDatabase));
        QVERIFY(leftOf(dialog.Command2[0], dialog.Command2[1]));
        QVERIFY(dialog.Command2[0]->y() > dialog.Text2->geometry().bottom());

        auto* pic = frmShowPic::Instance(nullptr);
        pic->show();
        Settle();
        QCOMPARE(pic->size(), QSize(Twips(6855, pic), Twips(6450, pic)));
        pic->close();
        s->open();
        QCOMPARE(s->scan()->height(), Twips(frmScan::kDesignHeight, s->scan()));
    }
};

QTEST_MAIN(TstWindowFit)
#include "tst_windowfit.moc"
