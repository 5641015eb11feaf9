// The viewing search: first screen, every row, and the longest step.
#include "BenchSupport.h"
#include "Generate.h"

#include "base/Error.h"
#include "base/MessageBoxes.h"
#include "gui/common/ColumnFit.h"
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
#include "station/PageStaging.h"
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
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>
#include <QWindow>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>
#include <vector>

namespace quiller::bench {

namespace {

// ListView2 as the window shows it, noting when it has painted.
class PaintedTreeView : public QTreeView {
public:
    using QTreeView::QTreeView;
    qint64 paints = 0;
    std::chrono::steady_clock::time_point paintedAt;

protected:
    void paintEvent(QPaintEvent* event) override {
        QTreeView::paintEvent(event);
        paintedAt = std::chrono::steady_clock::now();
        ++paints;
    }
};

// The search controls of the scan window over a shown list, as ListView2 is laid out.
struct SearchWindow {
    QWidget window;
    PaintedTreeView* view = nullptr;
    ViewWidgets w;
    StatusLine status;
    std::unique_ptr<ViewContext> context;
    std::unique_ptr<SearchList> search;

    SearchWindow() {
        Context().MainWindow = &status;
        window.resize(700, 520);
        view = new PaintedTreeView(&window);
        w.ListView2 = view;
        w.ListView2->setObjectName(QStringLiteral("ListView2"));
        w.ListView2->setGeometry(0, 80, 640, 420); // about 20 rows: a screenful
        w.Combo2 = new QComboBox(&window);
        w.Combo2->addItems({QStringLiteral("Rx Number"), QStringLiteral("Patient"),
                            QStringLiteral("Date"), QStringLiteral("Drug"),
                            QStringLiteral("Not scanned")});
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
        context = std::make_unique<ViewContext>(Context(), nullptr);
        search = std::make_unique<SearchList>(w, *context, nullptr);
        FitColumns(w.ListView2); // as the scan window sizes its columns
        window.show();
        QCoreApplication::processEvents();
    }
    ~SearchWindow() { Context().MainWindow = nullptr; }
    SearchWindow(const SearchWindow&) = delete;
    SearchWindow& operator=(const SearchWindow&) = delete;

    SearchResultModel* Model() const { return search->Model(); }

    // The criterion, and the text or the two dates, as the operator sets them.
    void Set(const QString& criterion, const QString& text, const QString& from = QString(),
             const QString& to = QString()) {
        w.Combo2->setCurrentText(criterion);
        if (w.Combo2->currentText() != criterion)
            throw QStringLiteral("unknown criterion ") + criterion;
        if (criterion == QLatin1String("Date")) {
            const QString format = QStringLiteral("MM/dd/yyyy");
            const QDate first = QDate::fromString(from, format);
            const QDate last = QDate::fromString(to, format);
            if (!first.isValid() || !last.isValid())
                throw QStringLiteral("--from and --to take MM/DD/YYYY");
            w.DTPicker1[0]->setDate(first);
            w.DTPicker1[1]->setDate(last);
        }
        w.Text1->setText(text);
    }

    // Runs the search; gives the milliseconds until its list has been painted (the first
    // screenful), then lets whatever followed the painting run.
    double FirstScreen() {
        const qint64 before = view->paints;
        const auto start = std::chrono::steady_clock::now();
        search->FillSearchList();
        QElapsedTimer waited;
        waited.start();
        while (view->paints == before && waited.elapsed() < 5000)
            QCoreApplication::processEvents();
        if (view->paints == before)
            throw QStringLiteral("the list was not painted");
        const double ms =
            std::chrono::duration<double, std::milli>(view->paintedAt - start).count();
        QCoreApplication::processEvents();
        return ms;
    }

