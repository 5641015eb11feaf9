#include "gui/help/frmSupport.h"

#include "gui/help/AppIcon.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QShortcut>
#include <QVBoxLayout>

namespace quiller {

namespace {

QLabel* AddLine(QVBoxLayout* lines, QWidget* parent, const char* name, const QString& text,
                const QString& prefix = QString()) {
    auto* label = new QLabel(prefix + text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A line the deployment left empty is not shown at all.
    label->setVisible(!text.isEmpty());
    lines->addWidget(label);
    return label;
}

} // namespace

frmSupport::frmSupport(const SupportContact& contact, QWidget* parent)
    : QWidget(parent, Qt::Window), contact_(contact) {
    setObjectName(QStringLiteral("frmSupport"));
    setWindowTitle(tr("Technical Support"));
    setWindowIcon(ApplicationIcon());

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(16, 16, 24, 16);
    row->setSpacing(16);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("picSupport"));
    picture->setPixmap(ApplicationIcon().pixmap(64, 64));
    picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    row->addWidget(picture, 0, Qt::AlignTop);

    auto* lines = new QVBoxLayout;
    lines->setSpacing(2);
    auto* intro = new QLabel(tr("If you have questions, please contact"), this);
    intro->setObjectName(QStringLiteral("lblContact"));
    lines->addWidget(intro);
    lines->addSpacing(8);

    QLabel* name = AddLine(lines, this, "lblOrganisation", contact.organisation);
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    AddLine(lines, this, "lblStreet", contact.street);
    AddLine(lines, this, "lblCity", contact.city);
    lines->addSpacing(8);
    AddLine(lines, this, "lblTelephone", contact.telephone, tr("Telephone: "));
    AddLine(lines, this, "lblFax", contact.fax, tr("Fax: "));
    AddLine(lines, this, "lblEmail", contact.email, tr("E-mail: "));
    lines->addStretch(1);
    row->addLayout(lines, 1);

    // The panel is as large as its lines need, and follows them when they change.
    row->setSizeConstraint(QLayout::SetFixedSize);
    // Escape closes the panel.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

namespace {
QPointer<frmSupport>& Current() {
    static QPointer<frmSupport> current;
    return current;
}
} // namespace

frmSupport* CurrentSupport() {
    return Current().data();
}

frmSupport* ShowSupport() {
    QPointer<frmSupport>& current = Current();
    if (!current) {
        current = new frmSupport(SupportContact::Deployed());
        current->setAttribute(Qt::WA_DeleteOnClose);
    }
    current->show();
    current->raise();
    current->activateWindow();
    return current;
}

} // namespace quiller
