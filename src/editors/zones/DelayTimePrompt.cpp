#include "editors/zones/DelayTimePrompt.h"

#include "editors/zones/NoticeButtons.h"
#include "storage/Prompts.h"

#include <QCheckBox>
#include <QLabel>
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
    layout->addWidget(text);
    layout->addWidget(limit);
    chkDoNotShow_ = AddDoNotShowAndOk(this, layout);
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
