// quiller-bench: figures of the station's own code paths, one "name=value" per line.
// Every command runs the classes the windows use (the database, the polling tick and
// the list adapter, the search and its list model, the scanner control's buffer and
// storage, the start-up with the main window), offscreen. See README.md.
#include "BenchScanner.h"
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

using namespace quiller;

namespace {

// The benchmark's station context: one per run, like the program's.
StationContext& Context() {
    static StationContext context;
    return context;
}

QTextStream& Out() {
    static QTextStream out(stdout);
    return out;
}
QTextStream& Err() {
    static QTextStream err(stderr);
    return err;
}

void Figure(const char* name, const QString& value) {
    Out() << name << '=' << value << Qt::endl;
}
void Figure(const char* name, double value, int decimals = 2) {
    Figure(name, QString::number(value, 'f', decimals));
}
void Figure(const char* name, qint64 value) {
    Figure(name, QString::number(value));
}

double Ms(const QElapsedTimer& t) {
    return double(t.nsecsElapsed()) / 1.0e6;
}

double Median(std::vector<double> v) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// The command line: "--name value" options after the command.
class Args {
public:
    explicit Args(const QStringList& args) : args_(args) {}
    QString Value(const QString& name, const QString& fallback = QString()) const {
        const qsizetype at = args_.indexOf(name);
        return at >= 0 && at + 1 < args_.size() ? args_.at(at + 1) : fallback;
    }
    bool Has(const QString& name) const { return args_.contains(name); }
    qint64 Number(const QString& name, qint64 fallback) const {
        bool ok = false;
        const qint64 n = Value(name).toLongLong(&ok);
        return ok ? n : fallback;
    }
    QString Required(const QString& name) const {
        const QString v = Value(name);
        if (v.isEmpty())
            throw QStringLiteral("missing %1").arg(name);
        return v;
    }

private:
    QStringList args_;
};

// Kilobytes of a line of /proc/self/status ("VmHWM", "VmRSS").
double StatusMb(const char* key) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefix = QByteArray(key) + ':';
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return -1;
}

// The status line the tick and the storage write to.
class StatusLine : public MainWindowPort {
public:
    void SetStatusText(const QString& text) override { text_ = text; }
    QString StatusText() const override { return text_; }

private:
    QString text_;
};

// Message boxes are answered with their default button and told on stderr, so that a
// refused line or a failed store shows up in the run.
void AnswerBoxesOnStderr() {
    MessageBoxes::SetResponder([](const MessageBoxRequest& r) {
        Err() << "message box: "
              << QString(r.text).replace(QLatin1String("\r\n"), QLatin1String(" | ")) << Qt::endl;
        return r.defaultButton;
    });
}

void OpenDatabase(const QString& path) {
    if (!QFileInfo::exists(path))
        throw QStringLiteral("no database %1").arg(path);
    Context().DbConnection = std::make_unique<Database>();
    if (!Context().DbConnection->OpenFile(path))
        throw QStringLiteral("cannot open %1: %2").arg(path, Context().DbConnection->LastError());
}

QTreeWidget* MakeListView1(QWidget* parent) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(QStringLiteral("ListView1"));
    list->setColumnCount(4);
    list->setHeaderLabels({QStringLiteral("Rx Number"), QStringLiteral("Date"),
                           QStringLiteral("Drug Name"), QStringLiteral("Patient")});
    list->setRootIsDecorated(false);
    return list;
}

