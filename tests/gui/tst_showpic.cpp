// The enlarged image window: a printed copy of the stored image, to a PDF file and
// through a CUPS queue, and its preview.
#include "common/ScriptedMessageBoxes.h"
#include "common/TestEnv.h"
#include "gui/view/ShowPic.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QtTest>

using namespace quiller;
using namespace quiller::test;

namespace {

QString Run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QStringLiteral("<%1 failed: %2>")
            .arg(program, QString::fromLocal8Bit(p.readAllStandardError()));
    return QString::fromUtf8(p.readAllStandardOutput());
}

// A field of pdfinfo's report ("Pages", "Title").
QString PdfInfo(const QString& file, const QString& field) {
    for (const QString& line : Run("pdfinfo", {file}).split('\n'))
        if (line.startsWith(field + ':'))
            return line.mid(field.size() + 1).trimmed();
    return QString();
}

std::unique_ptr<QPrinter> PdfPrinter(const QString& file, int copies = 1) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(file);
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setCopyCount(copies);
    return printer;
}

// The bounding box, in pixels, of the strongly red pixels of a rendered page.
QRect RedBox(const QImage& page) {
    QRect box;
    for (int y = 0; y < page.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(page.constScanLine(y));
        for (int x = 0; x < page.width(); ++x)
            if (qRed(line[x]) > 180 && qGreen(line[x]) < 90 && qBlue(line[x]) < 90)
                box |= QRect(x, y, 1, 1);
    }
    return box;
}

// A red picture framed in black, so that any clipping or stretching shows.
QImage Scan(int width, int height, int dpi) {
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(QColor(230, 0, 0));
    if (dpi > 0) {
        picture.setDotsPerMeterX(qRound(dpi / 0.0254));
        picture.setDotsPerMeterY(qRound(dpi / 0.0254));
    }
    return picture;
}

CopyDetails Details() {
    return {"4711",       "2",           "Renée Müller", "IBUPROFEN 400MG   ",
            "08.11.2006", "B - counter", QDateTime()};
}

} // namespace

