#include "editors/status/CommSelect.h"

#include "storage/PortSettings.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSerialPortInfo>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString UsbIds(const QSerialPortInfo& info)
{
    if (!info.hasVendorIdentifier() || !info.hasProductIdentifier())
        return QString();
    return QStringLiteral("%1:%2")
        .arg(info.vendorIdentifier(), 4, 16, QLatin1Char('0'))
        .arg(info.productIdentifier(), 4, 16, QLatin1Char('0'));
}

} // namespace

TCommSelectForm::TCommSelectForm(TPortSettings& settings, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), settings_(settings)
{
    setObjectName(QStringLiteral("CommSelectForm"));
    setWindowTitle(QStringLiteral("Select Comm Port ..."));

    auto* choiceBox = new QGroupBox(QStringLiteral("Port"), this);
    auto* choiceLayout = new QVBoxLayout(choiceBox);
    choices_ = new QButtonGroup(this);
    for (int port = 1; port <= Choices; ++port) {
        const QString caption = QStringLiteral("Select COM%1").arg(port);
        auto* button = new QRadioButton(caption, choiceBox);
        button->setObjectName(QStringLiteral("rbCOM%1").arg(port));
        button->setAccessibleName(QStringLiteral("Select COM%1").arg(port));
        choices_->addButton(button, port);
        choiceLayout->addWidget(button);
    }
    choiceLayout->addStretch();
    choices_->button(1)->setChecked(true);
    connect(choices_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            ChoiceChanged(id);
    });

    auto* deviceBox = new QGroupBox(QStringLiteral("Device on this computer"), this);
    lblDevice_ = new QLabel(deviceBox);
    cboDevice_ = new QComboBox(deviceBox);
    cboDevice_->setObjectName(QStringLiteral("cboDevice"));
    cboDevice_->setAccessibleName(deviceBox->title());
    cboDevice_->setEditable(true);
    cboDevice_->setInsertPolicy(QComboBox::NoInsert);
    cboDevice_->setMinimumContentsLength(24);
    lblDevice_->setBuddy(cboDevice_);
    connect(cboDevice_, &QComboBox::editTextChanged, this, &TCommSelectForm::DeviceEdited);

    lstPorts_ = new QTreeWidget(deviceBox);
    lstPorts_->setObjectName(QStringLiteral("lstPorts"));
    lstPorts_->setAccessibleName(QStringLiteral("Serial ports of this computer"));
    lstPorts_->setRootIsDecorated(false);
    lstPorts_->setHeaderLabels({QStringLiteral("Port"), QStringLiteral("Description"),
                                QStringLiteral("Manufacturer"), QStringLiteral("USB id")});
    lstPorts_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    lstPorts_->setMinimumWidth(lstPorts_->fontMetrics().averageCharWidth() * 80);
    lstPorts_->setMinimumHeight(lstPorts_->fontMetrics().height() * 8);
    connect(lstPorts_, &QTreeWidget::itemActivated, this, &TCommSelectForm::PortListActivated);
    connect(lstPorts_, &QTreeWidget::itemClicked, this, &TCommSelectForm::PortListActivated);
    auto* lblPorts = new QLabel(QStringLiteral("Serial ports &found:"), deviceBox);
    lblPorts->setBuddy(lstPorts_);

    auto* btnRefresh = new QPushButton(QStringLiteral("&Refresh list"), deviceBox);
    btnRefresh->setObjectName(QStringLiteral("btnRefreshPorts"));
    btnRefresh->setAccessibleName(QStringLiteral("Refresh list"));
    btnRefresh->setAutoDefault(false);
    connect(btnRefresh, &QPushButton::clicked, this, &TCommSelectForm::ListPorts);

    auto* deviceLayout = new QVBoxLayout(deviceBox);
    deviceLayout->addWidget(lblDevice_);
    deviceLayout->addWidget(cboDevice_);
    auto* listHeader = new QHBoxLayout;
    listHeader->addWidget(lblPorts);
    listHeader->addStretch();
    listHeader->addWidget(btnRefresh);
    deviceLayout->addLayout(listHeader);
    deviceLayout->addWidget(lstPorts_);

    auto* buttons = new QDialogButtonBox(this);
    auto* btnAccept = buttons->addButton(QStringLiteral("Accept."), QDialogButtonBox::AcceptRole);
    btnAccept->setObjectName(QStringLiteral("btnAccept"));
    btnAccept->setAccessibleName(QStringLiteral("Accept."));
    btnAccept->setDefault(true);
    auto* btnCancel = buttons->addButton(QStringLiteral("Cancel."), QDialogButtonBox::RejectRole);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setAccessibleName(QStringLiteral("Cancel."));
    connect(buttons, &QDialogButtonBox::accepted, this, &TCommSelectForm::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TCommSelectForm::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(choiceBox);
    top->addWidget(deviceBox, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);

    Reload();
}

