// The feeder source, the flatbed and the scan mode chosen from the strings real SANE
// backends offer (their option lists as the backends publish them).
#include "scanner/SourceChoice.h"

#include <QtTest>

using namespace quiller;

namespace {
QStringList L(const char* joined) {
    QStringList list;
    for (const QString& s : QString::fromUtf8(joined).split(QLatin1Char('|')))
        list << s.trimmed();
    return list;
}
} // namespace

class TestSourceChoice : public QObject {
    Q_OBJECT
private slots:
    void feederIsTheSimplexOne_data() {
        QTest::addColumn<QStringList>("sources");
        QTest::addColumn<QString>("feeder");
        QTest::addColumn<QString>("flatbed");
        QTest::newRow("pixma") << L("Flatbed | Automatic Document Feeder | ADF Duplex")
                               << "Automatic Document Feeder"
                               << "Flatbed";
        QTest::newRow("fujitsu") << L("Flatbed | ADF Front | ADF Back | ADF Duplex") << "ADF Front"
                                 << "Flatbed";
        QTest::newRow("fujitsu, duplex listed first")
            << L("ADF Duplex | ADF Back | ADF Front") << "ADF Front"
            << "";
        QTest::newRow("canon_dr") << L("ADF Duplex | ADF Front | ADF Back | Card Front | Card Back")
                                  << "ADF Front"
                                  << "";
        QTest::newRow("epsonds") << L("Flatbed | ADF Front | ADF Duplex") << "ADF Front"
                                 << "Flatbed";
        QTest::newRow("avision") << L("Normal | Transparency | ADF Front | ADF Back | ADF Duplex")
                                 << "ADF Front"
                                 << "Normal";
        QTest::newRow("airscan") << L("Flatbed | ADF | ADF Duplex") << "ADF"
                                 << "Flatbed";
        QTest::newRow("escl") << L("Platen | ADF Duplex | ADF") << "ADF"
                              << "Platen";
        QTest::newRow("brother")
            << L("FlatBed | Automatic Document Feeder(left aligned,Duplex) | Automatic Document "
                 "Feeder(left aligned) | Automatic Document Feeder(centrally aligned)")
            << "Automatic Document Feeder(left aligned)"
            << "FlatBed";
        QTest::newRow("simplex named, lower case") << L("adf simplex | adf duplex") << "adf simplex"
                                                   << "";
        QTest::newRow("flatbed only") << L("Flatbed") << ""
                                      << "Flatbed";
        QTest::newRow("duplex only") << L("ADF Duplex") << ""
                                     << "";
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
        const QStringList fujitsu = L("Lineart | Halftone | Gray | Color");
        const QStringList brother = L(
            "Black & White | Gray[Error Diffusion] | True Gray | 24bit Color[Fast] | 24bit Color");
        const QStringList avision =
            L("Lineart | Dithered | Gray | 12bit Gray | Color | 12bit Color");
        QTest::newRow("fujitsu grey") << fujitsu << 1 << "Gray" << false;
        QTest::newRow("fujitsu b/w") << fujitsu << 0 << "Lineart" << false;
        QTest::newRow("fujitsu colour") << fujitsu << 2 << "Color" << false;
        QTest::newRow("brother grey (not dithered)") << brother << 1 << "True Gray" << false;
        QTest::newRow("brother b/w") << brother << 0 << "Black & White" << false;
        QTest::newRow("brother colour") << brother << 2 << "24bit Color[Fast]" << false;
        QTest::newRow("avision grey") << avision << 1 << "Gray" << false;
        QTest::newRow("airscan grey") << L("Color | Gray | Lineart") << 1 << "Gray" << false;
        QTest::newRow("kodak grey")
            << L("Lineart | Halftone | Grayscale | Color") << 1 << "Grayscale" << false;
        QTest::newRow("colour only: grey from colour") << L("Color") << 1 << "Color" << true;
        QTest::newRow("grey only: b/w from grey") << L("Gray") << 0 << "Gray" << false;
        QTest::newRow("no mode option") << QStringList() << 1 << "" << false;
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