class TstShowPic : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { env = std::make_unique<TestEnv>(); }
    void cleanupTestCase() { env.reset(); }

    void init() {
        QFile::remove(pdfFile());
        copiesAsked = 1;
        frmShowPic::SetPrinterFactory([this] { return PdfPrinter(pdfFile(), copiesAsked); });
        window = new frmShowPic;
        window->SetCopyDetails(Details());
        recorded.clear();
        window->SetPrintRecorder([this](const QString& detail, const QString& outcome) {
            recorded << detail + " / " + outcome;
        });
    }

    void cleanup() {
        delete window;
        frmShowPic::SetPrinterFactory(nullptr);
    }

    // Each copy is a page; the picture keeps its shape at the size it was scanned at,
    // or is scaled down whole when the page is too small; the caption names the
    // prescription and says it is a copy.
    void printsTrueSizeCopies_data() {
        QTest::addColumn<QSize>("pixels");
        QTest::addColumn<int>("dpi"); // 0: the file tells none
        QTest::addColumn<int>("copies");
        QTest::addColumn<bool>("fits");
        QTest::newRow("page at 200 dpi, 2 copies") << QSize(1204, 1196) << 200 << 2 << true;
        QTest::newRow("slip at 300 dpi") << QSize(900, 1500) << 300 << 1 << true;
        QTest::newRow("no density: 200 dpi") << QSize(1204, 600) << 0 << 3 << true;
        QTest::newRow("too wide: scaled down") << QSize(3000, 1000) << 200 << 1 << false;
        QTest::newRow("too tall: scaled down") << QSize(1000, 3000) << 200 << 2 << false;
    }
    void printsTrueSizeCopies() {
        QFETCH(QSize, pixels);
        QFETCH(int, dpi);
        QFETCH(int, copies);
        QFETCH(bool, fits);
        copiesAsked = copies;
        window->SetPicture(Scan(pixels.width(), pixels.height(), dpi));
        ScriptedMessageBoxes boxes;
        window->findChild<QPushButton*>("Command1")->click();
        QCOMPARE(boxes.texts(), QStringList{"The image was saved as " + pdfFile() + "."});
        QVERIFY(window); // the window stays open after printing
        QCOMPARE(recorded,
                 QStringList{QString("printer %1, %2 copies / done").arg(pdfFile()).arg(copies)});

        QCOMPARE(PdfInfo(pdfFile(), "Pages"), QString::number(copies));
        QCOMPARE(PdfInfo(pdfFile(), "Title"), QStringLiteral("Rx 4711-02"));
        CheckCaption(Run("pdftotext", {"-layout", pdfFile(), "-"}), copies);
        CheckPicture(pdfFile(), pixels, dpi > 0 ? dpi : 200, fits);
    }

    void printFailureTold_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("no printer") << "none";
        QTest::newRow("printer fails") << "unwritable";
        QTest::newRow("PDF output without a file") << "no file";
    }
    void printFailureTold() {
        QFETCH(QString, how);
        const QString unwritable = env->home() + "/no-such-folder/page.pdf";
        frmShowPic::SetPrinterFactory([&]() -> std::unique_ptr<QPrinter> {
            if (how == "none")
                return nullptr;
            return PdfPrinter(how == "unwritable" ? unwritable : QString());
        });
        window->SetPicture(Scan(100, 100, 200));
        ScriptedMessageBoxes boxes;
        window->findChild<QPushButton*>("Command1")->click();
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().icon, MsgIcon::Critical);
        QVERIFY2(boxes.last().text.startsWith("The image could not be printed. ") &&
                     boxes.last().text.size() > 32,
                 qPrintable(boxes.last().text));
        QVERIFY(!QFile::exists(unwritable));
        QCOMPARE(recorded.size(), 1);
        QVERIFY2(recorded.first().contains(" / failed: "), qPrintable(recorded.first()));
    }

    // The preview shows the pages the print would make, titled after the prescription;
    // printing from there is a print like any other.
    void previewShowsEveryCopy() {
        copiesAsked = 3;
        window->SetPicture(Scan(1204, 1196, 200));
        window->show();
        window->findChild<QPushButton*>("Command3")->click();
        auto* dialog = window->findChild<QPrintPreviewDialog*>("printPreview");
        QVERIFY(dialog);
        QTRY_VERIFY(dialog->isVisible());
        auto* pages = dialog->findChild<QPrintPreviewWidget*>();
        QVERIFY(pages);
        QTRY_COMPARE(pages->pageCount(), 3);
        QVERIFY(dialog->windowTitle().contains("Rx 4711-02"));
        QCOMPARE(dialog->printer()->docName(), QStringLiteral("Rx 4711-02"));
        QVERIFY(recorded.isEmpty()); // looking is not printing
        QVERIFY(!QFile::exists(pdfFile()));

        // Printing from the preview goes through its print dialog and is recorded.
        QAction* print = nullptr;
        for (QAction* action : dialog->findChildren<QAction*>())
            if (action->text().remove('&') == "Print")
                print = action;
        QVERIFY(print);
        bool asked = false;
        QTimer::singleShot(0, [&] {
            if (auto* printDialog =
                    qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) {
                asked = true;
                printDialog->accept();
            }
        });
        print->trigger();
        QVERIFY(asked);
        QCOMPARE(PdfInfo(pdfFile(), "Pages"), QStringLiteral("3"));
        QCOMPARE(recorded, QStringList{"printer " + pdfFile() + ", 3 copies / done"});
    }

    // A real print queue: the job reaches CUPS with its title and every copy. Run with
    // the throwaway server of tests/cupsqueue (the test's _cups run).
    void printsThroughCupsQueue() {
        const QString queue = qEnvironmentVariable("QUILLER_TEST_CUPS_QUEUE");
        const QString out = qEnvironmentVariable("QUILLER_TEST_CUPS_OUT");
        if (queue.isEmpty() || out.isEmpty())
            QSKIP("runs in tst_showpic_cups, on the test print server");
        frmShowPic::SetPrinterFactory([&] {
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setPrinterName(queue);
            printer->setPageSize(QPageSize(QPageSize::A4));
            printer->setCopyCount(2);
            return printer;
        });
        window->SetPicture(Scan(1204, 1196, 200));
        ScriptedMessageBoxes boxes;
        window->findChild<QPushButton*>("Command1")->click();
        QCOMPARE(boxes.texts(), QStringList{"The image was sent to the printer " + queue + "."});
        QCOMPARE(recorded, QStringList{"printer " + queue + ", 2 copies / done"});

        // cups-pdf names its file after the job's title and writes it when the job ends.
        QString file;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                const QStringList found = QDir(out).entryList({"*.pdf"}, QDir::Files);
                file = found.isEmpty() ? QString() : out + '/' + found.first();
                return found.size() == 1 && found.first().startsWith("Rx_4711-02") &&
                       PdfInfo(file, "Pages") == "2";
            }(),
            180000);
        // cups-pdf copies the job's PostScript title string, parentheses included.
        QCOMPARE(PdfInfo(file, "Title"), QStringLiteral("(Rx 4711-02)"));
        // Its PostScript round trip loses the fonts' text mapping: the caption is read
        // from the document the queue was given.
        const QString spool = out + "/../spool";
        const QStringList documents = QDir(spool).entryList({"d*-001"}, QDir::Files);
        QCOMPARE(documents.size(), 1);
        CheckCaption(Run("pdftotext", {"-layout", spool + '/' + documents.first(), "-"}), 2);
        CheckPicture(file, QSize(1204, 1196), 200, true);
    }

