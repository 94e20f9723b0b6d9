#include "editors/devices/DeviceName.h"

#include "editors/devices/DeviceLists.h"
#include "model/Data.h"
#include "storage/Prompts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmDeviceName::TfrmDeviceName(TData& data, TPrompts& prompts, QWidget* parent)
    : QDialog(parent), data_(data), prompts_(prompts)
{
    setObjectName(QStringLiteral("frmDeviceName"));
    setWindowTitle(QStringLiteral("Device Name"));

    auto* label = new QLabel(QStringLiteral("&Point Description"), this);
    cmbDescription_ = new QComboBox(this);
    cmbDescription_->setObjectName(QStringLiteral("cmbPointDescription"));
    cmbDescription_->setAccessibleName(QStringLiteral("Point Description"));
    cmbDescription_->setEditable(true);
    // Enter accepts the dialog; it must not add the typed text to the list by itself.
    cmbDescription_->setInsertPolicy(QComboBox::NoInsert);
    cmbDescription_->lineEdit()->setMaxLength(MaxDescriptionLength);
    connect(cmbDescription_->lineEdit(), &QLineEdit::inputRejected, this,
            [this] { prompts_.beep(); });
    cmbDescription_->setMinimumContentsLength(MaxDescriptionLength);
    cmbDescription_->setMaxVisibleItems(20);
    label->setBuddy(cmbDescription_);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* accept = buttons->addButton(QStringLiteral("&Accept"), QDialogButtonBox::AcceptRole);
    accept->setObjectName(QStringLiteral("btnAccept"));
    accept->setAccessibleName(QStringLiteral("Accept"));
    accept->setDefault(true);
    QPushButton* cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    cancel->setAccessibleName(QStringLiteral("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TfrmDeviceName::AcceptName);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(cmbDescription_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmDeviceName::Prepare(const QString& text)
{
    newDescription_.clear();
    newIndex_ = -1;
    cmbDescription_->clear();
    cmbDescription_->addItems(data_.NameTable.Entries());
    const int found = data_.FindName(text);
    cmbDescription_->setCurrentIndex(found);
    cmbDescription_->setEditText(text.left(MaxDescriptionLength));
    cmbDescription_->lineEdit()->selectAll();
    cmbDescription_->setFocus();
}

QString TfrmDeviceName::Text() const
{
    const QString text = cmbDescription_->currentText().left(MaxDescriptionLength);
    return text.isEmpty() ? NoNameAllocated : text;
}

int TfrmDeviceName::SelectedIndex() const
{
    return data_.FindName(Text());
}

void TfrmDeviceName::AcceptName()
{
    const QString text = Text();
    if (data_.FindName(text) < 0) {
        int index = -1;
        QString message;
        if (data_.AddName(text, index, message)) {
            cmbDescription_->addItem(text);
            cmbDescription_->setCurrentIndex(index);
            newDescription_ = text;
            newIndex_ = index;
        } else {
            // The panel's box asks Yes or No; either answer adds nothing.
            prompts_.confirm(message, TPromptButtons::pbYesNo, TPromptKind::pkError);
        }
    }
    accept();
}