int TCommSelectForm::Choice() const
{
    return choices_->checkedId();
}

void TCommSelectForm::SetChoice(int port)
{
    if (port < 1 || port > Choices)
        port = 1;
    choices_->button(port)->setChecked(true);
    ChoiceChanged(port);
}

QString TCommSelectForm::ChosenDevice() const
{
    return devices_[static_cast<std::size_t>(Choice() - 1)];
}

void TCommSelectForm::Reload()
{
    for (int port = 1; port <= Choices; ++port)
        devices_[static_cast<std::size_t>(port - 1)] = settings_.DevicePath(port);
    ListPorts();
    ChoiceChanged(Choice());
}

void TCommSelectForm::accept()
{
    for (int port = 1; port <= Choices; ++port) {
        const QString device = devices_[static_cast<std::size_t>(port - 1)].trimmed();
        if (!device.isEmpty())
            settings_.SetDevicePath(port, device);
    }
    settings_.SavePortChoice(Choice());
    QDialog::accept();
}

void TCommSelectForm::ChoiceChanged(int port)
{
    shown_ = port;
    lblDevice_->setText(QStringLiteral("COM%1 &is:").arg(port));
    const QString device = devices_[static_cast<std::size_t>(port - 1)];
    const QSignalBlocker block(cboDevice_);
    const int index = cboDevice_->findData(device);
    if (index >= 0)
        cboDevice_->setCurrentIndex(index);
    cboDevice_->setEditText(device);
}

void TCommSelectForm::DeviceEdited(const QString& text)
{
    // A picked entry shows its description; what is kept is the device behind it.
    const int index = cboDevice_->findText(text);
    const QString device = index >= 0 ? cboDevice_->itemData(index).toString() : text.trimmed();
    devices_[static_cast<std::size_t>(shown_ - 1)] = device;
}

void TCommSelectForm::PortListActivated()
{
    const QTreeWidgetItem* item = lstPorts_->currentItem();
    if (!item)
        return;
    const QString device = item->data(0, Qt::UserRole).toString();
    devices_[static_cast<std::size_t>(shown_ - 1)] = device;
    ChoiceChanged(shown_);
}

void TCommSelectForm::ListPorts()
{
    const QSignalBlocker block(cboDevice_);
    cboDevice_->clear();
    lstPorts_->clear();
    auto add = [this](const QString& device, const QStringList& columns) {
        cboDevice_->addItem(device, device);
        auto* item = new QTreeWidgetItem(lstPorts_, columns);
        item->setData(0, Qt::UserRole, device);
    };
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        add(info.systemLocation(),
            {info.systemLocation(), info.description(), info.manufacturer(), UsbIds(info)});
    add(TPortSettings::DemoPort, {TPortSettings::DemoPort,
                                  QStringLiteral("Emulated panel (no cable needed)"), QString(),
                                  QString()});
    cboDevice_->setEditText(devices_[static_cast<std::size_t>(shown_ - 1)]);
}
