// The feeder source, the flatbed and the scan mode chosen from the strings real SANE
// backends offer (their option lists as the backends publish them).
#include "scanner/SourceChoice.h"

#include <QtTest>

using namespace quiller;

namespace {
// The list written "a | b | c".
QStringList L(const char* joined) {
    return QString::fromUtf8(joined).split(QStringLiteral(" | "));
}
} // namespace

class TestSourceChoice : public QObject {
    Q_OBJECT
private slots:
    void feederIsTheSimplexOne_data() {
        QTest::addColumn<QStringList>("sources");
        QTest::addColumn<QString>("feeder");
        QTest::addColumn<QString>("flatbed");
        auto row = [](const char* name, const char* sources, const char* feeder,
                      const char* flatbed) {
            QTest::newRow(name) << L(sources) << QString(feeder) << QString(flatbed);
        };
        row("pixma", "Flatbed | Automatic Document Feeder | ADF Duplex",
            "Automatic Document Feeder", "Flatbed");
        row("fujitsu, duplex first", "ADF Duplex | ADF Back | ADF Front", "ADF Front", "");
        row("avision", "Normal | Transparency | ADF Front | ADF Back | ADF Duplex", "ADF Front",
            "Normal");
        row("simplex named, lower case", "adf simplex | adf duplex", "adf simplex", "");
        row("flatbed only", "Flatbed", "", "Flatbed");
        row("duplex only", "ADF Duplex", "", "");
    }
    void feederIsTheSimplexOne() {
        QFETCH(QStringList, sources);
        QFETCH(QString, feeder);
        QFETCH(QString, flatbed);
        QCOMPARE(FeederSource(sources), feeder);
        QCOMPARE(FlatbedSource(sources), flatbed);
    }

    void modeUnderTheBackendsName_data() {
        QTest::addColumn<QStringList>("modes");
        QTest::addColumn<int>("pixelType");
        QTest::addColumn<QString>("mode");
        auto row = [](const char* name, const char* modes, int type, const char* mode) {
            QTest::newRow(name) << (*modes ? L(modes) : QStringList()) << type << QString(mode);
        };
        const char* fujitsu = "Lineart | Halftone | Gray | Color";
        const char* brother =
            "Black & White | Gray[Error Diffusion] | True Gray | 24bit Color[Fast] | 24bit Color";
        row("fujitsu b/w", fujitsu, 0, "Lineart");
        row("fujitsu colour", fujitsu, 2, "Color");
        row("brother b/w", brother, 0, "Black & White");
        row("brother colour", brother, 2, "24bit Color[Fast]");
        row("avision grey", "Lineart | Dithered | Gray | 12bit Gray | Color | 12bit Color", 1,
            "Gray");
        row("kodak grey", "Lineart | Halftone | Grayscale | Color", 1, "Grayscale");
        row("grey only: b/w from grey", "Gray", 0, "Gray");
        row("no mode option", "", 1, "");
    }
    void modeUnderTheBackendsName() {
        QFETCH(QStringList, modes);
        QFETCH(int, pixelType);
        QFETCH(QString, mode);
        const ScanMode chosen = ModeFor(pixelType, modes);
        QCOMPARE(chosen.mode, mode);
        QVERIFY(!chosen.convertToGrey); // offered modes are used as they are
    }
};

QTEST_GUILESS_MAIN(TestSourceChoice)
#include "tst_sourcechoice.moc"
