#include "editors/zones/GroupConfigPage.h"

#include "editors/common/ScrolledContent.h"
#include "editors/zones/MatrixPageParts.h"
#include "editors/zones/TimeSpinButton.h"
#include "model/Data.h"
#include "model/Tones.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QComboBox* MakeToneList(const QString& name, const QString& accessibleName, const QStringList& items,
                        QWidget* parent)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->setAccessibleName(accessibleName);
    list->addItems(items);
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return list;
}

} // namespace

TfrmGroupConfig::TfrmGroupConfig(TEditorContext& context, QWidget* parent)
    : TPage(context, ppGroupConfig, 40, parent)
{
    setObjectName(QStringLiteral("frmGroupConfig"));
    // A small screen scrolls the page rather than push the window past its edge.
    auto* layout = new QHBoxLayout(ScrolledContent(this));

    auto* left = new QVBoxLayout;
    auto* title = new QLabel(QStringLiteral("Triggers Sounder Groups"), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    left->addWidget(title);
    matrix_ = new TOutputMatrix(OutputColumns(false), this);
    matrix_->setObjectName(QStringLiteral("dwgGroupMatrix"));
    matrix_->setAccessibleName(QStringLiteral("Group matrix"));
    matrix_->ValueAt = [this](int zone, int group) { return Data().ZoneList.Zone(zone).GroupConfig[group]; };
    matrix_->PictureOf = GroupPicture;
    matrix_->ValueText = GroupValueText;
    matrix_->OutputName = [](int group) { return QStringLiteral("Group ") + QString::number(group); };
    matrix_->RowName = [this](int zone) { return ZoneCaption(Data().ZoneList, zone); };
    title->setBuddy(matrix_);
    left->addWidget(MatrixScrollArea(matrix_, nullptr, QStringLiteral("sbxGroupMatrix"), this), 1);
    layout->addLayout(left, 1);
    connect(matrix_, &TOutputMatrix::PaintRequested, this, &TfrmGroupConfig::PaintCells);

    auto* right = new QVBoxLayout;
    auto* toolBox = new QGroupBox(QStringLiteral("Paint"), this);
    auto* toolLayout = new QVBoxLayout(toolBox);
    const QStringList captions{QStringLiteral("Off"), QStringLiteral("Pulsed"), QStringLiteral("Continuous")};
    const QStringList names{QStringLiteral("tbOff"), QStringLiteral("tbPulsed"), QStringLiteral("tbContinuous")};
    for (int value = 0; value < 3; ++value) {
        QToolButton* tool = MakePaintTool(captions[value], names[value], GroupPicture(value), toolBox);
        toolLayout->addWidget(tool);
        tools_.append(tool);
        connect(tool, &QToolButton::clicked, this, [this, value] { ChooseTool(value); });
    }
    toolLayout->addSpacing(8);
    for (int value = 0; value < 3; ++value) {
        auto* button = new QPushButton(QStringLiteral("Set All ") + captions[value], toolBox);
        button->setObjectName(QStringLiteral("btnSetAll") + captions[value]);
        button->setAccessibleName(button->text());
        toolLayout->addWidget(button);
        setAll_.append(button);
        connect(button, &QPushButton::clicked, this, [this, value] { SetAll(value); });
    }
    right->addWidget(toolBox);

    auto* panel = new QGroupBox(QStringLiteral("Panel Sounders"), this);
    auto* form = new QFormLayout(panel);
    auto makeGroupSpin = [&](const QString& caption, const QString& name, int TSiteConfig::*field) {
        auto* spin = new QSpinBox(panel);
        spin->setObjectName(name);
        spin->setAccessibleName(caption);
        spin->setRange(1, 16);
        auto* label = new QLabel(caption, panel);
        label->setWordWrap(true);
        label->setBuddy(spin);
        form->addRow(label, spin);
        connect(spin, &QSpinBox::valueChanged, this, [this, field, caption](int value) {
            if (refreshing_)
                return;
            TDocEdit edit(Data(), dpSite, caption);
            Data().SiteConfig.*field = value;
        });
        return spin;
    };
    spnPanelSounder1_ = makeGroupSpin(QStringLiteral("Panel Sounder 1 belongs to Sounder Group"),
                                      QStringLiteral("spnPanelSounder1"), &TSiteConfig::PanelSounder1_Group);
    spnPanelSounder2_ = makeGroupSpin(QStringLiteral("Panel Sounder 2 belongs to Sounder Group"),
                                      QStringLiteral("spnPanelSounder2"), &TSiteConfig::PanelSounder2_Group);

    spnPhasedDelay_ = new TTimeSpinButton(Prompts(), panel);
    spnPhasedDelay_->setObjectName(QStringLiteral("spnPhasedDelay"));
    spnPhasedDelay_->setAccessibleName(QStringLiteral("Phased Delay"));
    spnPhasedDelay_->SetFormat(tsbMM_SS);
    spnPhasedDelay_->SetInfinity(InfiniteDelay);
    spnPhasedDelay_->SetInfinityAllowed(true);
    spnPhasedDelay_->SetMinValue(QStringLiteral("00:30"));
    spnPhasedDelay_->SetMaxValue(QStringLiteral("10:00"));
    spnPhasedDelay_->SetIncrement(30);
    auto* phased = new QHBoxLayout;
    phased->addWidget(spnPhasedDelay_);
    phased->addWidget(new QLabel(QStringLiteral("mins"), panel));
    auto* phasedLabel = new QLabel(QStringLiteral("Phased Delay"), panel);
    phasedLabel->setBuddy(spnPhasedDelay_);
    form->addRow(phasedLabel, phased);
    connect(spnPhasedDelay_, &TTimeSpinButton::Changed, this, [this] {
        TDocEdit edit(Data(), dpSite, QStringLiteral("Phased Delay"));
        Data().SiteConfig.PhasedDelay = spnPhasedDelay_->Value();
    });
    chkReSound_ = new QCheckBox(QStringLiteral("New Fire causes ReSound"), panel);
    chkReSound_->setObjectName(QStringLiteral("chkReSound"));
    chkReSound_->setAccessibleName(chkReSound_->text());
    form->addRow(chkReSound_);
    connect(chkReSound_, &QCheckBox::clicked, this, [this](bool checked) {
        TDocEdit edit(Data(), dpSite, chkReSound_->text());
        Data().SiteConfig.ReSound_Function = checked;
    });
    right->addWidget(panel);

    // Both tone families are built once; the protocol decides which one shows.
    hochikiTones_ = new QGroupBox(QStringLiteral("Tones"), this);
    auto* hochikiForm = new QFormLayout(hochikiTones_);
    cboHochikiPulsed_ = MakeToneList(QStringLiteral("cboHochikiPulsedTone"), QStringLiteral("Pulsed Tone"),
                                     ContinuousToneNames(stHochikiLoop), hochikiTones_);
    cboHochikiContinuous_ = MakeToneList(QStringLiteral("cboHochikiContinuousTone"),
                                         QStringLiteral("Continuous Tone"), ContinuousToneNames(stHochikiLoop),
                                         hochikiTones_);
    hochikiForm->addRow(QStringLiteral("Pulsed Tone"), cboHochikiPulsed_);
    hochikiForm->addRow(QStringLiteral("Continuous Tone"), cboHochikiContinuous_);
    otherTones_ = new QGroupBox(QStringLiteral("Tones"), this);
    auto* otherForm = new QFormLayout(otherTones_);
    cboContinuous_ = MakeToneList(QStringLiteral("cboContinuousTone"), QStringLiteral("Continuous Tone"),
                                  ContinuousToneNames(stApolloLoop), otherTones_);
    cboPulsed_ = MakeToneList(QStringLiteral("cboPulsedTone"), QStringLiteral("Pulsed Tone"),
                              PulsedToneNames(stApolloLoop), otherTones_);
    cboPulsed_->setEnabled(false);
    otherForm->addRow(QStringLiteral("Continuous Tone"), cboContinuous_);
    otherForm->addRow(QStringLiteral("Pulsed Tone"), cboPulsed_);
    for (QFormLayout* f : {hochikiForm, otherForm})
        for (int r = 0; r < f->rowCount(); ++r)
            if (auto* label = qobject_cast<QLabel*>(f->itemAt(r, QFormLayout::LabelRole)->widget()))
                label->setBuddy(f->itemAt(r, QFormLayout::FieldRole)->widget());
    right->addWidget(hochikiTones_);
    right->addWidget(otherTones_);
    right->addStretch();
    layout->addLayout(right);

    connect(cboHochikiPulsed_, &QComboBox::activated, this, [this](int index) { Data().SetPulsedTone(index); });
    connect(cboHochikiContinuous_, &QComboBox::activated, this,
            [this](int index) { Data().SetContinuousTone(index); });
    connect(cboContinuous_, &QComboBox::activated, this, [this](int index) {
        Data().SetContinuousTone(index);
        ShowIndex(cboPulsed_, index);
    });

    ChooseTool(0);
    ProtocolApplied();
}

void TfrmGroupConfig::ShowIndex(QComboBox* list, int index)
{
    // An index outside the list (from a file or the panel) shows no selection and is kept.
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

void TfrmGroupConfig::ProtocolApplied()
{
    const bool hochiki = Data().SystemType() == stHochikiLoop;
    hochikiTones_->setVisible(hochiki);
    otherTones_->setVisible(!hochiki);
    Refresh();
}

void TfrmGroupConfig::Refresh()
{
    refreshing_ = true;
    const TSiteConfig& site = Data().SiteConfig;
    spnPanelSounder1_->setValue(site.PanelSounder1_Group);
    spnPanelSounder2_->setValue(site.PanelSounder2_Group);
    spnPhasedDelay_->SetValue(site.PhasedDelay);
    chkReSound_->setChecked(site.ReSound_Function);
    ShowIndex(cboHochikiPulsed_, Data().PulsedTone);
    ShowIndex(cboHochikiContinuous_, Data().ContinuousTone);
    ShowIndex(cboContinuous_, Data().ContinuousTone);
    ShowIndex(cboPulsed_, Data().ContinuousTone);
    matrix_->update();
    refreshing_ = false;
}

void TfrmGroupConfig::ChooseTool(int value)
{
    chosen_ = value;
    ShowChosenTool(tools_, value);
}

void TfrmGroupConfig::SetAll(int value)
{
    {
        TDocEdit edit(Data(), dpGroups, QStringLiteral("Set all groups"));
        Data().ZoneList.SetAllGroups(value);
    }
    ChooseTool(-1);
    matrix_->update();
}

void TfrmGroupConfig::PaintCells(int firstRow, int lastRow, int firstColumn, int lastColumn)
{
    if (chosen_ < 0)
        return;
    TDocEdit edit(Data(), dpGroups, QStringLiteral("Group Config matrix"));
    const bool changed = ForEachOutputCell(*matrix_, firstRow, lastRow, firstColumn, lastColumn,
                                           [this](int zone, int output) {
                                               Data().ZoneList.Zone(zone).GroupConfig[output] = chosen_;
                                           });
    if (!changed)
        edit.Unchanged();
    matrix_->update();
}
