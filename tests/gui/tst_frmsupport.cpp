#include "common/TestEnv.h"
#include "gui/help/frmSupport.h"

#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

using namespace quiller;

namespace {

SupportContact Sample() {
    return {QStringLiteral("Org"), QStringLiteral("1 Street"), QStringLiteral("Town, ST 1"),
            QStringLiteral("111"), QStringLiteral("222"),      QStringLiteral("a@b.example")};
}

QString Text(const QWidget& w, const char* name) {
    auto* label = w.findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<missing %1>").arg(QLatin1String(name));
}

} // namespace

Q_DECLARE_METATYPE(SupportContact)

class tst_frmSupport : public QObject {
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void builtInIsThePackagedFile();
    void unreadableFileKeepsFallback();
    void panelShowsContactFromIni();
    void emptyLineIsHidden();
    void deployedFileIsFound();
    void showSupportIsOneTopLevelWindow();
};

void tst_frmSupport::parse_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<SupportContact>("expected");

    SupportContact all{QStringLiteral("Acme Help"),
                       QStringLiteral("5 Main St, Unit 2"),
                       QStringLiteral("Springfield, IL 62704"),
                       QStringLiteral("(217) 555-0100"),
                       QStringLiteral("(217) 555-0101"),
                       QStringLiteral("help@acme.example")};
    QTest::newRow("all keys, commas kept")
        << QByteArray("[Support]\nOrganisation=Acme Help\nStreet=5 Main St, Unit 2\n"
                      "City=Springfield, IL 62704\nTelephone=(217) 555-0100\n"
                      "Fax=(217) 555-0101\nEMail=help@acme.example\n")
        << all;

    SupportContact partial = Sample();
    partial.telephone = QStringLiteral("999");
    QTest::newRow("missing keys keep the fallback")
        << QByteArray("[Support]\nTelephone = 999 \n") << partial;

    SupportContact cleared = Sample();
    cleared.fax.clear();
    QTest::newRow("empty value clears the line") << QByteArray("[Support]\nFax=\n") << cleared;

    QTest::newRow("other groups and comments are ignored")
        << QByteArray("Organisation=Top\n[Other]\nOrganisation=Other\n# Fax=1\n"
                      "[Support]\n; Street=x\nbogus line\n=nokey\n")
        << Sample();

    SupportContact cased = Sample();
    cased.email = QStringLiteral("x@y.example");
    cased.organisation = QStringLiteral("Ärzte-Hilfe");
    QTest::newRow("keys without regard to case, UTF-8, CRLF")
        << QByteArray("[support]\r\nEMAIL=x@y.example\r\norganisation=\xC3\x84rzte-Hilfe\r\n")
        << cased;
}

void tst_frmSupport::parse() {
    QFETCH(QByteArray, ini);
    QFETCH(SupportContact, expected);
    const SupportContact got = SupportContact::Parse(ini, Sample());
    QCOMPARE(got.organisation, expected.organisation);
    QCOMPARE(got.street, expected.street);
    QCOMPARE(got.city, expected.city);
    QCOMPARE(got.telephone, expected.telephone);
    QCOMPARE(got.fax, expected.fax);
    QCOMPARE(got.email, expected.email);
}

void tst_frmSupport::builtInIsThePackagedFile() {
    const QString packaged = QStringLiteral(QUILLER_SOURCE_DIR "/packaging/support-contact.ini");
    const SupportContact fromFile = SupportContact::Load(packaged, SupportContact{});
    QVERIFY(!fromFile.organisation.isEmpty());
    QVERIFY(fromFile.email.contains(QLatin1Char('@')));
    QVERIFY(!fromFile.telephone.isEmpty());
    QVERIFY(SupportContact::BuiltIn() == fromFile);
}

void tst_frmSupport::unreadableFileKeepsFallback() {
    QTemporaryDir dir;
    QVERIFY(SupportContact::Load(dir.filePath("absent.ini"), Sample()) == Sample());
    // A folder of that name is not a file either.
    QVERIFY(SupportContact::Load(dir.path(), Sample()) == Sample());
}

