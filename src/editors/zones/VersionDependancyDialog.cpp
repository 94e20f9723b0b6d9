#include "editors/zones/VersionDependancyDialog.h"

#include "model/CauseEffect.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmVersionDependancy::TfrmVersionDependancy(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmVersionDependancy"));
    setWindowTitle(QStringLiteral("Version Dependancy Message"));
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(CEFirmwareNotice, this);
    text->setObjectName(QStringLiteral("lblVersionText"));
    text->setTextFormat(Qt::PlainText);
    chkDoNotShow_ = new QCheckBox(QStringLiteral("Do Not show this message again"), this);
    chkDoNotShow_->setObjectName(QStringLiteral("chkDoNotShow"));
    chkDoNotShow_->setAccessibleName(chkDoNotShow_->text());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("btnOK"));
    ok->setText(QStringLiteral("OK"));
    ok->setAccessibleName(QStringLiteral("OK"));
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(text);
    layout->addSpacing(8);
    layout->addWidget(chkDoNotShow_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool TfrmVersionDependancy::DoNotShowAgain() const
{
    return chkDoNotShow_->isChecked();
}
