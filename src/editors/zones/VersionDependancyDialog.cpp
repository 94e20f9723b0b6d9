#include "editors/zones/VersionDependancyDialog.h"

#include "editors/zones/NoticeButtons.h"
#include "model/CauseEffect.h"

#include <QCheckBox>
#include <QLabel>
#include <QVBoxLayout>

TfrmVersionDependancy::TfrmVersionDependancy(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmVersionDependancy"));
    setWindowTitle(QStringLiteral("Version Dependancy Message"));
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(CEFirmwareNotice, this);
    text->setObjectName(QStringLiteral("lblVersionText"));
    text->setTextFormat(Qt::PlainText);
    layout->addWidget(text);
    chkDoNotShow_ = AddDoNotShowAndOk(this, layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool TfrmVersionDependancy::DoNotShowAgain() const
{
    return chkDoNotShow_->isChecked();
}
