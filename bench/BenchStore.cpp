// Storing pages and holding a batch in the image buffer.
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

// Post-scan storage of N pages: each page arrives in the scanner control's buffer, is
// written as a JPEG through SaveImage and its row updated through SetRxImage.
int Store(const Args& a) {
    QImage page(a.Required(QStringLiteral("--image")));
    if (page.isNull())
        throw QStringLiteral("cannot read the page");
    if (page.isGrayscale())
        page = page.convertToFormat(QImage::Format_Grayscale8);
    const int count = int(a.Number(QStringLiteral("--count"), 10));
    const QString base = a.Value(QStringLiteral("--dir"), QDir::tempPath());
    QTemporaryDir folder(base + QStringLiteral("/quiller-store-XXXXXX"));
    if (!folder.isValid())
        throw QStringLiteral("cannot make an image folder");
    Database::EnsureFile(folder.path(), QString());
    OpenDatabase(Database::PathIn(folder.path()));
    Context().dataPath = folder.path();
    Database& db = *Context().DbConnection;
    db.BeginTransaction();
    for (int i = 0; i < count; ++i)
        db.UpsertPrescription(
            Prescription{QString::number(300000 + i), QStringLiteral("00"),
                         QStringLiteral("01/05/2026"), QStringLiteral("Amoxicillin 500mg Caps"),
                         QStringLiteral("John"), QStringLiteral("Smith"), QString()});
    db.Commit();

    SimulatedScanner scanner;
    double arrive = 0, save = 0, record = 0, preview = 0;
    qint64 bytes = 0;
    for (int i = 0; i < count; ++i) {
        const QString rx = QString::number(300000 + i);
        const QString name = ImageFileName(rx + QStringLiteral("-00"));
        QElapsedTimer t;
        t.start();
        scanner.DeliverPage(page); // into the buffer, as a scanner hands it over
        arrive += Ms(t);
        t.restart();
        const ScanResult saved =
            scanner.SaveImage(scanner.ImageCount() - 1, Context().ImagePath(name));
        if (!saved.ok())
            throw QStringLiteral("SaveImage: ") + saved.text;
        save += Ms(t);
        t.restart();
        db.SetRxImage(rx, QStringLiteral("00"), name);
        record += Ms(t);
        t.restart();
        // The preview shows the stored page, with its size and depth.
        const QImage shown = scanner.GetImage(scanner.ImageCount() - 1);
        const int depth = scanner.ImageBitsPerPixel(scanner.ImageCount() - 1);
        preview += Ms(t);
        if (shown.isNull() || depth <= 0)
            throw QStringLiteral("the buffer lost the page");
        bytes += QFileInfo(Context().ImagePath(name)).size();
    }
    Figure("images", qint64(count));
    Figure("ms_per_image", (arrive + save + record) / count);
    Figure("arrive_ms", arrive / count);
    Figure("save_ms", save / count);
    Figure("record_ms", record / count);
    Figure("preview_ms", preview / count);
    Figure("jpeg_kb", double(bytes) / count / 1024.0, 1);
    if (a.Has(QStringLiteral("--keep")))
        QFile::copy(Context().ImagePath(ImageFileName(QStringLiteral("300000-00"))),
                    a.Value(QStringLiteral("--keep")));
    Context().DbConnection.reset();
    return 0;
}

// N letter-size grey pages arriving in the scanner control's buffer.
int Buffer(const Args& a) {
    const int pages = int(a.Number(QStringLiteral("--pages"), 200));
    const int dpi = int(a.Number(QStringLiteral("--dpi"), 200));
    SimulatedScanner scanner;
    const double before = StatusMb("VmHWM");
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < pages; ++i)
        scanner.DeliverPage(bench::MakeScannedPage(dpi, i + 1));
    const double seconds = Ms(t) / 1000.0;
    if (scanner.ImageCount() != pages || scanner.ImageWidth(pages - 1) != dpi * 17 / 2 ||
        scanner.ImageHeight(pages - 1) != dpi * 11)
        throw QStringLiteral("the buffer does not hold the pages");
    Figure("pages", qint64(pages));
    Figure("peak_rss_mb", StatusMb("VmHWM"), 1);
    Figure("rss_mb", StatusMb("VmRSS"), 1);
    Figure("peak_before_pages_mb", before, 1);
    Figure("seconds", seconds);
    return 0;
}

// ---------------------------------------------------------------------------------
// Start-up: a child process runs the station's start-up exactly as the program's
// main() does (RunStation) and prints "shown" once the main window is on screen;
// the parent measures from starting the process to reading that line.

} // namespace quiller::bench
