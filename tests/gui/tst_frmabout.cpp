#include "QuillerVersion.h"
#include "common/ScriptedMessageBoxes.h"
#include "gui/common/Twips.h"
#include "gui/help/AppIcon.h"
#include "gui/help/frmAbout.h"

#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace quiller;

class tst_frmAbout : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void loadFillsTitleAndVersion();
    void controlsAndLayout();
    void okIsDefaultAndCloses_data();
    void okIsDefaultAndCloses();
    void sysInfoWithoutToolShowsMessage();
    void sysInfoStartsFoundTool();
    void showAboutIsModalOverOwnerAndSingle();
    void applicationIconAndTooltip();
};

void tst_frmAbout::initTestCase() {
    // The title the station gives itself at start-up.
    QCoreApplication::setApplicationName(QStringLiteral("Quiller"));
}

void tst_frmAbout::loadFillsTitleAndVersion() {
    frmAbout about;
    QCOMPARE(about.windowTitle(), QStringLiteral("About Marrowby"));
    auto* title = about.findChild<QLabel*>("lblTitle");
    auto* version = about.findChild<QLabel*>("lblVersion");
    QVERIFY(title && version);
    QCOMPARE(title->text(), AppTitle());
    QCOMPARE(title->text(), QStringLiteral("Quiller"));
    QCOMPARE(version->text(), QStringLiteral("Version " QUILLER_VERSION_STRING));
    QCOMPARE(frmAbout::VersionText(), QStringLiteral("Version %1.%2.%3")
                                          .arg(QUILLER_VERSION_MAJOR)
                                          .arg(QUILLER_VERSION_MINOR)
                                          .arg(QUILLER_VERSION_PATCH));
}

void tst_frmAbout::controlsAndLayout() {
    frmAbout about;
    QCOMPARE(about.size(), QSize(Twips(5865, &about), Twips(3630, &about)));

    auto* description = about.findChild<QLabel*>("lblDescription");
    QVERIFY(description);
    QCOMPARE(description->text(),
             QStringLiteral(
                 "This application is for scanning prescriptions from Tellan Calvora software."));
    auto* disclaimer = about.findChild<QLabel*>("lblDisclaimer");
    QVERIFY(disclaimer);
    QVERIFY(!disclaimer->text().trimmed().isEmpty());

    auto* icon = about.findChild<QLabel*>("picIcon");
    QVERIFY(icon);
    QVERIFY(!icon->pixmap().isNull());

    auto* sysInfo = about.findChild<QPushButton*>("cmdSysInfo");
    QVERIFY(sysInfo);
    QCOMPARE(sysInfo->text(), QStringLiteral("&System Info..."));

    // The etched separator: two lines one pixel apart, inside the box.
    auto* line0 = about.findChild<QFrame*>("Line1(0)");
    auto* line1 = about.findChild<QFrame*>("Line1(1)");
    QVERIFY(line0 && line1);
    QCOMPARE(line0->frameShape(), QFrame::HLine);
    QCOMPARE(line1->frameShape(), QFrame::HLine);
    QCOMPARE(line1->y(), line0->y() + 1);
    QVERIFY(about.rect().contains(line0->geometry()));

    // Every control lies inside the designed client area and no two overlap.
    const QList<QWidget*> children = about.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    QCOMPARE(children.size(), 9);
    for (QWidget* w : children) {
        QVERIFY2(about.rect().contains(w->geometry()), qPrintable(w->objectName()));
        for (QWidget* other : children) {
            if (other != w)
                QVERIFY2(!w->geometry().intersects(other->geometry()),
                         qPrintable(w->objectName() + " overlaps " + other->objectName()));
        }
    }
    QVERIFY(!about.windowIcon().isNull());
}

void tst_frmAbout::okIsDefaultAndCloses_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("click OK") << "click";
    QTest::newRow("Enter") << "enter";
    QTest::newRow("Escape") << "escape";
}

