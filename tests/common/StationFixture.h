#pragma once

// The whole station in the test process: settings, database, the main window with its
// scan window wired as the program wires it, a scanner from a factory the test
// chooses, every message box recorded and every end of the program counted.
#include "base/ProgramEnd.h"
#include "common/DataLines.h"
#include "common/ScriptedMessageBoxes.h"
#include "common/ScriptedScanner.h"
#include "common/TestEnv.h"
#include "common/ViewFixture.h"
#include "gui/main/StationWiring.h"
#include "gui/main/frmMain.h"
#include "gui/scan/frmScan.h"
#include "records/Database.h"
#include "station/StationContext.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>
#include <memory>

namespace quiller::test {

class Station {
public:
    Station() : previousQuitter_(SetLoopQuitter([this] { ++quits; })) {
        resetSharedContext();
        ScannerControl::SetFactory([this]() -> std::unique_ptr<ScannerControl> {
            auto s = std::make_unique<ScriptedScanner>();
            s->script() = script;
            simulated = s.get();
            return s;
        });
    }
    ~Station() {
        window.reset();
        resetSharedContext();
        ScannerControl::SetFactory([] { return std::make_unique<ScriptedScanner>(); });
        SetLoopQuitter(previousQuitter_);
    }

    // Writes the settings of a configured station (scanner ID A, the first scanner) and
    // opens its database.
    void configure() {
        env.writeSettings(
            QStringLiteral("[setup]\ndataPath=%1\nfilePath=%2\nScannerID=A\nScanner=0\n")
                .arg(env.imageFolder(), env.interchangeFolder()));
        SharedContext().dataPath = env.imageFolder();
        SharedContext().filePath = env.interchangeFolder();
        SharedContext().ScannerID = QStringLiteral("A");
        Database::EnsureFile(SharedContext().dataPath, QString());
        SharedContext().DbConnection = std::make_unique<Database>();
        SharedContext().DbConnection->Open(SharedContext().dataPath);
    }
    // Opens the main window as the program does (a previous one is closed first).
    frmMain& openWindow() {
        window.reset();
        window = std::make_unique<frmMain>(SharedContext());
        WireMainWindow(*window);
        window->show();
        window->Form_Load();
        return *window;
    }
    // Configures the station and opens its window, polling every 20 ms.
    void open() {
        configure();
        openWindow();
        QVERIFY(scan());
        fastPolling();
    }
    // A scan window opened anew (Restart) polls at the test's pace too.
    void fastPolling() { scan()->Timer1->setInterval(20); }

    frmScan* scan() const { return window ? window->ScanWindow() : nullptr; }
    QString status() const { return window->StatusText(); }
    QString dataFile(const QString& name) const { return env.interchangeFolder() + "/" + name; }
    QString lockFile() const { return env.interchangeFolder() + "/AQLVLock.xs4"; }
    void drop(const QString& name, const QByteArray& content) const {
        WriteFile(dataFile(name), content);
    }
    QStringList images() const {
        return QDir(env.imageFolder()).entryList({"*.jpg"}, QDir::Files, QDir::Name);
    }
    // "Rx/Ref" -> RxImage of every row.
    QMap<QString, QString> rows() const {
        QMap<QString, QString> out;
        QSqlQuery q(SharedContext().DbConnection->Connection());
        if (!q.exec(QStringLiteral("SELECT RxNbr, RefNo, RxImage FROM RxImages")))
            return {{QStringLiteral("error"), q.lastError().text()}};
        while (q.next())
            out.insert(q.value(0).toString() + "/" + q.value(1).toString(), q.value(2).toString());
        return out;
    }
    bool idleAndPolling() const {
        return status() == QStringLiteral("Idle") && scan()->Timer1->isActive() &&
               !QFile::exists(lockFile());
    }

    TestEnv env;
    ScriptedMessageBoxes boxes;
    ScriptedScanner::Script script;
    QPointer<ScriptedScanner> simulated;
    std::unique_ptr<frmMain> window;
    int quits = 0; // ends of the program's event loop asked for

private:
    LoopQuitter previousQuitter_;
    static void resetSharedContext() {
        StationContext& app = SharedContext();
        app.MainWindow = nullptr;
        app.DbConnection.reset();
        app.dataPath.clear();
        app.filePath.clear();
        app.ScannerID.clear();
    }
};

} // namespace quiller::test
