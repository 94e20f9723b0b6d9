#include "editors/print/GoPageForm.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

TGoPageForm::TGoPageForm(int pageCount, int current, QWidget* parent)
    : QDialog(parent), pageNum_(new QSpinBox(this))
{
    setObjectName(QStringLiteral("GoPageForm"));
    setWindowTitle(QStringLiteral("Go to Page Number"));

    pageNum_->setObjectName(QStringLiteral("PageNum"));
    pageNum_->setAccessibleName(QStringLiteral("Page Number"));
    pageNum_->setRange(1, qMax(1, pageCount));
    pageNum_->setValue(current);
    auto* label = new QLabel(QStringLiteral("&Page Number:"), this);
    label->setBuddy(pageNum_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setAccessibleName(QStringLiteral("OK"));
    QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    cancel->setAccessibleName(QStringLiteral("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow(label, pageNum_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    pageNum_->selectAll();
}

int TGoPageForm::Value() const
{
    return pageNum_->value();
}
