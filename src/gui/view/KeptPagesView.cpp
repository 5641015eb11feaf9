#include "gui/view/KeptPagesView.h"

#include "base/Error.h"
#include "base/FileSystem.h"
#include "base/MessageBoxes.h"
#include "base/Text.h"
#include "gui/common/PictureBox.h"
#include "gui/view/Preview.h"
#include "records/PageChecks.h"
#include "records/SearchResultModel.h"
#include "settings/SettingsStore.h"
#include "settings/StationSettings.h"
#include "station/PatientRecords.h"
#include "station/StationContext.h"
#include "station/verify/VerifySettings.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QImageReader>
#include <QPushButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quiller {

KeptPagesView::KeptPagesView(StationContext& app, QTreeView* searchList, SearchResultModel* model,
                             QWidget* parent)
    : QWidget(parent, Qt::Window), app_(app), searchList_(searchList), model_(model) {
    setObjectName(QStringLiteral("frmKeptPages"));
    setWindowTitle(tr("Kept pages"));
    List = new QTreeWidget(this);
    List->setObjectName(QStringLiteral("lstKept"));
    List->setRootIsDecorated(false);
    List->setAllColumnsShowFocus(true);
    List->setSelectionMode(QAbstractItemView::SingleSelection);
    List->setHeaderLabels({tr("Reason"), tr("Label read"), tr("Kept at"), tr("Station")});
    // Each column as wide as its heading and its values (few pages are kept), the list
    // scrolling sideways when they need more than its width.
    List->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    List->setAccessibleName(tr("Kept pages"));
    Preview = new PictureBox(this);
    Preview->setObjectName(QStringLiteral("imgKept"));
    Preview->setMinimumSize(240, 300);
    Preview->setAccessibleName(tr("Kept page"));
    cmdFile = new QPushButton(tr("&File under the selected prescription"), this);
    cmdFile->setObjectName(QStringLiteral("cmdFile"));
    cmdFile->setToolTip(tr("File this page as the image of the prescription selected in the "
                           "viewing list"));
    cmdSetAside = new QPushButton(tr("Set &aside"), this);
    cmdSetAside->setObjectName(QStringLiteral("cmdSetAside"));
    cmdSetAside->setToolTip(tr("Move this page to the Discarded folder; it is not erased"));
    cmdClose = new QPushButton(tr("&Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdFile);
    buttons->addWidget(cmdSetAside);
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    auto* lists = new QHBoxLayout;
    lists->addWidget(List, 3);
    lists->addWidget(Preview, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists);
    layout->addLayout(buttons);
    resize(820, 420);

    connect(List, &QTreeWidget::currentItemChanged, this, [this] { ShowSelected(); });
    connect(cmdFile, &QPushButton::clicked, this, &KeptPagesView::File_Click);
    connect(cmdSetAside, &QPushButton::clicked, this, &KeptPagesView::SetAside_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
}

void KeptPagesView::Refresh() {
    pages_ = KeptPages(app_).List();
    List->clear();
    for (const KeptPage& page : std::as_const(pages_)) {
        auto* item = new QTreeWidgetItem(
            List, {page.why, page.label,
                   ListDate(page.when.date()) + QLatin1Char(' ') +
                       QLocale().toString(page.when.time(), QLocale::ShortFormat),
                   page.station});
        item->setToolTip(0, page.file);
    }
    if (List->topLevelItemCount() > 0)
        List->setCurrentItem(List->topLevelItem(0));
    ShowSelected();
}

int KeptPagesView::SelectedPage() const {
    const int i = List->currentItem() ? List->indexOfTopLevelItem(List->currentItem()) : -1;
    return i >= 0 && i < pages_.size() ? i : -1;
}

void KeptPagesView::ShowSelected() {
    const int i = SelectedPage();
    cmdFile->setEnabled(i >= 0);
    cmdSetAside->setEnabled(i >= 0);
    if (i < 0) {
        Preview->Clear();
        return;
    }
    QImageReader reader(FileSystem::Join(app_.dataPath, pages_[i].file));
    reader.setAutoTransform(true);
    Preview->SetPicture(reader.read());
    if (pages_[i].file != lastPreviewed_) {
        lastPreviewed_ = pages_[i].file;
        PatientRecords::RecordAccess(app_, QStringLiteral("preview kept page"), {}, {},
                                     pages_[i].file);
    }
}

void KeptPagesView::File_Click() {
    const int i = SelectedPage();
    if (i < 0)
        return;
    const int row = searchList_ ? Preview::SelectedRow(searchList_) : -1;
    if (!model_ || row < 0 || row >= model_->rowCount()) {
        MessageBoxes::Show(tr("Select the prescription in the viewing list first, then file the "
                              "page under it."),
                           MsgIcon::Information);
        return;
    }
    const KeptPage page = pages_[i];
    const QString rxNbr = model_->Row(row).RxNbr;
    const QString refNo = model_->Row(row).RefNo;
    const LabelPattern pattern = ReadVerifySettings(StationSettings()).pattern;
    QPointer<KeptPagesView> self(this);
    bool labelConfirmed = false;
    bool replaceConfirmed = false;
    for (;;) {
        const KeptPages::Filing f =
            KeptPages(app_, pattern).File(page, rxNbr, refNo, labelConfirmed, replaceConfirmed);
        if (f.outcome == KeptPages::Outcome::Filed) {
            if (model_) {
                model_->SetImageOf(rxNbr, refNo, f.image);
                model_->SetFiledOf(rxNbr, refNo, PageChecks::ByOperator());
            }
            Refresh();
            return;
        }
        if (f.outcome == KeptPages::Outcome::Failed) {
            MessageBoxes::Show(f.text, MsgIcon::Exclamation);
            return;
        }
        // A question: the operator decides, and the window may be gone by the answer.
        const MsgAnswer answer = MessageBoxes::Ask(f.text);
        if (!self)
            return;
        if (answer != MsgAnswer::Yes)
            return;
        if (f.outcome == KeptPages::Outcome::OtherLabel)
            labelConfirmed = true;
        else
            replaceConfirmed = true;
    }
}

void KeptPagesView::SetAside_Click() {
    const int i = SelectedPage();
    if (i < 0)
        return;
    const KeptPage page = pages_[i];
    QPointer<KeptPagesView> self(this);
    const MsgAnswer answer = MessageBoxes::Ask(
        tr("Set this page aside? It moves to the Discarded folder and is no longer listed here."));
    if (!self || answer != MsgAnswer::Yes)
        return;
    try {
        KeptPages(app_).SetAside(page);
    } catch (const QuillerError& e) {
        MessageBoxes::Show(e.description(), MsgIcon::Exclamation);
        return;
    }
    Refresh();
}

} // namespace quiller
