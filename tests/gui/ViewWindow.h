#pragma once

#include "gui/common/PictureBox.h"
#include "gui/view/ViewWidgets.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quiller::test {

// Plain widgets standing in for the scan window's controls.
class ViewWindow : public QWidget {
public:
    ViewWindow() {
        auto* layout = new QVBoxLayout(this);
        ListView1 = new QTreeWidget;
        ListView1->setObjectName("ListView1");
        ListView1->setHeaderLabels({"Rx Number", "Date", "Drug Name", "Patient"});
        ListView1->setRootIsDecorated(false);
        fraList = new QGroupBox("Prescriptions to be viewed");
        fraList->setObjectName("fraList");
        auto* listLayout = new QVBoxLayout(fraList);
        ListView2 = new QTreeView;
        ListView2->setObjectName("ListView2");
        listLayout->addWidget(ListView2);
        Frame2 = new QGroupBox("Rx image");
        Frame2->setObjectName("Frame2");
        auto* frameLayout = new QVBoxLayout(Frame2);
        Image1 = new PictureBox;
        Image1->setObjectName("Image1");
        Image1->setMinimumSize(100, 80);
        Command2 = new QPushButton("&Rotate");
        Command2->setObjectName("Command2");
        Command4 = new QPushButton("&View Larger Image/Print");
        Command4->setObjectName("Command4");
        frameLayout->addWidget(Image1);
        frameLayout->addWidget(Command2);
        frameLayout->addWidget(Command4);
        Combo2 = new QComboBox;
        Combo2->setObjectName("Combo2");
        Combo2->setEditable(true);
        Combo2->setInsertPolicy(QComboBox::NoInsert);
        Combo2->addItems({"Rx Number", "Patient", "Date", "Drug"});
        Text1 = new QLineEdit;
        Text1->setObjectName("Text1");
        layout->addWidget(ListView1);
        layout->addWidget(Combo2);
        layout->addWidget(Text1);
        for (int i = 0; i < 2; ++i) {
            lblDate[i] = new QLabel(i == 0 ? "From fill date" : "Ro fill date");
            lblDate[i]->setObjectName(QStringLiteral("lblDate(%1)").arg(i));
            DTPicker1[i] = new QDateEdit(QDate::currentDate());
            DTPicker1[i]->setObjectName(QStringLiteral("DTPicker1(%1)").arg(i));
            layout->addWidget(lblDate[i]);
            layout->addWidget(DTPicker1[i]);
            lblDate[i]->hide();
            DTPicker1[i]->hide();
        }
        layout->addWidget(fraList);
        layout->addWidget(Frame2);
        resize(700, 900);
    }

    ViewWidgets widgets() const {
        ViewWidgets w;
        w.ListView1 = ListView1;
        w.ListView2 = ListView2;
        w.Image1 = Image1;
        w.Frame2 = Frame2;
        w.Command2 = Command2;
        w.Command4 = Command4;
        w.fraList = fraList;
        w.Combo2 = Combo2;
        w.Text1 = Text1;
        w.lblDate = {lblDate[0], lblDate[1]};
        w.DTPicker1 = {DTPicker1[0], DTPicker1[1]};
        return w;
    }

    // A to-be-scanned row with its tag.
    QTreeWidgetItem* AddScanRow(const QString& text, const QString& tag) {
        auto* item =
            new QTreeWidgetItem(ListView1, QStringList{text, "03/07/2006", "Drug", "X, Y"});
        item->setData(0, Qt::UserRole, tag);
        item->setCheckState(0, Qt::Unchecked);
        return item;
    }

    QTreeWidget* ListView1;
    QGroupBox* fraList;
    QTreeView* ListView2;
    QGroupBox* Frame2;
    PictureBox* Image1;
    QPushButton* Command2;
    QPushButton* Command4;
    QComboBox* Combo2;
    QLineEdit* Text1;
    QLabel* lblDate[2];
    QDateEdit* DTPicker1[2];
};

} // namespace quiller::test
