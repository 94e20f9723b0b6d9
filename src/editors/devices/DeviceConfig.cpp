#include "editors/devices/DeviceConfig.h"
#include "editors/site/Captions.h"

#include "editors/common/EditorContext.h"
#include "editors/devices/DeviceLists.h"
#include "editors/devices/SequenceButtons.h"
#include "editors/devices/DeviceName.h"
#include "model/Data.h"
#include "storage/Prompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

const QStringList HochikiVolumeLegend{
    QStringLiteral("5   - 70dB"), QStringLiteral("6   - 78dB"), QStringLiteral("7   - 80dB"),
    QStringLiteral("8   - 85dB"), QStringLiteral("9   - 88dB"), QStringLiteral("10 - 90dB"),
    QStringLiteral("11 - 93dB"),  QStringLiteral("12 - 94dB"), QStringLiteral("13 - 95dB"),
    QStringLiteral("14 - 98dB")};
const QStringList ApolloVolumeLegend{
    QStringLiteral("1 - Lowest (Below EN54)"), QStringLiteral("2- EN54"), QStringLiteral("3"),
    QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7 - Loudest")};

// The legend of a sounder's volume spins. Each protocol's legend describes its own scale
// (Hochiki 5..14 in dB, Apollo's 1..7); a sounder whose range is the other scale (an Apollo
// sounder of 5..14) is shown its own range's ends, so no legend line disagrees with a value.
QString VolumeLegend(bool hochiki, int minimum, int maximum)
{
    if (hochiki && minimum == 5 && maximum == 14)
        return HochikiVolumeLegend.join(QLatin1Char('\n'));
    if (!hochiki && minimum == 1 && maximum == 7)
        return ApolloVolumeLegend.join(QLatin1Char('\n'));
    QStringList lines;
    for (int level = minimum; level <= maximum; ++level)
        lines << QString::number(level);
    lines.first() += QStringLiteral(" - Lowest");
    lines.last() += QStringLiteral(" - Loudest");
    return lines.join(QLatin1Char('\n'));
}

template <typename T>
T* Named(T* widget, const QString& name, const QString& accessible)
{
    widget->setObjectName(name);
    widget->setAccessibleName(accessible);
    return widget;
}

// A stored level of 0 means "not set yet": the middle of the range is shown and stored.
int LevelOrMiddle(int stored, int minimum, int maximum)
{
    return stored == 0 ? minimum + (maximum - minimum) / 2 : stored;
}

constexpr int OptionsBlankPage = 0;
constexpr int OptionsFramePage = 1;

} // namespace

