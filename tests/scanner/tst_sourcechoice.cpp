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
        row("fujitsu", "Flatbed | ADF Front | ADF Back | ADF Duplex", "ADF Front", "Flatbed");
        row("fujitsu, duplex first", "ADF Duplex | ADF Back | ADF Front", "ADF Front", "");
        row("canon_dr", "ADF Duplex | ADF Front | ADF Back | Card Front | Card Back", "ADF Front",
            "");
        row("avision", "Normal | Transparency | ADF Front | ADF Back | ADF Duplex", "ADF Front",
            "Normal");
        row("escl", "Platen | ADF Duplex | ADF", "ADF", "Platen");
        row("brother",
            "FlatBed | Automatic Document Feeder(left aligned,Duplex) | Automatic Document "
            "Feeder(left aligned) | Automatic Document Feeder(centrally aligned)",
            "Automatic Document Feeder(left aligned)", "FlatBed");
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
        QTest::addColumn<bool>("convert");
        auto row = [](const char* name, const char* modes, int type, const char* mode,
                      bool convert = false) {
            QTest::newRow(name) << (*modes ? L(modes) : QStringList()) << type << QString(mode)
                                << convert;
        };
        const char* fujitsu = "Lineart | Halftone | Gray | Color";
        const char* brother =
            "Black & White | Gray[Error Diffusion] | True Gray | 24bit Color[Fast] | 24bit Color";
        row("fujitsu grey", fujitsu, 1, "Gray");
        row("fujitsu b/w", fujitsu, 0, "Lineart");
        row("fujitsu colour", fujitsu, 2, "Color");
        row("brother grey (not dithered)", brother, 1, "True Gray");
        row("brother b/w", brother, 0, "Black & White");
        row("brother colour", brother, 2, "24bit Color[Fast]");
        row("avision grey", "Lineart | Dithered | Gray | 12bit Gray | Color | 12bit Color", 1,
            "Gray");
        row("kodak grey", "Lineart | Halftone | Grayscale | Color", 1, "Grayscale");
        row("colour only: grey from colour", "Color", 1, "Color", true);
        row("grey only: b/w from grey", "Gray", 0, "Gray");
        row("no mode option", "", 1, "");
    }
    void modeUnderTheBackendsName() {
        QFETCH(QStringList, modes);
        QFETCH(int, pixelType);
        QFETCH(QString, mode);
        QFETCH(bool, convert);
        const ScanMode chosen = ModeFor(pixelType, modes);
        QCOMPARE(chosen.mode, mode);
        QCOMPARE(chosen.convertToGrey, convert);
    }
};

QTEST_GUILESS_MAIN(TestSourceChoice)
#include "tst_sourcechoice.moc"
