#include "editors/zones/NoticeButtons.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

QCheckBox* AddDoNotShowAndOk(QDialog* dialog, QVBoxLayout* layout)
{
    auto* doNotShow = new QCheckBox(QStringLiteral("Do Not show this message again"), dialog);
    doNotShow->setObjectName(QStringLiteral("chkDoNotShow"));
    doNotShow->setAccessibleName(doNotShow->text());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, dialog);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("btnOK"));
    ok->setText(QStringLiteral("OK"));
    ok->setAccessibleName(QStringLiteral("OK"));
    ok->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    layout->addSpacing(8);
    layout->addWidget(doNotShow);
    layout->addWidget(buttons);
    return doNotShow;
}
