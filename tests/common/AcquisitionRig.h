#pragma once
// A scan window with its acquisition controller on the simulated scanner, over a fresh
// station database in its own test environment, every message box recorded; the intake
// (data files into the list, then the batch) is attached on request; `device` may be
// pointed at another scanner control. Header only: for tests that link the gui layer.
#include "common/ScriptedMessageBoxes.h"
#include "common/ScriptedScanner.h"
#include "common/TestEnv.h"
#include "common/ViewFixture.h"
#include "gui/scan/AcquisitionController.h"
#include "gui/scan/ToBeScannedList.h"
#include "gui/scan/frmScan.h"
#include "records/Database.h"
#include "station/StationCore.h"

#include <QPointer>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

namespace quiller::test {

class AcquisitionRig {
public:
    explicit AcquisitionRig(MainWindowPort* status = nullptr) {
        StationContext& app = SharedContext();
        app.dataPath = env.imageFolder();
        app.filePath = env.interchangeFolder();
        app.ScannerID = QStringLiteral("A");
        app.MainWindow = status;
        Database::EnsureFile(app.dataPath, QString());
        app.DbConnection = std::make_unique<Database>();
        app.DbConnection->Open(app.dataPath); // throws, failing the test, when it cannot
        core = std::make_unique<StationCore>(app);
        window = new frmScan(app, *core);
        scanner.StartDevice();
        core->SetScanner(&scanner);
        controller = new AcquisitionController(window, *core,
                                               {[this]() -> ScannerControl* { return device; },
                                                [this]() -> int& { return currentIndex; },
                                                [](int index, bool) {
                                                    return QString::number(index);
                                                }},
                                               window);
        new ToBeScannedList(window->ListView1, core->Entries(), window);
        QObject::connect(window->cmdScanRest, &QPushButton::clicked, controller.data(),
                         &AcquisitionController::ScanRest_Click);
        window->behaviours().mayStop = [c = controller] {
            return c->ConfirmStop();
        };
    }
    ~AcquisitionRig() {
        delete window.data();
        core.reset();
        SharedContext().DbConnection.reset();
        SharedContext().MainWindow = nullptr;
    }

    void ClearBuffer() {
        while (scanner.ImageCount() > 0)
            scanner.DeleteImage(0);
        currentIndex = -1;
    }

    // The core's polling tick, run by hand (the polling timer is stopped).
    StationCore* AttachIntake() {
        core->PollTimer()->stop();
        return core.get();
    }

    // A to-be-scanned entry, with its row stored when there is none.
    QTreeWidgetItem* AddEntry(const QString& rx, const QString& ref, const QString& mark = "X") {
        core->Entries().Append(rx + "-" + ref, "03/07/2006", "Amoxicillin", "Smith, John", mark);
        core->Entries().SetLastKey(rx, ref);
        QTreeWidgetItem* item = window->ListView1->topLevelItem(core->Entries().Count() - 1);
        Database& db = *SharedContext().DbConnection;
        if (!db.Find(rx, ref))
            db.UpsertPrescription(
                Prescription{rx, ref, "03/07/2006", "Amoxicillin", "John", "Smith", ""});
        return item;
    }
    // The image name stored for a prescription, or "<no row>".
    static QString RxImage(const QString& rx, const QString& ref) {
        auto row = SharedContext().DbConnection->Find(rx, ref);
        return row ? row->RxImage : QStringLiteral("<no row>");
    }
    QString Image(const QString& name) const { return env.imageFolder() + "/" + name; }
    // The pictures in the image folder, or in one of its subfolders ("/Unmatched").
    QStringList Files(const QString& sub = QString()) const {
        return QDir(env.imageFolder() + sub).entryList({"*.jpg"}, QDir::Files);
    }
    void WaitIdle() { QTRY_VERIFY_WITH_TIMEOUT(!controller->Busy(), 5000); }

    ScriptedMessageBoxes boxes;
    TestEnv env;
    ScriptedScanner scanner;
    std::unique_ptr<StationCore> core;
    QPointer<frmScan> window;
    ScannerControl* device = &scanner;
    QPointer<AcquisitionController> controller;
    int currentIndex = 0;
};

} // namespace quiller::test
