// Writes PNG pictures of the station's windows, for looking at them without a desktop,
// in the language of the environment (LANG). Run through scripts/screenshots, which gives
// it a temporary home and a display for each language.
#include "gui/common/PictureBox.h"
#include "gui/help/AppIcon.h"
#include "gui/help/frmAbout.h"
#include "gui/help/frmSupport.h"
#include "gui/main/QuillerApplication.h"
#include "gui/main/StationWiring.h"
#include "gui/main/frmMain.h"
#include "gui/scan/frmScan.h"
#include "gui/settings/frmConfiguration.h"
#include "gui/view/ShowPic.h"
#include "records/Database.h"
#include "settings/SettingsStore.h"
#include "settings/StationSettings.h"
#include "station/Startup.h"
#include "station/StationContext.h"

#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QTextStream>
#include <QTimer>
#include <QTranslator>
#include <algorithm>

using namespace quiller;

namespace {

void Wait(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool Save(QWidget* w, const QString& folder, const QString& name) {
    w->raise();
    w->activateWindow();
    Wait(300);
    const QString path = folder + QLatin1Char('/') + name;
    QPixmap shot =
        w->screen()
            ? w->screen()->grabWindow(0, w->frameGeometry().x(), w->frameGeometry().y(),
                                      w->frameGeometry().width(), w->frameGeometry().height())
            : QPixmap();
    if (shot.isNull() || shot.toImage().allGray())
        shot = w->grab();
    const bool ok = shot.save(path);
    QTextStream(stdout) << (ok ? "wrote " : "FAILED ") << path << Qt::endl;
    return ok;
}

// Qt's own catalogues and the station's (from QUILLER_TRANSLATIONS_DIR, else beside the
// program) for the environment's language; a language without them shows in English.
void InstallTranslations(QCoreApplication& app) {
    const QLocale locale;
    auto* qt = new QTranslator(&app);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    QStringList folders{QCoreApplication::applicationDirPath(),
                        QCoreApplication::applicationDirPath() + QStringLiteral("/translations")};
    if (qEnvironmentVariableIsSet("QUILLER_TRANSLATIONS_DIR"))
        folders.prepend(qEnvironmentVariable("QUILLER_TRANSLATIONS_DIR"));
    auto* own = new QTranslator(&app);
    for (const QString& folder : folders) {
        if (own->load(locale, QStringLiteral("quiller"), QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(own);
            return;
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    QuillerApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(ApplicationIcon());
    InstallTranslations(app);
    InstallScannerFactory();
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(out);
    bool ok = true;
    StationContext context;

    // The configuration dialog of a first run.
    {
        frmConfiguration dialog(context);
        dialog.Form_Load();
        dialog.show();
        ok &= Save(&dialog, out, QStringLiteral("configuration.png"));
    }

    // A configured station with a data file waiting in its interchange folder.
    const QString images = QDir::homePath() + QStringLiteral("/ORB5/Quiller Images");
    const QString interchange = QDir::homePath() + QStringLiteral("/ORB5");
    QDir().mkpath(images);
    SettingsStore settings;
    StationSettings typed(settings);
    typed.SetImageFolder(images);
    typed.SetInterchangeFolder(interchange);
    typed.SetStationId(QStringLiteral("A"));
    typed.SetScannerPosition(0);
    if (argc > 2)
        QFile::copy(QString::fromLocal8Bit(argv[2]), interchange + QStringLiteral("/AX0001.QLV"));

    std::unique_ptr<frmMain> window;
    StartupHooks hooks;
    hooks.showConfigurationDialogModal = [] {
    };
    hooks.showMainWindow = [&] {
        window = std::make_unique<frmMain>(context);
        WireMainWindow(*window);
        window->show();
        window->Form_Load();
    };
    if (Main(context, settings, hooks) || !window)
        return 1;
    // The main window as large as the whole scan window, which viewing mode widens, so
    // that no picture shows it cut off by the main window's edge.
    auto showWhole = [&] {
        Wait(200);
        const QMdiSubWindow* sub = window->MdiArea->subWindowList().value(0);
        if (!sub)
            return;
        const QSize room = window->MdiArea->viewport()->size();
        window->resize(window->size() +
                       QSize(std::max(0, sub->geometry().right() + 1 - room.width()),
                             std::max(0, sub->geometry().bottom() + 1 - room.height())));
    };
    showWhole();
    // Give the polling tick time to take the sample file and the scanner to store it.
    for (int i = 0; i < 100 && QFile::exists(interchange + QStringLiteral("/AX0001.QLV")); ++i)
        Wait(100);
    for (int i = 0; i < 100 && window->StatusText() != QStringLiteral("Idle"); ++i)
        Wait(100);
    Wait(1500);
    ok &= Save(window.get(), out, QStringLiteral("main.png"));

    window->Command1_Click(1);
    frmScan* scan = window->ScanWindow();
    scan->Combo2->setCurrentIndex(scan->Combo2->findData(QStringLiteral("Patient")));
    scan->Text1->setText(QStringLiteral(","));
    QMetaObject::invokeMethod(scan->Text1, "returnPressed");
    showWhole();
    Wait(500);
    ok &= Save(window.get(), out, QStringLiteral("view.png"));

    frmShowPic* enlarged = frmShowPic::Instance(window.get());
    enlarged->SetPicture(scan->Image1->Picture());
    enlarged->show();
    ok &= Save(enlarged, out, QStringLiteral("enlarged.png"));
    enlarged->close();

    frmAbout* about = ShowAbout(window.get());
    ok &= Save(about, out, QStringLiteral("about.png"));
    about->close();
    frmSupport* support = ShowSupport();
    ok &= Save(support, out, QStringLiteral("support.png"));
    support->close();

    window->mPopExit_Click();
    return ok ? 0 : 1;
}
