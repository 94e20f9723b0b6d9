#include "editors/devices/IOConfig.h"

#include "editors/common/EditorContext.h"
#include "editors/devices/DeviceLists.h"
#include "editors/devices/SequenceButtons.h"
#include "model/Data.h"
#include "storage/Prompts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

bool diagnosticsVisible = false;

// The channel byte of sub-address k sits at option index 2k + 1; its description's name
// index at 2k + 2.
int SettingIndex(int sub)
{
    return 2 * sub + 1;
}

QString& Description(TDeviceType& d, int sub)
{
    return sub == 0 ? d.Name : d.SubName(sub);
}

} // namespace

TIOConfig::TIOConfig(TEditorContext& context, QWidget* parent)
    : QDialog(parent), context_(context)
{
    setObjectName(QStringLiteral("IOConfig"));
    setWindowTitle(QStringLiteral("I/O Configuration"));
    Build();
}

void TIOConfig::SetDiagnosticsVisible(bool visible)
{
    diagnosticsVisible = visible;
}

bool TIOConfig::DiagnosticsVisible()
{
    return diagnosticsVisible;
}

void TIOConfig::Build()
{
    auto* lblAddress = new QLabel(QStringLiteral("Address"), this);
    txtAddress_ = new QLineEdit(this);
    txtAddress_->setObjectName(QStringLiteral("txtAddress"));
    txtAddress_->setAccessibleName(QStringLiteral("Address"));
    txtAddress_->setReadOnly(true);
    txtAddress_->setMaximumWidth(txtAddress_->fontMetrics().averageCharWidth() * 8);
    txtType_ = new QLineEdit(this);
    txtType_->setObjectName(QStringLiteral("txtType"));
    txtType_->setAccessibleName(QStringLiteral("Device type"));
    txtType_->setReadOnly(true);
    auto* head = new QHBoxLayout;
    head->addWidget(lblAddress);
    head->addWidget(txtAddress_);
    head->addWidget(txtType_, 1);

    auto* grid = new QGridLayout;
    const QStringList headings{QStringLiteral("Type"), QStringLiteral("Channel"),
                               QStringLiteral("Zone/Set"), QStringLiteral("Description")};
    for (int c = 0; c < headings.size(); ++c)
        grid->addWidget(new QLabel(headings.at(c), this), 0, c + 1);
    QWidget* previous = txtType_;
    for (int sub = 0; sub < SubAddresses; ++sub) {
        const QString n = QString::number(sub);
        const QString caption = QStringLiteral("Sub Address ") + n;
        TRow& row = rows_[static_cast<std::size_t>(sub)];
        row.Use = new QComboBox(this);
        row.Use->addItems({QStringLiteral("Input"), QStringLiteral("Output"),
                           QStringLiteral("Not Used")});
        row.Channel = new QComboBox(this);
        row.Number = new QComboBox(this);
        row.Number->setMaxVisibleItems(20);
        row.Number->setMinimumContentsLength(20);
        row.Description = new QLineEdit(this);
        row.Description->setMaxLength(MaxDescriptionLength);
        connect(row.Description, &QLineEdit::inputRejected, this,
                [this] { context_.Prompts.beep(); });
        row.Description->setMinimumWidth(row.Description->fontMetrics().averageCharWidth() * 28);
        const QList<std::pair<QWidget*, QString>> named{
            {row.Use, QStringLiteral("cmbUse")},
            {row.Channel, QStringLiteral("cmbChannel")},
            {row.Number, QStringLiteral("cmbNumber")},
            {row.Description, QStringLiteral("txtDescription")}};
        for (int c = 0; c < named.size(); ++c) {
            named.at(c).first->setObjectName(named.at(c).second + n);
            named.at(c).first->setAccessibleName(caption + QLatin1Char(' ') + headings.at(c));
            grid->addWidget(named.at(c).first, sub + 1, c + 1);
            setTabOrder(previous, named.at(c).first);
            previous = named.at(c).first;
        }
        auto* label = new QLabel(QStringLiteral("Sub Address &") + n, this);
        label->setBuddy(row.Use);
        grid->addWidget(label, sub + 1, 0);
        connect(row.Use, &QComboBox::activated, this, [this, sub](int i) { UseChosen(sub, i); });
        connect(row.Channel, &QComboBox::activated, this,
                [this, sub](int i) { ChannelChosen(sub, i); });
        connect(row.Number, &QComboBox::activated, this,
                [this, sub](int i) { NumberChosen(sub, i); });
    }
    grid->setColumnStretch(4, 1);

    grpOptionWords_ = new QGroupBox(QStringLiteral("Option words"), this);
    grpOptionWords_->setObjectName(QStringLiteral("grpOptionWords"));
    auto* words = new QGridLayout(grpOptionWords_);
    for (int i = 0; i < 8; ++i) {
        auto* word = new QLabel(grpOptionWords_);
        word->setObjectName(QStringLiteral("lblOptionWord") + QString::number(i + 1));
        word->setTextInteractionFlags(Qt::TextSelectableByMouse);
        optionWords_[static_cast<std::size_t>(i)] = word;
        words->addWidget(word, i / 4, i % 4);
    }

    const TSequenceButtons sequence =
        MakeSequenceButtons(this, [this](TDeviceDialogResult result) { Finish(result); });
    QPushButton* const prev = sequence.Prev;
    QPushButton* const next = sequence.Next;
    QPushButton* const accept = sequence.Accept;
    QPushButton* const cancel = sequence.Cancel;
    QHBoxLayout* const buttons = sequence.Row;
    setTabOrder(previous, prev);
    setTabOrder(prev, next);
    setTabOrder(next, accept);
    setTabOrder(accept, cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addLayout(grid);
    layout->addWidget(grpOptionWords_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

TQEMLoop& TIOConfig::Loop() const
{
    return context_.Data.Loop(loop_);
}

void TIOConfig::Open(int loop, int address)
{
    loop_ = loop;
    TQEMLoop& l = Loop();
    const int last = l.NoLoopDevices();
    address_ = address > last ? 1 : address <= 0 ? last : address;
    TDeviceType& d = l.Devices[address_];
    options_ = d.SharedData;
    groups_ = d.TypeCode == SounderControllerGroupsCode;
    txtAddress_->setText(l.PointLabel(address_));
    txtType_->setText(l.DeviceLongName(d.TypeCode));
    for (int sub = 0; sub < SubAddresses; ++sub) {
        rows_[static_cast<std::size_t>(sub)].Description->setText(Description(d, sub));
        FillRow(sub);
    }
    grpOptionWords_->setVisible(diagnosticsVisible);
    ShowOptionWords();
    rows_[0].Use->setFocus();
}

int TIOConfig::Setting(int subAddress) const
{
    return options_[SettingIndex(subAddress)];
}

void TIOConfig::FillRow(int sub)
{
    TRow& row = rows_[static_cast<std::size_t>(sub)];
    const int setting = Setting(sub);
    const TChannelUse use = ChannelSetting::Use(setting);
    row.Use->setCurrentIndex(use);

    row.Channel->clear();
    for (int c = 1; c <= ChannelSetting::ChannelCount(use); ++c)
        row.Channel->addItem(QStringLiteral("Channel ") + QString::number(c));
    SelectChoice(*row.Channel, ChannelSetting::ChannelIndex(setting));

    QStringList numbers;
    if (use == cuInput) {
        numbers = ZoneEntries(context_.Data);
    } else if (use == cuOutput) {
        numbers.append(SpecialCEName);
        const QString prefix = groups_ ? QStringLiteral("Group ") : QStringLiteral("Set ");
        for (int s = 1; s <= MaxGroup; ++s)
            numbers.append(prefix + QString::number(s));
    }
    FillChoice(*row.Number, numbers, ChannelSetting::Number(setting));
    if (use == cuNotUsed) {
        row.Channel->setPlaceholderText(QString());
        row.Number->setPlaceholderText(QString());
    }
    row.Channel->setEnabled(use != cuNotUsed);
    row.Number->setEnabled(use != cuNotUsed);
}

void TIOConfig::UseChosen(int sub, int index)
{
    const auto use = static_cast<TChannelUse>(index);
    options_[SettingIndex(sub)] = ChannelSetting::WithUse(Setting(sub), use);
    if (use == cuNotUsed)
        rows_[static_cast<std::size_t>(sub)].Description->setText(NoNameAllocated);
    FillRow(sub);
    ShowOptionWords();
}

void TIOConfig::ChannelChosen(int sub, int index)
{
    options_[SettingIndex(sub)] = ChannelSetting::WithChannel(Setting(sub), index);
    ShowOptionWords();
}

void TIOConfig::NumberChosen(int sub, int index)
{
    options_[SettingIndex(sub)] = ChannelSetting::WithNumber(Setting(sub), index);
    ShowOptionWords();
}

void TIOConfig::ShowOptionWords()
{
    for (int i = 0; i < 8; ++i)
        optionWords_[static_cast<std::size_t>(i)]->setText(
            QString::number(i + 1) + QStringLiteral(": ")
            + QStringLiteral("%1").arg(options_[i + 1] & 0xFF, 8, 2, QLatin1Char('0')));
}

void TIOConfig::Save()
{
    TDeviceType& d = Loop().Devices[address_];
    d.SharedData = options_;
    for (int sub = 0; sub < SubAddresses; ++sub)
        Description(d, sub) = rows_[static_cast<std::size_t>(sub)].Description->text();
    // The point's zone is the low six bits of sub-address 0's byte.
    d.Zone = Setting(0) & 0x3F;
}

void TIOConfig::Finish(TDeviceDialogResult result)
{
    Save();
    done(result);
}
