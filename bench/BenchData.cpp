// Generators of the benchmark data: databases, data files, pages and foreign files.
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

int GenDb(const Args& a) {
    const qint64 rows = a.Number(QStringLiteral("--rows"), 0);
    const QString out = a.Required(QStringLiteral("--out"));
    QElapsedTimer t;
    t.start();
    const QString failure = bench::GenerateDatabase(out, rows);
    if (!failure.isEmpty())
        throw failure;
    Figure("rows", rows);
    Figure("seconds", Ms(t) / 1000.0);
    return 0;
}

int GenDataFile(const Args& a) {
    const qint64 lines = a.Number(QStringLiteral("--lines"), 0);
    const QString failure =
        bench::GenerateDataFile(a.Required(QStringLiteral("--out")), lines,
                                int(a.Number(QStringLiteral("--first-rx"), 700000)));
    if (!failure.isEmpty())
        throw failure;
    Figure("lines", lines);
    return 0;
}

int GenPage(const Args& a) {
    const int dpi = int(a.Number(QStringLiteral("--dpi"), 200));
    const QString out = a.Required(QStringLiteral("--out"));
    const QImage page = bench::MakeScannedPage(dpi, int(a.Number(QStringLiteral("--number"), 1)));
    if (!page.save(out, "PGM"))
        throw QStringLiteral("cannot write ") + out;
    Figure("width", qint64(page.width()));
    Figure("height", qint64(page.height()));
    return 0;
}

int GenFolder(const Args& a) {
    const int files = int(a.Number(QStringLiteral("--files"), 0));
    const QString failure = bench::GenerateForeignFiles(a.Required(QStringLiteral("--out")), files);
    if (!failure.isEmpty())
        throw failure;
    Figure("files", qint64(files));
    return 0;
}

// The anchor of the intake figure: the rows of a data file as one SQL script (a
// transaction of the station's insert-or-update statements, literal values) for the
// sqlite3 shell and for psql.
int IntakeSql(const Args& a) {
    const QStringList lines = PollingTick::ReadDataFile(a.Required(QStringLiteral("--file")));
    auto quote = [](const QString& v) {
        return QLatin1Char('\'') + QString(v).replace(QLatin1Char('\''), QLatin1String("''")) +
               QLatin1Char('\'');
    };
    QByteArray sql = "BEGIN;\n";
    for (const QString& line : lines) {
        const ParsedLine p = ParseLine(line);
        sql += QStringLiteral(
                   "INSERT INTO RxImages (RxNbr, RefNo, FillDate, Drug, FirstName, "
                   "LastName, RxImage) VALUES (%1, %2, %3, %4, %5, %6, '') ON CONFLICT (RxNbr, "
                   "RefNo) DO UPDATE SET FillDate = excluded.FillDate, Drug = "
                   "excluded.Drug, FirstName = excluded.FirstName, LastName = "
                   "excluded.LastName, RxImage = '';\n")
                   .arg(quote(p.p.RxNbr), quote(p.p.RefNo), quote(Database::IsoDate(p.p.FillDate)),
                        quote(p.p.Drug), quote(p.p.FirstName), quote(p.p.LastName))
                   .toUtf8();
    }
    sql += "COMMIT;\n";
    QFile out(a.Required(QStringLiteral("--out")));
    if (!out.open(QIODevice::WriteOnly) || out.write(sql) != sql.size())
        throw QStringLiteral("cannot write ") + out.fileName();
    Figure("lines", qint64(lines.size()));
    return 0;
}

} // namespace quiller::bench
