// The enlarged image window: size boxes, settings and printing to a PDF file.
#include "common/ScriptedMessageBoxes.h"
#include "common/TestEnv.h"
#include "gui/view/ShowPic.h"
#include "settings/SettingsStore.h"

#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
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

class TstShowPic : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        // The settings file's place is fixed for the whole process at its first use.
        env = std::make_unique<TestEnv>();
    }

    void cleanupTestCase() { env.reset(); }

    void init() {
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

    void cleanup() {
        delete window;
        frmShowPic::SetPrinterFactory(nullptr);
    }

    void validation_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("after");
        auto row = [](const char* name, const char* box, const char* typed, const char* after) {
            QTest::newRow(name) << QString(box) << QString(typed) << QString(after);
        };
        row("width letters", "txtWidth", "abc", "6000");
        row("height trailing letters", "txtHeight", "12px", "5500");
        row("fraction kept", "txtHeight", "2500.5", "2500.5");
    }

    void validation() {
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

    // A tall size on a wide picture: the picture is stretched to the typed size.
    void printsCaptionAndPicture() {
        const int widthTwips = 1440, heightTwips = 4320;
        ScriptedMessageBoxes boxes;
        Box("txtWidth")->setText(QString::number(widthTwips));
        Box("txtHeight")->setText(QString::number(heightTwips));
        Print();
        QCOMPARE(boxes.texts(), QStringList{"The image was sent to the printer."});
        QVERIFY(window); // the window stays open after printing

        SettingsStore store;
        QCOMPARE(store.Read(SettingsStore::Setup(), "picWidth"), QString::number(widthTwips));
        QCOMPARE(store.Read(SettingsStore::Setup(), "picHeight"), QString::number(heightTwips));

        // Where the printable area starts on this page, in points.
        const QRectF paint = PdfPrinter(pdfFile())->pageLayout().paintRect(QPageLayout::Point);

        // The caption: the window's title, on the first line.
        const QString text = Run("pdftotext", {"-layout", pdfFile(), "-"});
        QCOMPARE(text.trimmed().split('\n').constFirst().trimmed(),
                 QStringLiteral("Scanned Image for Prescription 123-01"));

        // The picture: 500 twips (25 points) right of and below the printable area's corner,
        // at the typed size (1 point = 20 twips), stretched.
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

    // A print saves the sizes, which a new window shows; Cancel unloads without saving.
    void printedSizesReloadAndCancelUnloads() {
        ScriptedMessageBoxes boxes;
        Box("txtWidth")->setText("5500");
        Box("txtHeight")->setText("6000");
        Print();
        Box("txtWidth")->setText("100");
        window->findChild<QPushButton*>("Command2")->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!window && !frmShowPic::Current());
        window = frmShowPic::Instance();
        QCOMPARE(frmShowPic::Instance(), window.data()); // one window at a time
        QCOMPARE(Box("txtWidth")->text(), QStringLiteral("5500"));
        QCOMPARE(Box("txtHeight")->text(), QStringLiteral("6000"));
    }

    void storedNonNumberCheckedBeforePrinting() {
        delete window;
        SettingsStore store;
        store.Write(SettingsStore::Setup(), "picWidth", "wide");
        store.Write(SettingsStore::Setup(), "picHeight", "-2000");
        window = new frmShowPic;
        QImage red(20, 20, QImage::Format_RGB32);
        red.fill(Qt::red);
        window->SetPicture(red);
        QCOMPARE(Box("txtWidth")->text(), QStringLiteral("wide")); // shown as stored
        ScriptedMessageBoxes boxes;
        Print();
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(store.Read(SettingsStore::Setup(), "picWidth"), QStringLiteral("6000"));
        QCOMPARE(store.Read(SettingsStore::Setup(), "picHeight"), QStringLiteral("-2000"));
    }

    void printFailureTold_data() {
        QTest::addColumn<bool>("noPrinter");
        QTest::newRow("no printer") << true;
        QTest::newRow("printer fails") << false;
    }

    void printFailureTold() {
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
        QVERIFY2(boxes.last().text.startsWith("The image could not be printed. ") &&
                     boxes.last().text.size() > 32,
                 qPrintable(boxes.last().text));
        QVERIFY(!QFile::exists(unwritable));
        // The sizes are saved all the same.
        QCOMPARE(SettingsStore().Read(SettingsStore::Setup(), "picWidth"), QStringLiteral("3000"));
    }

private:
    QLineEdit* Box(const char* name) const { return window->findChild<QLineEdit*>(name); }
    void Print() { window->findChild<QPushButton*>("Command1")->click(); }
    QString pdfFile() const { return env->home() + "/page.pdf"; }

    std::unique_ptr<TestEnv> env;
    QPointer<frmShowPic> window;
};

QTEST_MAIN(TstShowPic)
#include "tst_showpic.moc"