private:
    static void CheckCaption(const QString& extracted, int copies) {
        // The fonts' ligatures ("fi") come back as one character.
        const QString text = extracted.normalized(QString::NormalizationForm_KC);
        for (const char* field :
             {"Rx-refill: 4711-02", "Patient: Renée Müller", "Drug: IBUPROFEN 400MG",
              "Fill date: 08.11.2006", "Station: B - counter",
              "Printed: ", "Copy of a stored prescription image"})
            QVERIFY2(text.count(QString::fromUtf8(field)) == copies,
                     qPrintable(QString::fromUtf8(field) + " in:\n" + text));
        const QString today = QLocale().toString(QDate::currentDate(), QLocale::LongFormat);
        QVERIFY2(text.contains(today), qPrintable(today));
    }

    // The picture's box on the first page, rendered at 200 dpi.
    void CheckPicture(const QString& file, QSize pixels, int dpi, bool fits) {
        const int render = 200;
        const QString prefix = env->home() + "/page";
        QFile::remove(prefix + ".png");
        QVERIFY(
            Run("pdftoppm", {"-r", QString::number(render), "-png", "-singlefile", file, prefix})
                .isEmpty());
        const QImage page = QImage(prefix + ".png").convertToFormat(QImage::Format_RGB32);
        QVERIFY(!page.isNull());
        const QRect red = RedBox(page);
        QVERIFY(red.isValid());
        const double aspect = double(pixels.width()) / pixels.height();
        const double printed = double(red.width()) / red.height();
        QVERIFY2(std::abs(printed / aspect - 1) <= 0.005,
                 qPrintable(QStringLiteral("%1x%2").arg(red.width()).arg(red.height())));
        const double trueWidth = pixels.width() * double(render) / dpi;
        const double trueHeight = pixels.height() * double(render) / dpi;
        if (fits) {
            QVERIFY2(std::abs(red.width() - trueWidth) <= 2 &&
                         std::abs(red.height() - trueHeight) <= 2,
                     qPrintable(QString::asprintf("%dx%d for %gx%g", red.width(), red.height(),
                                                  trueWidth, trueHeight)));
        } else {
            // Scaled down whole, and wholly on the page.
            QVERIFY(red.width() < trueWidth && red.height() < trueHeight);
            QVERIFY(QRect(QPoint(0, 0), page.size()).contains(red));
            QVERIFY(red.height() < page.height() * 0.9); // room left for the caption
        }
    }

    QString pdfFile() const { return env->home() + "/page.pdf"; }

    std::unique_ptr<TestEnv> env;
    QPointer<frmShowPic> window;
    QStringList recorded;
    int copiesAsked = 1;
};

QTEST_MAIN(TstShowPic)
#include "tst_showpic.moc"