void tst_frmAbout::okIsDefaultAndCloses() {
    QFETCH(QString, how);
    test::ScriptedMessageBoxes boxes;
    frmAbout about;
    about.SystemInfo().SetStarter([](const QString&) {
        QTest::qFail("the system-information tool must not start", __FILE__, __LINE__);
        return false;
    });
    auto* ok = about.findChild<QPushButton*>("cmdOK");
    QVERIFY(ok);
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QVERIFY(ok->isDefault());

    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QVERIFY(about.isVisible());
    if (how == QLatin1String("click"))
        QTest::mouseClick(ok, Qt::LeftButton);
    else if (how == QLatin1String("enter"))
        QTest::keyClick(&about, Qt::Key_Return);
    else
        QTest::keyClick(&about, Qt::Key_Escape);
    QVERIFY(!about.isVisible());
    QCOMPARE(boxes.count(), 0);
}

void tst_frmAbout::sysInfoWithoutToolShowsMessage() {
    test::ScriptedMessageBoxes boxes;
    frmAbout about;
    bool started = false;
    about.SystemInfo().SetUseRegistry(false);
    about.SystemInfo().SetSearchPath({});
    about.SystemInfo().SetStarter([&](const QString&) { return started = true; });
    about.show();
    QTest::mouseClick(about.findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
    QVERIFY(!started);
    QCOMPARE(boxes.texts(), QStringList{"System Information Is Unavailable At This Time"});
    QCOMPARE(boxes.last().buttons, MsgButtons::Ok);
    QVERIFY(about.isVisible()); // the box stays open
}

void tst_frmAbout::sysInfoStartsFoundTool() {
    test::ScriptedMessageBoxes boxes;
    QTemporaryDir bin;
    const QString program = bin.path() + QLatin1Char('/') + SystemInfoTool::KnownPrograms().first();
    {
        QFile f(program);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n");
        f.close();
        QVERIFY(f.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    }
    frmAbout about;
    QStringList started;
    about.SystemInfo().SetUseRegistry(false);
    about.SystemInfo().SetSearchPath({bin.path()});
    about.SystemInfo().SetStarter([&](const QString& p) {
        started << p;
        return true;
    });
    about.show();
    QTest::mouseClick(about.findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
    QCOMPARE(started, QStringList{program});
    QCOMPARE(boxes.count(), 0);
}

void tst_frmAbout::showAboutIsModalOverOwnerAndSingle() {
    QMainWindow owner;
    owner.show();
    QPointer<frmAbout> about = ShowAbout(&owner);
    QVERIFY(about);
    QVERIFY(about->isVisible());
    QVERIFY(about->isModal());
    QCOMPARE(about->windowModality(), Qt::ApplicationModal);
    QCOMPARE(about->parentWidget(), &owner);
    QCOMPARE(ShowAbout(&owner), about.data());

    // Closing deletes it; the next call makes a new one.
    about->findChild<QPushButton*>("cmdOK")->click();
    QTRY_VERIFY(about.isNull());
    QPointer<frmAbout> again = ShowAbout(&owner);
    QVERIFY(again);
    again->close();
    QTRY_VERIFY(again.isNull());
}

void tst_frmAbout::applicationIconAndTooltip() {
    const QIcon icon = ApplicationIcon();
    QVERIFY(!icon.isNull());
    for (int size : {48, 64, 128, 256}) {
        const QImage image(QStringLiteral(":/quiller/icon-%1.png").arg(size));
        QCOMPARE(image.size(), QSize(size, size));
        QCOMPARE(icon.pixmap(size, size).size(), QSize(size, size));
    }
    QCOMPARE(QImage(ApplicationIconPath()).size(), QSize(256, 256));
    QVERIFY(QFile::exists(QStringLiteral(":/quiller/quiller.svg")));
    QCOMPARE(TrayToolTip(), QStringLiteral("Tellan Marrowby that scanns and views prescriptions"));
}

QTEST_MAIN(tst_frmAbout)
#include "tst_frmabout.moc"