void tst_frmSupport::panelShowsContactFromIni() {
    QTemporaryDir dir;
    const QString path = dir.filePath("support-contact.ini");
    test::WriteFile(path, "[Support]\nOrganisation=North Pharmacy IT\nStreet=12 Quay Road\n"
                          "City=Dunmore, NY 10001\nTelephone=(212) 555-0199\n"
                          "Fax=(212) 555-0198\nEMail=it@north.example\n");
    frmSupport panel(SupportContact::Load(path, SupportContact::BuiltIn()));
    QCOMPARE(panel.windowTitle(), QStringLiteral("Technical Support"));
    QCOMPARE(Text(panel, "lblContact"), QStringLiteral("If you have questions, please contact"));
    QCOMPARE(Text(panel, "lblOrganisation"), QStringLiteral("North Pharmacy IT"));
    QCOMPARE(Text(panel, "lblStreet"), QStringLiteral("12 Quay Road"));
    QCOMPARE(Text(panel, "lblCity"), QStringLiteral("Dunmore, NY 10001"));
    QCOMPARE(Text(panel, "lblTelephone"), QStringLiteral("Telephone: (212) 555-0199"));
    QCOMPARE(Text(panel, "lblFax"), QStringLiteral("Fax: (212) 555-0198"));
    QCOMPARE(Text(panel, "lblEmail"), QStringLiteral("E-mail: it@north.example"));
    auto* picture = panel.findChild<QLabel*>("picSupport");
    QVERIFY(picture && !picture->pixmap().isNull());

    // The lines appear in the order given, top to bottom, below the opening line.
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    int previous = -1;
    for (const char* name : {"lblContact", "lblOrganisation", "lblStreet", "lblCity",
                             "lblTelephone", "lblFax", "lblEmail"}) {
        auto* label = panel.findChild<QLabel*>(QString::fromLatin1(name));
        QVERIFY(label->isVisible());
        QVERIFY2(label->y() > previous, name);
        QVERIFY2(panel.rect().contains(label->geometry()), name);
        previous = label->y();
    }
}

void tst_frmSupport::emptyLineIsHidden() {
    SupportContact contact = Sample();
    contact.fax.clear();
    frmSupport panel(contact);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    QVERIFY(!panel.findChild<QLabel*>("lblFax")->isVisible());
    QVERIFY(panel.findChild<QLabel*>("lblTelephone")->isVisible());
}

void tst_frmSupport::deployedFileIsFound() {
    QTemporaryDir data;
    const QByteArray old = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
    auto restore = qScopeGuard([&] { qputenv("XDG_DATA_HOME", old); });

    // Without a deployed file: the built-in contact.
    QVERIFY(SupportContact::Deployed() == SupportContact::BuiltIn());

    QVERIFY(QDir(data.path()).mkpath("quiller"));
    test::WriteFile(data.path() + "/quiller/support-contact.ini",
                    "[Support]\nOrganisation=Deployed Org\n");
    QVERIFY(
        SupportContact::CandidateFiles().contains(data.path() + "/quiller/support-contact.ini"));
    SupportContact expected = SupportContact::BuiltIn();
    expected.organisation = QStringLiteral("Deployed Org");
    QVERIFY(SupportContact::Deployed() == expected);
}

void tst_frmSupport::showSupportIsOneTopLevelWindow() {
    QCOMPARE(CurrentSupport(), nullptr);
    QPointer<frmSupport> panel = ShowSupport();
    QVERIFY(panel);
    QCOMPARE(CurrentSupport(), panel.data());
    QVERIFY(panel->isVisible());
    QVERIFY(panel->isWindow());
    QCOMPARE(panel->parentWidget(), nullptr);
    QCOMPARE(panel->windowModality(), Qt::NonModal);
    QVERIFY(!panel->windowIcon().isNull());
    QCOMPARE(ShowSupport(), panel.data());
    panel->close();
    QTRY_VERIFY(panel.isNull());
    QCOMPARE(CurrentSupport(), nullptr);
    QPointer<frmSupport> again = ShowSupport();
    QVERIFY(again);
    delete again.data();
}

QTEST_MAIN(tst_frmSupport)
#include "tst_frmsupport.moc"
