// Start-up to the main window, as a separate process.
#include "BenchSupport.h"
#include "Generate.h"

#include "base/Error.h"
#include "base/MessageBoxes.h"
#include "gui/common/PictureBox.h"
#include "gui/help/AppIcon.h"
#include "gui/main/QuillerApplication.h"
#include "gui/main/RunStation.h"
#include "gui/main/StationWiring.h"
#include "gui/main/WidgetMessageBoxes.h"
#include "gui/main/frmMain.h"
#include "gui/scan/ToBeScannedList.h"
#include "gui/view/SearchList.h"
#include "gui/view/ViewWidgets.h"
#include "intake/LineParser.h"
#include "records/Database.h"
#include "records/SearchResultModel.h"
#include "scanner/SimulatedScanner.h"
#include "settings/SettingsStore.h"
#include "station/ImageNaming.h"
#include "station/PollingTick.h"
#include "station/Startup.h"
#include "station/StationContext.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QLockFile>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace quiller::bench {

int StartupChild(int argc, char** argv, const Args& a) {
    RunOptions options;
    options.parseCommandLine = false; // argv holds the benchmark's own options
    options.writeLog = false;
    if (a.Value(QStringLiteral("--scanner")) != QLatin1String("sane"))
        options.installScanners = [] {
            ScannerControl::SetFactory([] { return std::make_unique<SimulatedScanner>(); });
        };
    // Once the events the showing posted (expose, layout, paint) have run.
    options.mainWindowShown = [](frmMain& window) {
        QCoreApplication::processEvents();
        const bool shown = window.isVisible() && window.windowHandle() &&
                           window.windowHandle()->isExposed() && window.ScanWindow();
        Out() << (shown ? "shown" : "not shown") << Qt::endl;
        window.mPopExit_Click();
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    };
    return RunStation(argc, argv, options);
}

int Startup(const Args& a, const QString& self) {
    const int runs = int(a.Number(QStringLiteral("--runs"), 5));
    const QString scanner = a.Value(QStringLiteral("--scanner"), QStringLiteral("simulated"));
    std::vector<double> ms;
    for (int run = 0; run < runs; ++run) {
        QTemporaryDir home;
        const QString images = home.filePath(QStringLiteral("ORB5/Quiller Images"));
        const QString interchange = home.filePath(QStringLiteral("ORB5"));
        const QString config = home.filePath(QStringLiteral(".config"));
        const QString runtime = home.filePath(QStringLiteral("run"));
        QDir().mkpath(images);
        QDir().mkpath(config + QStringLiteral("/Quiller"));
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ExeOwner);
        QFile settings(config + QStringLiteral("/Quiller/Quiller.conf"));
        if (!settings.open(QIODevice::WriteOnly))
            throw QStringLiteral("cannot write the settings");
        settings.write(QStringLiteral("[setup]\ndataPath=%1\nfilePath=%2\nScannerID=A\nScanner=0\n")
                           .arg(images, interchange)
                           .toUtf8());
        settings.close();
        // A station that has run before: its database is there.
        Database::EnsureFile(images, QString());

        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::SeparateChannels);
        QElapsedTimer t;
        t.start();
        child.start(self, {QStringLiteral("startup-child"), QStringLiteral("--scanner"), scanner});
        QByteArray line;
        while (!line.contains('\n') && child.waitForReadyRead(30000))
            line += child.readAllStandardOutput();
        const double elapsed = Ms(t);
        child.waitForFinished(30000);
        if (!line.startsWith("shown"))
            throw QStringLiteral("the main window was not shown: ") + QString::fromUtf8(line) +
                QString::fromUtf8(child.readAllStandardError());
        ms.push_back(elapsed);
    }
    Figure("ms", Median(ms), 1);
    Figure("first_ms", ms.front(), 1);
    Figure("runs", qint64(runs));
    Figure("scanner", scanner);
    return 0;
}

} // namespace quiller::bench
