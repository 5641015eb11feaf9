// The enlarged image window: layout, size boxes, settings and printing to a PDF file.
#include "common/ScriptedMessageBoxes.h"
#include "common/TestEnv.h"
#include "gui/common/Twips.h"
#include "gui/view/ShowPic.h"
#include "settings/SettingsStore.h"

#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

using namespace quiller;
using namespace quiller::test;

namespace {

QString Run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QStringLiteral("<%1 failed: %2>")
            .arg(program, QString::fromLocal8Bit(p.readAllStandardError()));
    return QString::fromUtf8(p.readAllStandardOutput());
}

std::unique_ptr<QPrinter> PdfPrinter(const QString& file) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(file);
    return printer;
}

// The bounding box, in pixels, of the strongly red pixels of a rendered page.
QRect RedBox(const QImage& page) {
    QRect box;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            if (c.red() > 180 && c.green() < 90 && c.blue() < 90)
                box |= QRect(x, y, 1, 1);
        }
    return box;
}

} // namespace

class TestShowPic : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void layout();
    void validation_data();
    void validation();
    void printsCaptionAndPicture_data();
    void printsCaptionAndPicture();
    void nonNumberTypedPrintsDefault();
    void sizesReloadInNewWindow();
    void storedNonNumberCheckedBeforePrinting();
    void printFailureTold_data();
    void printFailureTold();
    void cancelUnloads();

private:
    QLineEdit* Box(const char* name) const { return window->findChild<QLineEdit*>(name); }
    void Print() { window->findChild<QPushButton*>("Command1")->click(); }
    QString pdfFile() const { return env->home() + "/page.pdf"; }

    std::unique_ptr<TestEnv> env;
    QPointer<frmShowPic> window;
};

void TestShowPic::initTestCase() {
    // The settings file's place is fixed for the whole process at its first use.
    env = std::make_unique<TestEnv>();
}

void TestShowPic::cleanupTestCase() {
    env.reset();
}

void TestShowPic::init() {
    SettingsStore store; // no sizes stored yet (an empty value reads as missing)
    store.Write(SettingsStore::Setup(), "picWidth", QString());
    store.Write(SettingsStore::Setup(), "picHeight", QString());
    QFile::remove(pdfFile());
    frmShowPic::SetPrinterFactory([this] { return PdfPrinter(pdfFile()); });
    window = new frmShowPic;
    QImage red(200, 100, QImage::Format_RGB32);
    red.fill(QColor(230, 0, 0));
    window->SetPicture(red);
    window->setWindowTitle("Scanned Image for Prescription 123-01");
}

void TestShowPic::cleanup() {
    delete window;
    frmShowPic::SetPrinterFactory(nullptr);
}

void TestShowPic::layout() {
    delete window;
    window = frmShowPic::Instance();
    QCOMPARE(frmShowPic::Current(), window.data());
    QCOMPARE(frmShowPic::Instance(), window.data());
    QCOMPARE(window->windowTitle(), QStringLiteral("Scanned Image for Prescription"));
    QCOMPARE(window->size(), QSize(Twips(6855, window), Twips(6450, window)));
    struct Expect {
        const char* name;
        QString text;
        QRect twips;
    };
    const QList<Expect> controls = {
        {"Image1", QString(), QRect(120, 120, 6495, 5655)},
        {"Label1", "Height", QRect(120, 6000, 495, 255)},
        {"txtHeight", "5500", QRect(720, 6000, 495, 285)},
        {"Label2", "Width", QRect(1320, 6000, 495, 255)},
        {"txtWidth", "6000", QRect(1920, 6000, 495, 285)},
        {"Command1", "&Print", QRect(4440, 6000, 1095, 375)},
        {"Command2", "&Cancel", QRect(5640, 6000, 975, 375)},
    };
    for (const Expect& e : controls) {
        QWidget* w = window->findChild<QWidget*>(e.name);
        QVERIFY2(w, e.name);
        const QRect& t = e.twips;
        QCOMPARE(w->geometry(), QRect(Twips(t.x(), w), Twips(t.y(), w), Twips(t.width(), w),
                                      Twips(t.height(), w)));
        if (auto* label = qobject_cast<QLabel*>(w))
            QCOMPARE(label->text(), e.text);
        if (auto* box = qobject_cast<QLineEdit*>(w))
            QCOMPARE(box->text(), e.text);
        if (auto* button = qobject_cast<QPushButton*>(w))
            QCOMPARE(button->text(), e.text);
    }
}