TDeviceConfig::TDeviceConfig(TEditorContext& context, QWidget* parent)
    : QDialog(parent), context_(context)
{
    setObjectName(QStringLiteral("DeviceConfig"));
    setWindowTitle(QStringLiteral("Device Configuration"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    Build();
}

void TDeviceConfig::Build()
{
    lblAddress_ = Named(new QLabel(this), QStringLiteral("lblAddress"), QString());
    lblType_ = Named(new QLabel(this), QStringLiteral("lblType"), QString());

    auto* lblName = new QLabel(QStringLiteral("Device &Name"), this);
    txtName_ = Named(new QLineEdit(this), QStringLiteral("txtDeviceName"),
                     QStringLiteral("Device Name"));
    txtName_->setMaxLength(MaxDescriptionLength);
    connect(txtName_, &QLineEdit::inputRejected, this, [this] { context_.Prompts.beep(); });
    txtName_->setMinimumWidth(txtName_->fontMetrics().averageCharWidth() * 28);
    lblName->setBuddy(txtName_);
    btnChooseName_ = MakeButton(QStringLiteral("&Choose..."), QStringLiteral("btnChooseName"), this);
    btnChooseName_->setAccessibleName(QStringLiteral("Choose Device Name"));
    btnChooseName_->setToolTip(QStringLiteral("Pick a description already used on the loops"));
    connect(btnChooseName_, &QPushButton::clicked, this, &TDeviceConfig::ChooseName);

    lblZone_ = new QLabel(QStringLiteral("To &Zone"), this);
    cmbZone_ = Named(new QComboBox(this), QStringLiteral("cmbZone"), QStringLiteral("To Zone"));
    cmbZone_->setMaxVisibleItems(20);
    lblZone_->setBuddy(cmbZone_);

    auto* fields = new QGridLayout;
    fields->addWidget(lblName, 0, 0);
    fields->addWidget(txtName_, 0, 1);
    fields->addWidget(btnChooseName_, 0, 2);
    fields->addWidget(lblZone_, 1, 0);
    fields->addWidget(cmbZone_, 1, 1, 1, 2);
    fields->setColumnStretch(1, 1);

    // The options frame of detectors and sounders; a blank page stands in for other devices
    // so the dialog keeps its size while stepping through a loop.
    options_ = new QStackedWidget(this);
    options_->addWidget(new QWidget(options_));
    auto* frame = new QGroupBox(QStringLiteral("Options"), options_);
    frame->setObjectName(QStringLiteral("Apollo_Detector_Config_Frame"));
    options_->addWidget(frame);

    grpLevels_ = new QGroupBox(QStringLiteral("Sensitivity"), frame);
    grpLevels_->setObjectName(QStringLiteral("grpSensitivity"));
    spnDay_ = Named(new QSpinBox(grpLevels_), QStringLiteral("spnDay"),
                    QStringLiteral("Day (Occupied)"));
    spnNight_ = Named(new QSpinBox(grpLevels_), QStringLiteral("spnNight"),
                      QStringLiteral("Night (Unoccupied)"));
    lblLegend_ = Named(new QLabel(grpLevels_), QStringLiteral("lblLegend"), QString());
    lblLegend_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* levelForm = new QFormLayout;
    levelForm->addRow(QStringLiteral("&Day (Occupied)"), spnDay_);
    levelForm->addRow(QStringLiteral("Ni&ght (Unoccupied)"), spnNight_);
    auto* levels = new QHBoxLayout(grpLevels_);
    levels->addLayout(levelForm);
    levels->addSpacing(12);
    levels->addWidget(lblLegend_, 1);

    lblMode_ = new QLabel(QStringLiteral("Day (Occupied) &Mode"), frame);
    cmbMode_ = Named(new QComboBox(frame), QStringLiteral("cmbMode"),
                     QStringLiteral("Day (Occupied) Mode"));
    cmbMode_->addItems({QStringLiteral("Multi"), QStringLiteral("Optical"), QStringLiteral("Heat")});
    lblMode_->setBuddy(cmbMode_);

    chkRemoteLED_ = Named(new QCheckBox(QStringLiteral("&Remote LED Enabled"), frame),
                          QStringLiteral("chkRemoteLED"), QStringLiteral("Remote LED Enabled"));
    chkBaseSounder_ = Named(new QCheckBox(QStringLiteral("Has Ancillary &Base Sounder"), frame),
                            QStringLiteral("chkBaseSounder"),
                            QStringLiteral("Has Ancillary Base Sounder"));
    lblIn_ = new QLabel(QStringLiteral("&In"), frame);
    cmbBaseSounderGroup_ = Named(new QComboBox(frame), QStringLiteral("cmbBaseSounderGroup"),
                                 QStringLiteral("Base Sounder Group"));
    for (int g = 1; g <= MaxGroup; ++g)
        cmbBaseSounderGroup_->addItem(QStringLiteral("Group ") + QString::number(g));
    lblIn_->setBuddy(cmbBaseSounderGroup_);
    connect(chkBaseSounder_, &QCheckBox::toggled, this, &TDeviceConfig::ShowBaseSounderGroup);

    auto* mode = new QHBoxLayout;
    mode->addWidget(lblMode_);
    mode->addWidget(cmbMode_);
    mode->addStretch(1);
    auto* baseSounder = new QHBoxLayout;
    baseSounder->addWidget(chkBaseSounder_);
    baseSounder->addWidget(lblIn_);
    baseSounder->addWidget(cmbBaseSounderGroup_);
    baseSounder->addStretch(1);
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(grpLevels_);
    frameLayout->addLayout(mode);
    frameLayout->addWidget(chkRemoteLED_);
    frameLayout->addLayout(baseSounder);
    frameLayout->addStretch(1);

    const TSequenceButtons sequence =
        MakeSequenceButtons(this, [this](TDeviceDialogResult result) { Finish(result); });
    QPushButton* const prev = sequence.Prev;
    QPushButton* const next = sequence.Next;
    QPushButton* const accept = sequence.Accept;
    QPushButton* const cancel = sequence.Cancel;
    QHBoxLayout* const buttons = sequence.Row;

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblAddress_);
    layout->addWidget(lblType_);
    layout->addLayout(fields);
    layout->addWidget(options_, 1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    const QList<QWidget*> order{txtName_,       btnChooseName_, cmbZone_, spnDay_, spnNight_,
                                cmbMode_,       chkRemoteLED_,  chkBaseSounder_,
                                cmbBaseSounderGroup_, prev,   next,     accept,  cancel};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));
}

