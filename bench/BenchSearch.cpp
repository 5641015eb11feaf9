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
#include <cstdio>
#include <memory>
#include <thread>
#include <vector>

namespace quiller::bench {

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
    ViewContext context(Context(), nullptr);
    SearchList search(w, context, nullptr);
    FitColumns(w.ListView2); // as the scan window sizes its columns
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
    } else if (criterion != QLatin1String("Not scanned")) {
        w.Text1->setText(a.Required(QStringLiteral("--text")));
    }
    window.show();
    QCoreApplication::processEvents();
    SearchResultModel* model = search.Model();
    const qint64 everyRowUpTo = a.Number(QStringLiteral("--max-rows"), -1);

    // --busy-core: another program keeps a second core busy for the whole measurement,
    // as a station scanning or a pharmacy system's report does.
    std::atomic<bool> stopBusy{false};
    std::thread busy;
    if (a.Has(QStringLiteral("--busy-core")))
        busy = std::thread([&stopBusy] {
            volatile quint64 spins = 0;
            while (!stopBusy.load(std::memory_order_relaxed))
                spins = spins + 1;
        });
    const auto endBusy = qScopeGuard([&] {
        stopBusy = true;
        if (busy.joinable())
            busy.join();
    });

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
    Figure("busy_core", qint64(busy.joinable() ? 1 : 0));
    Context().MainWindow = nullptr;
    Context().DbConnection.reset();
    return 0;
}

} // namespace quiller::bench