// ---------------------------------------------------------------------------------

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
    const QString failure = bench::GenerateDataFile(a.Required(QStringLiteral("--out")), lines);
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
// transaction of plain INSERT statements) for the sqlite3 shell.
int IntakeSql(const Args& a) {
    const QStringList lines = PollingTick::ReadDataFile(a.Required(QStringLiteral("--file")));
    auto quote = [](const QString& v) {
        return QLatin1Char('\'') + QString(v).replace(QLatin1Char('\''), QLatin1String("''")) +
               QLatin1Char('\'');
    };
    QByteArray sql = "BEGIN;\n";
    for (const QString& line : lines) {
        const ParsedLine p = ParseLine(line);
        sql += QStringLiteral("INSERT INTO RxImages (RxNbr, RefNo, FillDate, Drug, FirstName, "
                              "LastName, RxImage) VALUES (%1, %2, %3, %4, %5, %6, '');\n")
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

// A data file through the polling tick, as the scan window takes it: the list adapter
// over a shown QTreeWidget, one transaction with a savepoint per line, the file removed
// and the lock file raised.
int Intake(const Args& a) {
    const QString dbPath = a.Required(QStringLiteral("--db"));
    const QString dataFile = a.Required(QStringLiteral("--file"));
    QTemporaryDir interchange(QFileInfo(dbPath).absolutePath() + QStringLiteral("/intake-XXXXXX"));
    if (!interchange.isValid())
        throw QStringLiteral("cannot make an interchange folder");
    OpenDatabase(dbPath);
    StatusLine status;
    Context().MainWindow = &status;
    Context().filePath = interchange.path();
    Context().dataPath = QFileInfo(dbPath).absolutePath();
    Context().ScannerID = QStringLiteral("A");
    const QString target = interchange.filePath(QStringLiteral("AX0001.QLV"));
    if (!QFile::copy(dataFile, target))
        throw QStringLiteral("cannot copy ") + dataFile;

    QWidget window;
    window.resize(800, 400);
    QTreeWidget* listView1 = MakeListView1(&window);
    listView1->setGeometry(0, 0, 800, 400);
    window.show();
    QCoreApplication::processEvents();

    ToBeScannedList list(listView1);
    bool batchStarted = false;
    PollingTick tick(Context(), list, PollingHooks{[&] { batchStarted = true; }, {}, {}});
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

// The search as the scan window runs it: the criterion box, the text or the two date
// pickers, SearchList::FillSearchList over the shown ListView2 and its paged model.
int Search(const Args& a) {
    OpenDatabase(a.Required(QStringLiteral("--db")));
    const QString criterion = a.Required(QStringLiteral("--criterion"));
    const int runs = int(a.Number(QStringLiteral("--runs"), 5));
    StatusLine status;
    Context().MainWindow = &status;

    QWidget window;
    window.resize(700, 520);
    ViewWidgets w;
    w.ListView2 = new QTreeView(&window);
    w.ListView2->setObjectName(QStringLiteral("ListView2"));
    w.ListView2->setGeometry(0, 80, 640, 420); // about 20 rows: a screenful
    w.Combo2 = new QComboBox(&window);
    w.Combo2->addItems({QStringLiteral("Rx Number"), QStringLiteral("Patient"),
                        QStringLiteral("Date"), QStringLiteral("Drug")});
    w.Text1 = new QLineEdit(&window);
    w.Image1 = new PictureBox(&window);
    w.Image1->setGeometry(650, 0, 50, 50);
    w.Command2 = new QPushButton(&window);
    for (int i = 0; i < 2; ++i) {
        w.lblDate[i] = new QLabel(&window);
        w.DTPicker1[i] = new QDateEdit(&window);
        // Hidden pickers do not search when their date is set.
        w.DTPicker1[i]->hide();
    }
    ViewContext context(Context(), nullptr);
    SearchList search(w, context, nullptr);
    w.Combo2->setCurrentText(criterion);
    if (w.Combo2->currentText() != criterion)
        throw QStringLiteral("unknown criterion ") + criterion;
    if (criterion == QLatin1String("Date")) {
        const QString format = QStringLiteral("MM/dd/yyyy");
        const QDate from = QDate::fromString(a.Required(QStringLiteral("--from")), format);
        const QDate to = QDate::fromString(a.Required(QStringLiteral("--to")), format);
        if (!from.isValid() || !to.isValid())
            throw QStringLiteral("--from and --to take MM/DD/YYYY");
        w.DTPicker1[0]->setDate(from);
        w.DTPicker1[1]->setDate(to);
    } else {
        w.Text1->setText(a.Required(QStringLiteral("--text")));
    }
    window.show();
    QCoreApplication::processEvents();
    SearchResultModel* model = search.Model();
    const qint64 everyRowUpTo = a.Number(QStringLiteral("--max-rows"), -1);

    // The connection has been open for a while at the station: the first statement
    // pays for reading the schema, which a running station has done long before.
    search.FillSearchList();
    model->Clear();

    std::vector<double> first, all;
    double worstStep = 0;
    qint64 rows = 0;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer t;
        t.start();
        search.FillSearchList();
        QCoreApplication::processEvents(); // laid out and painted: the first screenful
        first.push_back(Ms(t));
        // Then the operator scrolls to the end: each step reads one page more and the
        // view lays itself out again. A few steps are timed one by one (the longest
        // is the longest the window does not answer); the others are read in a row.
        qint64 nextTimed = model->rowCount();
        while (model->canFetchMore(QModelIndex())) {
            if (everyRowUpTo > 0 && model->rowCount() >= everyRowUpTo)
                break;
            if (model->rowCount() >= nextTimed) {
                QCoreApplication::processEvents();
                QElapsedTimer step;
                step.start();
                model->fetchMore(QModelIndex());
                QCoreApplication::processEvents();
                worstStep = std::max(worstStep, Ms(step));
                nextTimed = std::max<qint64>(nextTimed * 4, 1024);
            } else {
                model->fetchMore(QModelIndex());
            }
        }
        QCoreApplication::processEvents();
        if (!model->canFetchMore(QModelIndex()) || everyRowUpTo > 0) {
            QElapsedTimer step;
            step.start();
            w.ListView2->scrollToBottom();
            QCoreApplication::processEvents();
            worstStep = std::max(worstStep, Ms(step));
        }
        all.push_back(Ms(t));
        rows = model->rowCount();
        if (!status.StatusText().isEmpty())
            throw QStringLiteral("the search failed: ") + status.StatusText();
    }
    // The search alone, without the painting: every page read into the model, the view
    // told of the rows but not yet laid out.
    std::vector<double> fetched;
    for (int run = 0; run < runs && everyRowUpTo < 0; ++run) {
        QCoreApplication::processEvents();
        QElapsedTimer t;
        t.start();
        search.FillSearchList();
        while (model->canFetchMore(QModelIndex()))
            model->fetchMore(QModelIndex());
        fetched.push_back(Ms(t));
        QCoreApplication::processEvents();
    }
    Figure("rows", rows);
    Figure("first_rows_ms", Median(first));
    if (!fetched.empty())
        Figure("fetch_ms", Median(fetched));
    Figure("all_ms", Median(all));
    Figure("longest_step_ms", worstStep);
    Figure("runs", qint64(runs));
    Context().MainWindow = nullptr;
    Context().DbConnection.reset();
    return 0;
}

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
        if (scanner.SaveImage(scanner.ImageCount() - 1, Context().ImagePath(name)) != 1)
            throw QStringLiteral("SaveImage: ") + scanner.ErrorText();
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

// One polling tick over a folder (other stations' files, this station's none).
int Poll(const Args& a) {
    StatusLine status;
    Context().MainWindow = &status;
    Context().filePath = a.Required(QStringLiteral("--folder"));
    Context().ScannerID = a.Value(QStringLiteral("--id"), QStringLiteral("A"));
    if (a.Has(QStringLiteral("--db")))
        OpenDatabase(a.Value(QStringLiteral("--db")));
    QTreeWidget listView1;
    ToBeScannedList list(&listView1);
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

int StartupChild(int argc, char** argv, const Args& a) {
    RunOptions options;
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

void Usage() {
    Err() << "usage: quiller-bench COMMAND [options]\n"
             "  gen-db --rows N --out DB\n"
             "  gen-datafile --lines N --out FILE\n"
             "  gen-page --dpi 200 --out PAGE.pgm\n"
             "  gen-folder --files N --out DIR\n"
             "  intake --db DB --file FILE\n"
             "  intake-sql --file FILE --out SQL   (the sqlite3 shell's anchor script)\n"
             "  search --db DB --criterion \"Rx Number\"|Patient|Drug|Date "
             "(--text T | --from MM/DD/YYYY --to MM/DD/YYYY) [--runs 5]\n"
             "  store --image PAGE --count N [--dir FOLDER]\n"
             "  poll --folder DIR --id A [--ticks 21]\n"
             "  buffer --pages N --dpi 200\n"
             "  startup [--scanner simulated|sane] [--runs 5]\n"
             "  feeder [--pages 10] [--fake-lib DIR]   (the test SANE backend)\n"
             "  rotate [--runs 20]\n"
          << Qt::flush;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list << QString::fromLocal8Bit(argv[i]);
    const QString command = list.value(1);
    const Args args(list.mid(2));
    try {
        if (command == QLatin1String("startup-child"))
            return StartupChild(argc, argv, args);
        QApplication application(argc, argv);
        AnswerBoxesOnStderr();
        if (command == QLatin1String("gen-db"))
            return GenDb(args);
        if (command == QLatin1String("gen-datafile"))
            return GenDataFile(args);
        if (command == QLatin1String("gen-page"))
            return GenPage(args);
        if (command == QLatin1String("gen-folder"))
            return GenFolder(args);
        if (command == QLatin1String("intake-sql"))
            return IntakeSql(args);
        if (command == QLatin1String("intake"))
            return Intake(args);
        if (command == QLatin1String("search"))
            return Search(args);
        if (command == QLatin1String("store"))
            return Store(args);
        if (command == QLatin1String("poll"))
            return Poll(args);
        if (command == QLatin1String("buffer"))
            return Buffer(args);
        if (command == QLatin1String("feeder"))
            return bench::Feeder(int(args.Number(QStringLiteral("--pages"), 10)),
                                 args.Value(QStringLiteral("--fake-lib"), QUILLER_FAKE_SANE_LIBDIR),
                                 Out());
        if (command == QLatin1String("rotate"))
            return bench::Rotate(int(args.Number(QStringLiteral("--runs"), 20)), Out());
        if (command == QLatin1String("startup"))
            return Startup(args, QCoreApplication::applicationFilePath());
    } catch (const QString& message) {
        Err() << "quiller-bench " << command << ": " << message << Qt::endl;
        return 1;
    } catch (const QuillerError& e) {
        Err() << "quiller-bench " << command << ": " << e.description() << Qt::endl;
        return 1;
    }
    Usage();
    return 2;
}
