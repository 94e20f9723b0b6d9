#include "editors/zones/DelayTimePrompt.h"

#include "storage/Prompts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmDelay_Time_Prompt::TfrmDelay_Time_Prompt(TPrompts& prompts, int maxOutputDelaySeconds,
                                             QWidget* parent)
    : QDialog(parent), prompts_(prompts)
{
    setObjectName(QStringLiteral("frmDelay_Time_Prompt"));
    setWindowTitle(QStringLiteral("Output Delay"));
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(QStringLiteral("Total output delay cannot exceed"), this);
    text->setObjectName(QStringLiteral("lblDelayText"));
    auto* limit = new QLabel(QString::number(maxOutputDelaySeconds / 60) + QStringLiteral(" Minutes"), this);
    limit->setObjectName(QStringLiteral("lblDelayLimit"));
    QFont bold = limit->font();
    bold.setBold(true);
    text->setFont(bold);
    limit->setFont(bold);
    text->setAlignment(Qt::AlignCenter);
    limit->setAlignment(Qt::AlignCenter);
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
    layout->addWidget(limit);
    layout->addSpacing(8);
    layout->addWidget(chkDoNotShow_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool TfrmDelay_Time_Prompt::DoNotShowAgain() const
{
    return chkDoNotShow_->isChecked();
}

void TfrmDelay_Time_Prompt::showEvent(QShowEvent* event)
{
    prompts_.beep();
    QDialog::showEvent(event);
}