TQEMLoop& TDeviceConfig::Loop() const
{
    return context_.Data.Loop(loop_);
}

void TDeviceConfig::Open(int loop, int address)
{
    loop_ = loop;
    TQEMLoop& l = Loop();
    const int last = l.NoLoopDevices();
    address_ = address > last ? 1 : address <= 0 ? last : address;
    chosenNameIndex_ = -1;
    const TDeviceType& d = l.Devices[address_];
    const TData& data = context_.Data;

    QString caption = QStringLiteral("To &Zone");
    QStringList entries = ZoneEntries(data);
    if (l.IsSounderClass(address_)) {
        caption = QStringLiteral("To &Group");
        entries = GroupEntries(data);
    } else if (l.IsIOClass(address_)) {
        caption = QStringLiteral("To &Set");
        entries = SetEntries(data);
    }
    lblZone_->setText(caption);
    cmbZone_->setAccessibleName(PlainCaption(caption));
    FillChoice(*cmbZone_, entries, d.Zone);

    lblAddress_->setText(QStringLiteral("Device number: ") + l.PointLabel(address_));
    lblType_->setText(QStringLiteral("Device type: ") + l.DeviceLongName(d.TypeCode));
    txtName_->setText(d.Name);

    editable_ = l.IsEditable(address_);
    txtName_->setEnabled(editable_);
    btnChooseName_->setEnabled(editable_);
    cmbZone_->setEnabled(editable_);
    levelsShown_ = false;
    baseSounderOffered_ = false;
    options_->setCurrentIndex(OptionsBlankPage);
    if (editable_)
        LoadOptions();
    txtName_->setFocus();
}

void TDeviceConfig::SetRange(int minimum, int maximum)
{
    for (QSpinBox* spin : {spnDay_, spnNight_})
        spin->setRange(minimum, maximum);
}

void TDeviceConfig::LoadOptions()
{
    TQEMLoop& l = Loop();
    TDeviceType& d = l.Devices[address_];
    const bool settings = l.HasDeviceSettings(address_);
    const bool sounder = l.DeviceClass(address_) == dcSounder;
    const bool hochiki = l.SystemType == stHochikiLoop;
    options_->setCurrentIndex(settings || sounder ? OptionsFramePage : OptionsBlankPage);

    const bool detector = settings && !l.IsSounderClass(address_);
    levelsShown_ = detector || sounder;
    grpLevels_->setVisible(levelsShown_);
    if (sounder) {
        grpLevels_->setTitle(QStringLiteral("Volume"));
        if (d.TypeCode == 48)
            SetRange(1, 7);
        else
            SetRange(5, 14);
        lblLegend_->setText(VolumeLegend(hochiki, spnDay_->minimum(), spnDay_->maximum()));
        lblLegend_->setVisible(true);
    } else {
        grpLevels_->setTitle(QStringLiteral("Sensitivity"));
        if (l.IsDiscovery(address_))
            SetRange(1, 5);
        else
            SetRange(75, 125);
        lblLegend_->setVisible(false);
    }
    spnDay_->setValue(LevelOrMiddle(d.SharedData[TDeviceType::sdDayLevel], spnDay_->minimum(), spnDay_->maximum()));
    spnNight_->setValue(
        LevelOrMiddle(d.SharedData[TDeviceType::sdNightLevel], spnNight_->minimum(), spnNight_->maximum()));

    const bool multiSensor = hochiki && l.DeviceClass(address_) == dcMultiSensor;
    lblMode_->setVisible(multiSensor);
    cmbMode_->setVisible(multiSensor);
    SelectChoice(*cmbMode_, d.SharedData[TDeviceType::sdMode]);
    // 255 is the mode of a multi-sensor that has none set yet.
    if (d.SharedData[TDeviceType::sdMode] == 255)
        cmbMode_->setPlaceholderText(QStringLiteral("(none)"));

    // The options frame offers the remote LED and a base sounder on Apollo for sounders too.
    const bool apollo = l.SystemType == stApolloLoop;
    chkRemoteLED_->setVisible((detector || sounder) && apollo);
    chkRemoteLED_->setChecked(d.RemoteLed() > 0);

    baseSounderOffered_ = (settings || (sounder && apollo)) && l.HasBaseSounderSlot(address_);
    const QString baseCaption = hochiki ? QStringLiteral("Has Addr. &Base Sounder")
                                        : QStringLiteral("Has Ancillary &Base Sounder");
    chkBaseSounder_->setText(baseCaption);
    chkBaseSounder_->setAccessibleName(PlainCaption(baseCaption));
    chkBaseSounder_->setVisible(baseSounderOffered_);
    const bool baseSounder = l.BaseSounderFitted(address_);
    const int group = l.HasBaseSounderSlot(address_)
        ? l.Devices[address_ + TQEMLoop::BaseSounderOffset].Zone
        : 0;
    SelectChoice(*cmbBaseSounderGroup_, baseSounder ? group - 1 : -1);
    {
        const QSignalBlocker block(chkBaseSounder_);
        chkBaseSounder_->setChecked(baseSounder);
    }
    ShowBaseSounderGroup();
}