    void ThrowOnFailure() const {
        if (!status.StatusText().isEmpty())
            throw QStringLiteral("the search failed: ") + status.StatusText();
    }
};

// Something else wants the machine while the window searches: with --busy-core a thread
// that keeps a second core busy; with --scan a thread that does what a scan does beside
// the window: pages arrive in a scanner control's buffer (encoded to JPEG there) and are
// written and flushed into a staging folder with their journal lines, one after the other
// without a pause (a faster scanner than any feeder). The staged files are removed again.
class Competitor {
public:
    explicit Competitor(const Args& a) {
        if (a.Has(QStringLiteral("--busy-core"))) {
            kind_ = QStringLiteral("busy_core");
            thread_ = std::thread([this] {
                volatile quint64 spins = 0;
                while (!stop_.load(std::memory_order_relaxed))
                    spins = spins + 1;
            });
        } else if (a.Has(QStringLiteral("--scan"))) {
            kind_ = QStringLiteral("scan");
            folder_ = std::make_unique<QTemporaryDir>(
                a.Value(QStringLiteral("--scan-dir"), QStringLiteral("/var/tmp")) +
                QStringLiteral("/quiller-bench-scan-XXXXXX"));
            if (!folder_->isValid())
                throw QStringLiteral("cannot make a staging folder");
            const QImage page = MakeScannedPage(200, 1);
            thread_ = std::thread([this, page] { Scan(page); });
            // The first pages are under way before the first search.
            while (pages_.load() < 2 && !failed_.load())
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    ~Competitor() { Stop(); }
    Competitor(const Competitor&) = delete;
    Competitor& operator=(const Competitor&) = delete;

    void Stop() {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
    }
    QString Kind() const { return kind_.isEmpty() ? QStringLiteral("none") : kind_; }
    qint64 Pages() const { return pages_.load(); }
    bool Failed() const { return failed_.load(); }

private:
    void Scan(const QImage& page) {
        try {
            PageStaging staging(folder_->path(), QStringLiteral("Z"));
            staging.Open();
            QList<ScanTarget> targets;
            ScanTarget target;
            target.entryText = QStringLiteral("999999-00");
            targets << target;
            const QString batch = staging.BeginBatch(Acquisition(Acquisition::Kind::Batch, targets),
                                                     QStringLiteral("off"));
            std::unique_ptr<SimulatedScanner> scanner;
            for (int i = 0; !stop_.load(); ++i) {
                if (i % 20 == 0)
                    scanner = std::make_unique<SimulatedScanner>(); // a batch at a time
                scanner->DeliverPage(page);
                const StagedPage staged =
                    staging.Stage(batch, i, scanner->PageJpeg(scanner->ImageCount() - 1), 200);
                QFile::remove(staged.path);
                ++pages_;
            }
        } catch (...) {
            failed_ = true;
        }
    }

    QString kind_;
    std::unique_ptr<QTemporaryDir> folder_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> failed_{false};
    std::atomic<qint64> pages_{0};
    std::thread thread_;
};

struct Criterion {
    const char* name;
    QString criterion;
    QString text;
    QString from;
    QString to;
};

// Every criterion in one run on one database: per criterion the first screen (the search
// until its list is laid out and painted), median and slowest of the runs. Before each
// run the list holds a long list of every row (--after-rows, 100,000 by default), as
// after an operator scrolled through it, so the first screen also shows whether it
// waits for the previous rows to be freed.
int SearchEveryCriterion(const Args& a) {
    const int runs = int(a.Number(QStringLiteral("--runs"), 5));
    const qint64 afterRows = a.Number(QStringLiteral("--after-rows"), 100000);
    const qint64 countUpTo = 10000;
    const QList<Criterion> criteria = {
        {"rx", QStringLiteral("Rx Number"), QStringLiteral("412345"), {}, {}},
        {"patient", QStringLiteral("Patient"), QStringLiteral("Ashworth"), {}, {}},
        {"drug", QStringLiteral("Drug"), QStringLiteral("Warfarin 25mg Soln"), {}, {}},
        {"date",
         QStringLiteral("Date"),
         {},
         QStringLiteral("03/14/2022"),
         QStringLiteral("03/16/2022")},
        {"not_scanned", QStringLiteral("Not scanned"), {}, {}, {}},
        // A patient text of a lone comma names no one: every prescription, in rowid order.
        {"list_all", QStringLiteral("Patient"), QStringLiteral(","), {}, {}},
        {"date_all",
         QStringLiteral("Date"),
         {},
         QStringLiteral("01/01/2000"),
         QStringLiteral("12/31/2030")},
    };
    SearchWindow sw;
    SearchResultModel* model = sw.Model();
    Competitor competitor(a);
    // The connection has been open for a while at the station: the first statement pays
    // for reading the schema, which a running station has done long before.
    sw.Set(QStringLiteral("Rx Number"), QStringLiteral("1"));
    sw.search->FillSearchList();
    QCoreApplication::processEvents();

    std::vector<double> everyFirst;
    for (const Criterion& c : criteria) {
        std::vector<double> first;
        for (int run = 0; run < runs; ++run) {
            if (afterRows > 0) {
                sw.Set(QStringLiteral("Patient"), QStringLiteral(","));
                sw.search->FillSearchList();
                while (model->canFetchMore(QModelIndex()) && model->rowCount() < afterRows)
                    model->fetchMore(QModelIndex());
                QCoreApplication::processEvents();
            }
            sw.Set(c.criterion, c.text, c.from, c.to);
            QCoreApplication::processEvents();
            first.push_back(sw.FirstScreen());
            sw.ThrowOnFailure();
        }
        // The hits, read after the timed runs (up to a bound: the long lists are counted
        // no further).
        while (model->canFetchMore(QModelIndex()) && model->rowCount() < countUpTo)
            model->fetchMore(QModelIndex());
        sw.ThrowOnFailure();
        const QString prefix = QString::fromLatin1(c.name);
        const auto figure = [&prefix](const char* what, const QString& value) {
            Out() << prefix << '_' << what << '=' << value << Qt::endl;
        };
        figure("rows", model->canFetchMore(QModelIndex())
                           ? QString::number(model->rowCount()) + QLatin1Char('+')
                           : QString::number(model->rowCount()));
        figure("first_ms", QString::number(Median(first), 'f', 2));
        figure("first_slowest_ms",
               QString::number(*std::max_element(first.begin(), first.end()), 'f', 2));
        everyFirst.insert(everyFirst.end(), first.begin(), first.end());
    }
    competitor.Stop();
    if (competitor.Failed())
        throw QStringLiteral("the scan beside the searches failed");
    Figure("slowest_first_ms", *std::max_element(everyFirst.begin(), everyFirst.end()));
    Figure("runs", qint64(runs));
    Figure("after_rows", afterRows);
    Figure("beside", competitor.Kind());
    if (competitor.Kind() == QLatin1String("scan"))
        Figure("scan_pages", competitor.Pages());
    sw.search.reset(); // what it still holds goes into the audit trail
    Context().DbConnection.reset();
    return 0;
}

} // namespace

// The search as the scan window runs it: the criterion box, the text or the two date
// pickers, SearchList::FillSearchList over the shown ListView2 and its paged model.
int Search(const Args& a) {
    OpenDatabase(a.Required(QStringLiteral("--db")));
    const QString criterion = a.Required(QStringLiteral("--criterion"));
    if (criterion == QLatin1String("all"))
        return SearchEveryCriterion(a);
    const int runs = int(a.Number(QStringLiteral("--runs"), 5));
    SearchWindow sw;
    if (criterion == QLatin1String("Date"))
        sw.Set(criterion, QString(), a.Required(QStringLiteral("--from")),
               a.Required(QStringLiteral("--to")));
    else if (criterion == QLatin1String("Not scanned"))
        sw.Set(criterion, QString());
    else
        sw.Set(criterion, a.Required(QStringLiteral("--text")));
    SearchList& search = *sw.search;
    ViewWidgets& w = sw.w;
    SearchResultModel* model = sw.Model();
    const qint64 everyRowUpTo = a.Number(QStringLiteral("--max-rows"), -1);

    // --busy-core: another program keeps a second core busy for the whole measurement,
    // as a station scanning or a pharmacy system's report does; --scan: a scan runs.
    Competitor competitor(a);
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
        first.push_back(sw.FirstScreen());
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
        sw.ThrowOnFailure();
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
    competitor.Stop();
    if (competitor.Failed())
        throw QStringLiteral("the scan beside the search failed");
    Figure("busy_core", qint64(competitor.Kind() == QLatin1String("busy_core") ? 1 : 0));
    Figure("beside", competitor.Kind());
    sw.search.reset(); // what it still holds goes into the audit trail
    Context().DbConnection.reset();
    return 0;
}

} // namespace quiller::bench
