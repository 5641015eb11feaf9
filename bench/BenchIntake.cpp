// The polling tick: taking a large data file, and ticks over a crowded folder.
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
#include "station/BatchEntries.h"
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

// A data file through the polling tick, as the scan window takes it: the list adapter
// over a shown QTreeWidget, one transaction with a savepoint per line, the file removed
// and the lock file raised.
int Intake(const Args& a) {
    const QString dbPath = a.Required(QStringLiteral("--db"));
    const QString dataFile = a.Required(QStringLiteral("--file"));
    // Beside the database file; for a server in the temporary folder.
    const QString beside = IsServer(dbPath) ? QDir::tempPath() : QFileInfo(dbPath).absolutePath();
    QTemporaryDir interchange(beside + QStringLiteral("/intake-XXXXXX"));
    if (!interchange.isValid())
        throw QStringLiteral("cannot make an interchange folder");
    OpenDatabase(dbPath);
    StatusLine status;
    Context().MainWindow = &status;
    Context().filePath = interchange.path();
    Context().dataPath = beside;
    // --id B: the station B of a pharmacy, taking its own file.
    Context().ScannerID = a.Value(QStringLiteral("--id"), QStringLiteral("A")).left(1);
    const QString target = interchange.filePath(Context().ScannerID + QStringLiteral("X0001.QLV"));
    if (!QFile::copy(dataFile, target))
        throw QStringLiteral("cannot copy ") + dataFile;

    QWidget window;
    window.resize(800, 400);
    QTreeWidget* listView1 = MakeListView1(&window);
    listView1->setGeometry(0, 0, 800, 400);
    window.show();
    QCoreApplication::processEvents();

    BatchEntries list;
    ToBeScannedList shown(listView1, list);
    bool batchStarted = false;
    PollingTick tick(Context(), list, PollingHooks{[&] { batchStarted = true; }, {}, {}, {}, {}});
    tick.Timer1_Timer(); // the first look at the file: taken at the next tick, unchanged
    QElapsedTimer t;
    t.start();
    tick.Timer1_Timer();
    QCoreApplication::processEvents(); // the list is laid out and painted
    const double ms = Ms(t);
    if (QFile::exists(target) || !batchStarted)
        throw QStringLiteral("the data file was not taken: ") + status.StatusText();
    Figure("lines", qint64(list.Count()));
    Figure("seconds", ms / 1000.0, 3);
    Context().MainWindow = nullptr;
    Context().DbConnection.reset();
    return 0;
}

// One polling tick over a folder (other stations' files, this station's none).
int Poll(const Args& a) {
    StatusLine status;
    Context().MainWindow = &status;
    Context().filePath = a.Required(QStringLiteral("--folder"));
    Context().ScannerID = a.Value(QStringLiteral("--id"), QStringLiteral("A"));
    if (a.Has(QStringLiteral("--db")))
        OpenDatabase(a.Value(QStringLiteral("--db")));
    BatchEntries list;
    PollingTick tick(Context(), list, PollingHooks{});
    const int ticks = int(a.Number(QStringLiteral("--ticks"), 21));
    std::vector<double> ms;
    for (int i = 0; i < ticks; ++i) {
        QElapsedTimer t;
        t.start();
        tick.Timer1_Timer();
        ms.push_back(Ms(t));
    }
    if (status.StatusText() != PollingTick::IdleStatus())
        throw QStringLiteral("the tick did not end idle: ") + status.StatusText();
    Figure("ms", Median(ms), 3);
    Figure("first_ms", ms.front(), 3);
    Figure("max_ms", *std::max_element(ms.begin(), ms.end()), 3);
    Figure("ticks", qint64(ticks));
    Context().MainWindow = nullptr;
    Context().DbConnection.reset();
    return 0;
}

} // namespace quiller::bench
