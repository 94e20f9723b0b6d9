#include "editors/devices/SequenceButtons.h"
#include "editors/site/Captions.h"

#include <QHBoxLayout>
#include <QPushButton>

QPushButton* MakeButton(const QString& caption, const QString& name, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAccessibleName(PlainCaption(caption));
    button->setAutoDefault(false);
    return button;
}

TSequenceButtons MakeSequenceButtons(QDialog* dialog,
                                     const std::function<void(TDeviceDialogResult)>& finish)
{
    TSequenceButtons b{};
    b.Accept = MakeButton(QStringLiteral("&Accept"), QStringLiteral("btnAccept"), dialog);
    b.Accept->setDefault(true);
    b.Cancel = MakeButton(QStringLiteral("Cancel"), QStringLiteral("btnCancel"), dialog);
    b.Next = MakeButton(QStringLiteral("&Next ->"), QStringLiteral("btnNext"), dialog);
    b.Prev = MakeButton(QStringLiteral("<- &Prev"), QStringLiteral("btnPrev"), dialog);
    QObject::connect(b.Accept, &QPushButton::clicked, dialog, [finish] { finish(ddrAccept); });
    QObject::connect(b.Cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    QObject::connect(b.Next, &QPushButton::clicked, dialog, [finish] { finish(ddrNext); });
    QObject::connect(b.Prev, &QPushButton::clicked, dialog, [finish] { finish(ddrPrev); });
    b.Row = new QHBoxLayout;
    b.Row->addWidget(b.Prev);
    b.Row->addWidget(b.Next);
    b.Row->addStretch(1);
    b.Row->addWidget(b.Accept);
    b.Row->addWidget(b.Cancel);
    return b;
}