void TDeviceConfig::ShowBaseSounderGroup()
{
    const bool shown = baseSounderOffered_ && chkBaseSounder_->isChecked();
    lblIn_->setVisible(shown);
    cmbBaseSounderGroup_->setVisible(shown);
    if (shown && cmbBaseSounderGroup_->currentIndex() < 0)
        cmbBaseSounderGroup_->setCurrentIndex(0);
}

void TDeviceConfig::ChooseName()
{
    TfrmDeviceName chooser(context_.Data, context_.Prompts, this);
    chooser.Prepare(txtName_->text());
    if (chooser.exec() != QDialog::Accepted)
        return;
    // A refused new description leaves the field as it was.
    const int index = chooser.SelectedIndex();
    if (index < 0)
        return;
    chosenNameIndex_ = index;
    txtName_->setText(chooser.Text());
}

void TDeviceConfig::Save()
{
    if (!editable_)
        return;
    TQEMLoop& l = Loop();
    TDeviceType& d = l.Devices[address_];
    d.Name = txtName_->text();
    // A zone from the panel outside the list stays as it was unless the engineer chose one.
    if (cmbZone_->currentIndex() >= 0) {
        d.Zone = cmbZone_->currentIndex();
        d.SharedData[TDeviceType::sdZoneOrGroup] = d.Zone;
    }
    d.NameIndex() = chosenNameIndex_ >= 0 ? chosenNameIndex_ : 0;
    // Only what the dialog shows is written: on points with channel names these bytes are
    // channel settings, not levels.
    if (levelsShown_) {
        d.SharedData[TDeviceType::sdDayLevel] = spnDay_->value();
        d.SharedData[TDeviceType::sdNightLevel] = spnNight_->value();
    }
    if (cmbMode_->isVisibleTo(this) && cmbMode_->currentIndex() >= 0)
        d.SharedData[TDeviceType::sdMode] = cmbMode_->currentIndex();
    if (chkRemoteLED_->isVisibleTo(this))
        d.RemoteLed() = chkRemoteLED_->isChecked() ? 1 : 0;
    if (baseSounderOffered_) {
        if (chkBaseSounder_->isChecked()) {
            l.SetBaseSounder(address_, true, cmbBaseSounderGroup_->currentIndex() + 1);
        } else if (l.BaseSounderFitted(address_)) {
            // On Hochiki the slot is an address of its own: a device there that is not a
            // base sounder is not this detector's to remove.
            l.SetBaseSounder(address_, false, 0);
        }
    }
}

void TDeviceConfig::showEvent(QShowEvent* event)
{
    // Centred on the screen, wherever the window that opened it stands; at its final size.
    layout()->activate();
    QRect frame = frameGeometry();
    frame.moveCenter(screen()->availableGeometry().center());
    move(frame.topLeft());
    QDialog::showEvent(event);
}

void TDeviceConfig::Finish(TDeviceDialogResult result)
{
    Save();
    done(result);
}