void TestShowPic::validation_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after");
    QTest::newRow("width letters") << "txtWidth"
                                   << "abc"
                                   << "6000";
    QTest::newRow("width empty") << "txtWidth"
                                 << ""
                                 << "6000";
    QTest::newRow("height empty") << "txtHeight"
                                  << ""
                                  << "5500";
    QTest::newRow("height trailing letters") << "txtHeight"
                                             << "12px"
                                             << "5500";
    QTest::newRow("negative kept") << "txtWidth"
                                   << "-300"
                                   << "-300";
    QTest::newRow("fraction kept") << "txtHeight"
                                   << "2500.5"
                                   << "2500.5";
    QTest::newRow("zero kept") << "txtWidth"
                               << "0"
                               << "0";
    QTest::newRow("blanks kept") << "txtHeight"
                                 << " 700 "
                                 << " 700 ";
}

void TestShowPic::validation() {
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, after);
    QLineEdit* edit = Box(qPrintable(box));
    QLineEdit* other = Box(box == "txtWidth" ? "txtHeight" : "txtWidth");
    const QString otherText = other->text();
    edit->setText(typed);
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(edit, &leave);
    QCOMPARE(edit->text(), after);
    QCOMPARE(other->text(), otherText);
}

void TestShowPic::printsCaptionAndPicture_data() {
    QTest::addColumn<int>("widthTwips");
    QTest::addColumn<int>("heightTwips");
    QTest::newRow("two by one inch") << 2880 << 1440;
    QTest::newRow("tall") << 1440 << 4320;
}

void TestShowPic::printsCaptionAndPicture() {
    QFETCH(int, widthTwips);
    QFETCH(int, heightTwips);
    ScriptedMessageBoxes boxes;
    Box("txtWidth")->setText(QString::number(widthTwips));
    Box("txtHeight")->setText(QString::number(heightTwips));
    Print();
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.last().text, QStringLiteral("The image was sent to printer,"));
    QCOMPARE(boxes.last().icon, MsgIcon::Information);
    QCOMPARE(boxes.last().buttons, MsgButtons::Ok);
    QVERIFY(window); // the window stays open after printing
    QVERIFY(QFile::exists(pdfFile()));

    SettingsStore store;
    QCOMPARE(store.Read(SettingsStore::Setup(), "picWidth"), QString::number(widthTwips));
    QCOMPARE(store.Read(SettingsStore::Setup(), "picHeight"), QString::number(heightTwips));

    // Where the printable area starts on this page, in points.
    const QRectF paint = PdfPrinter(pdfFile())->pageLayout().paintRect(QPageLayout::Point);

    // The caption: one line at the top left of the printable area.
    const QString text = Run("pdftotext", {"-layout", pdfFile(), "-"});
    QCOMPARE(text.trimmed().split('\n').constFirst().trimmed(),
             QStringLiteral("Scanned Image for Prescription 123-01"));
    const QString bbox = Run("pdftotext", {"-bbox", pdfFile(), "-"});
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>Scanned</word>"));
    const QRegularExpressionMatch m = word.match(bbox);
    QVERIFY2(m.hasMatch(), qPrintable(bbox));
    QVERIFY(std::abs(m.captured(1).toDouble() - paint.left()) < 3);
    QVERIFY(std::abs(m.captured(2).toDouble() - paint.top()) < 4);

    // The picture: 500 twips (25 points) right of and below that corner, at the typed
    // size (1 point = 20 twips), stretched.
    const QString prefix = env->home() + "/page";
    QVERIFY(Run("pdftoppm", {"-r", "72", "-png", "-singlefile", pdfFile(), prefix}).isEmpty());
    const QImage page(prefix + ".png");
    QVERIFY(!page.isNull());
    const QRect red = RedBox(page);
    QVERIFY(red.isValid());
    const auto near = [](double a, double b) {
        return std::abs(a - b) <= 2.0;
    };
    QVERIFY2(near(red.left(), paint.left() + 25) && near(red.top(), paint.top() + 25),
             qPrintable(QStringLiteral("%1,%2").arg(red.left()).arg(red.top())));
    QVERIFY2(near(red.width(), widthTwips / 20.0) && near(red.height(), heightTwips / 20.0),
             qPrintable(QStringLiteral("%1x%2").arg(red.width()).arg(red.height())));
}

