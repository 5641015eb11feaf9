#include "gui/main/StationWiring.h"

#include "base/MessageBoxes.h"
#include "base/ProgramEnd.h"
#include "gui/common/PictureBox.h"
#include "gui/help/PrintCommands.h"
#include "gui/help/frmAbout.h"
#include "gui/help/frmSupport.h"
#include "gui/main/frmMain.h"
#include "gui/scan/ToBeScannedList.h"
#include "gui/view/ShowPic.h"
#include "gui/view/ViewBehaviours.h"
#include "settings/StationSettings.h"
#include "station/StagingRecovery.h"
#include "station/StationContext.h"
#include "station/StationCore.h"
#include "station/verify/VerifySettings.h"

#include "gui/scan/AcquisitionController.h"
#include "gui/scan/ScannerStartup.h"
#include "gui/settings/frmConfiguration.h"
#include "scanner/SaneScanner.h"
#include <QCoreApplication>
#include <QMdiArea>
#include <QPushButton>
#include <QTimer>

namespace quiller {

void ShowConfiguration(StationContext& context, QWidget* owner) {
    frmConfiguration dialog(context, owner);
    dialog.Form_Load();
    dialog.exec();
}

void AttachScanBehaviours(frmScan& scan) {
    ScanWidgets widgets;
    widgets.context = &scan.Context();
    widgets.window = &scan;
    widgets.Combo1 = scan.Combo1;
    widgets.Image1 = scan.Image1;
    widgets.LabelImageNum = scan.LabelImageNum;
    widgets.Command2 = scan.Command2;
    widgets.Timer2 = scan.Timer2;
    auto* startup = new ScannerStartup(
        widgets, [] { EndProgramAtOnce(1); }, &scan);

    StationCore& core = scan.Core();
    AcquisitionController::ScannerAccess access;
    access.scanner = [startup] {
        return startup->Scanner1();
    };
    access.currentImageIndex = [startup]() -> int& {
        return startup->CurrentImageIndexRef();
    };
    access.imageText = [startup](int index, bool postScanForm) {
        ScannerControl* sc = startup->Scanner1();
        return ScannerStartup::ImageText(index, sc->ImageWidth(index), sc->ImageHeight(index),
                                         sc->ImageBitsPerPixel(index), postScanForm);
    };
    auto* acquisition = new AcquisitionController(&scan, core, access, &scan);
    new ToBeScannedList(scan.ListView1, core.Entries(), &scan);

    auto* viewing = new ViewBehaviours(scan.ViewControls(), scan.Context(), nullptr, &scan);
    // Rotate turns only the buffer page the preview shows, written over its own file.
    viewing->Context().SetRotateRule(
        [acquisition](const ViewContext&) { return acquisition->PreviewIsBufferImage(); });
    scan.SetListView2Columns();
    QObject::connect(&scan, &frmScan::showPicFormRequested, viewing->enlarged(),
                     &EnlargedView::ShowPicForm);

    frmScan::Behaviours& b = scan.behaviours();
    b.load = [startup, viewing, &core] {
        if (!startup->Start())
            return false;
        if (ScannerControl* sc = startup->Scanner1()) {
            core.SetScanner(sc);
            viewing->Context().SetScanner(sc);
        }
        return true;
    };
    b.unload = [startup, &core] {
        core.SetScanner(nullptr);
        startup->Shutdown();
    };
    b.mayStop = [acquisition] {
        return acquisition->ConfirmStop();
    };
    QObject::connect(scan.Command1, &QPushButton::clicked, acquisition,
                     &AcquisitionController::Command1_Click);
    QObject::connect(scan.Command2, &QPushButton::clicked, acquisition,
                     &AcquisitionController::Command2_Click);
    QObject::connect(scan.cmdScanRest, &QPushButton::clicked, acquisition,
                     &AcquisitionController::ScanRest_Click);
    QObject::connect(scan.cmdStop, &QPushButton::clicked, acquisition,
                     &AcquisitionController::Stop_Click);
}

// Pages an earlier run of this station left in its staging folder (a crash, a power cut)
// are filed or kept now, and the operator is told once what was recovered.
void RecoverLastRun(frmMain& window) {
    StationContext& ctx = window.Context();
    if (ctx.dataPath.isEmpty() || ctx.ScannerID.isEmpty())
        return;
    QString report;
    try {
        PageStaging* staging = window.Core().Staging();
        const VerifySettings settings = ReadVerifySettings(StationSettings());
        report = RecoverStaging(ctx, *staging, settings.pattern).Report();
    } catch (const QuillerError& e) {
        report = QCoreApplication::translate(
                     "StationWiring", "Pages left by the last run could not be looked at: %1")
                     .arg(e.description());
    }
    if (!report.isEmpty())
        QTimer::singleShot(0, &window,
                           [report] { MessageBoxes::Show(report, MsgIcon::Exclamation); });
}

void WireMainWindow(frmMain& window) {
    RecoverLastRun(window);
    frmMain::Commands& c = window.commands();
    c.configure = [&window](QWidget* owner) {
        ShowConfiguration(window.Context(), owner);
    };
    c.attachScanWindow = [](frmScan* scan) {
        AttachScanBehaviours(*scan);
    };
    c.about = [](QWidget* owner) {
        ShowAbout(owner);
    };
    c.support = [] {
        ShowSupport();
    };
    // One printer for the run: what the page-setup and print dialogs choose is what the
    // enlarged image window prints on.
    auto printing = std::make_shared<PrintCommands>(&window);
    std::weak_ptr<PrintCommands> chosen = printing;
    frmShowPic::SetPrinterFactory([chosen]() -> std::unique_ptr<QPrinter> {
        if (auto commands = chosen.lock())
            return commands->NewPrinterAsChosen();
        return std::make_unique<QPrinter>(QPrinter::HighResolution);
    });
    c.pageSetup = [printing](QWidget*) {
        printing->mnuFilePageSetup_Click();
    };
    c.print = [printing, &window](QWidget*, frmScan* scan) {
        const bool activeChild = window.MdiArea->currentSubWindow() != nullptr;
        printing->mnuFilePrint_Click(
            activeChild, [scan] { return scan && scan->Image1->HasPicture(); },
            [scan] {
                if (scan)
                    emit scan->showPicFormRequested();
            });
    };
}

void InstallScannerFactory() {
    InstallSaneScannerFactory();
}

} // namespace quiller