void TestShowPic::nonNumberTypedPrintsDefault() {
    ScriptedMessageBoxes boxes;
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QLineEdit* width = Box("txtWidth");
    width->setFocus();
    width->selectAll();
    QTest::keyClicks(width, "abc");
    QCOMPARE(width->text(), QStringLiteral("abc"));
    QTest::mouseClick(window->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    QCOMPARE(width->text(), QStringLiteral("6000"));
    QCOMPARE(SettingsStore().Read(SettingsStore::Setup(), "picWidth"), QStringLiteral("6000"));
    QCOMPARE(boxes.texts(), QStringList{"The image was sent to printer,"});
    const QString prefix = env->home() + "/default";
    Run("pdftoppm", {"-r", "72", "-png", "-singlefile", pdfFile(), prefix});
    const QRect red = RedBox(QImage(prefix + ".png"));
    QVERIFY2(std::abs(red.width() - 300) <= 2 && std::abs(red.height() - 275) <= 2,
             qPrintable(QStringLiteral("%1x%2").arg(red.width()).arg(red.height())));
}

void TestShowPic::sizesReloadInNewWindow() {
    ScriptedMessageBoxes boxes;
    Box("txtWidth")->setText("5500");
    Box("txtHeight")->setText("6000");
    Print();
    Box("txtWidth")->setText("100"); // not saved: only a print saves
    window->findChild<QPushButton*>("Command2")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!window);
    window = frmShowPic::Instance();
    QCOMPARE(Box("txtWidth")->text(), QStringLiteral("5500"));
    QCOMPARE(Box("txtHeight")->text(), QStringLiteral("6000"));
}

void TestShowPic::storedNonNumberCheckedBeforePrinting() {
    delete window;
    SettingsStore store;
    store.Write(SettingsStore::Setup(), "picWidth", "wide");
    store.Write(SettingsStore::Setup(), "picHeight", "-2000");
    window = new frmShowPic;
    QImage red(20, 20, QImage::Format_RGB32);
    red.fill(Qt::red);
    window->SetPicture(red);
    // Shown as stored.
    QCOMPARE(Box("txtWidth")->text(), QStringLiteral("wide"));
    QCOMPARE(Box("txtHeight")->text(), QStringLiteral("-2000"));
    ScriptedMessageBoxes boxes;
    Print();
    QCOMPARE(boxes.texts(), QStringList{"The image was sent to printer,"});
    QCOMPARE(store.Read(SettingsStore::Setup(), "picWidth"), QStringLiteral("6000"));
    QCOMPARE(store.Read(SettingsStore::Setup(), "picHeight"), QStringLiteral("-2000"));
}

void TestShowPic::printFailureTold_data() {
    QTest::addColumn<bool>("noPrinter");
    QTest::newRow("no printer") << true;
    QTest::newRow("printer fails") << false;
}

void TestShowPic::printFailureTold() {
    QFETCH(bool, noPrinter);
    const QString unwritable = env->home() + "/no-such-folder/page.pdf";
    frmShowPic::SetPrinterFactory([&]() -> std::unique_ptr<QPrinter> {
        if (noPrinter)
            return nullptr;
        return PdfPrinter(unwritable);
    });
    ScriptedMessageBoxes boxes;
    Box("txtWidth")->setText("3000");
    Print();
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.last().icon, MsgIcon::Critical);
    QVERIFY2(boxes.last().text.startsWith("The image could not be printed. "),
             qPrintable(boxes.last().text));
    QVERIFY(boxes.last().text.size() > QString("The image could not be printed. ").size());
    QVERIFY(!QFile::exists(unwritable));
    // The sizes are saved all the same.
    QCOMPARE(SettingsStore().Read(SettingsStore::Setup(), "picWidth"), QStringLiteral("3000"));
}

void TestShowPic::cancelUnloads() {
    Box("txtWidth")->setText("1234");
    window->findChild<QPushButton*>("Command2")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!window);
    QVERIFY(!frmShowPic::Current());
    QCOMPARE(SettingsStore().Read(SettingsStore::Setup(), "picWidth"), QString());
}

QTEST_MAIN(TestShowPic)
#include "tst_showpic.moc"
