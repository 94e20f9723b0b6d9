#include "editors/zones/SetConfigPage.h"

#include "editors/common/ScrolledContent.h"
#include "editors/zones/MatrixPageParts.h"
#include "editors/zones/TimeSpinButton.h"
#include "model/Data.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Set columns end at the separator before the relays; the relays are columns 21 and 22.
constexpr int LastSetColumn = 20;

QString OutputName(int output)
{
    return output <= 16 ? QStringLiteral("Set ") + QString::number(output)
                        : QStringLiteral("Relay ") + QString::number(output - 16);
}

} // namespace

TfrmSetConfig::TfrmSetConfig(TEditorContext& context, QWidget* parent)
    : TPage(context, ppSetConfig, 50, parent)
{
    setObjectName(QStringLiteral("frmSetConfig"));
    // A small screen scrolls the page rather than push the window past its edge.
    auto* layout = new QHBoxLayout(ScrolledContent(this));

    auto* left = new QVBoxLayout;
    matrix_ = new TOutputMatrix(OutputColumns(true), this);
    matrix_->setObjectName(QStringLiteral("dwgSetMatrix"));
    matrix_->setAccessibleName(QStringLiteral("Set matrix"));
    matrix_->ValueAt = [this](int zone, int set) { return Data().ZoneList.Zone(zone).SetConfig[set]; };
    matrix_->PictureOf = SetPicture;
    matrix_->ValueText = SetValueText;
    matrix_->OutputName = OutputName;
    matrix_->RowName = [this](int zone) { return ZoneCaption(Data().ZoneList, zone); };
    // Captions over the set and relay columns of the matrix.
    auto* titles = new QHBoxLayout;
    titles->setSpacing(0);
    QFont bold = font();
    bold.setBold(true);
    auto* setTitle = new QLabel(QStringLiteral("Output Set Triggered"), this);
    auto* relayTitle = new QLabel(QStringLiteral("Panel Relay\nTriggered"), this);
    setTitle->setFont(bold);
    relayTitle->setFont(bold);
    setTitle->setAlignment(Qt::AlignCenter);
    relayTitle->setAlignment(Qt::AlignCenter);
    const int setsLeft = matrix_->CellRect(0, 1).left();
    const int relaysLeft = matrix_->CellRect(0, 21).left();
    titles->addSpacing(setsLeft);
    setTitle->setFixedWidth(relaysLeft - setsLeft);
    relayTitle->setFixedWidth(matrix_->width() - relaysLeft);
    titles->addWidget(setTitle);
    titles->addWidget(relayTitle);
    titles->addStretch();
    setTitle->setBuddy(matrix_);
    QScrollArea* scroll = MatrixScrollArea(matrix_, titles, QStringLiteral("sbxSetMatrix"), this);
    left->addWidget(scroll, 1);

    auto* silenceBox = new QGroupBox(QStringLiteral("Tick if Set is Silenceable"), this);
    auto* silenceGrid = new QGridLayout(silenceBox);
    for (int set = 1; set <= MaxSet; ++set) {
        auto* box = new QCheckBox(set <= 16 ? QString::number(set) : QStringLiteral("Relay ") + QString::number(set - 16),
                                  silenceBox);
        box->setObjectName(QStringLiteral("chkSilenceable") + QString::number(set));
        box->setAccessibleName(OutputName(set) + QStringLiteral(" silenceable"));
        silenceGrid->addWidget(box, set <= 16 ? 0 : 1, set <= 16 ? set - 1 : (set - 17) * 2, 1, set <= 16 ? 1 : 2);
        silenceable_[set] = box;
        connect(box, &QCheckBox::clicked, this, [this, set](bool checked) {
            TDocEdit edit(Data(), dpSets, OutputName(set) + QStringLiteral(" silenceable"));
            Data().ZoneList.SetSilenceable(set, checked);
        });
    }
    left->addWidget(silenceBox);
    layout->addLayout(left, 1);
    connect(matrix_, &TOutputMatrix::PaintRequested, this, &TfrmSetConfig::PaintCells);

    auto* right = new QVBoxLayout;
    auto* toolBox = new QGroupBox(QStringLiteral("Paint"), this);
    auto* toolLayout = new QVBoxLayout(toolBox);
    const QStringList captions{QStringLiteral("Not Triggered"), QStringLiteral("Pulsed"),
                               QStringLiteral("Continuous"), QStringLiteral("Delayed")};
    const QStringList names{QStringLiteral("tbNotTriggered"), QStringLiteral("tbPulsed"),
                            QStringLiteral("tbContinuous"), QStringLiteral("tbDelayed")};
    for (int value = 0; value < captions.size(); ++value) {
        QToolButton* tool = MakePaintTool(captions[value], names[value], SetPicture(value), toolBox);
        toolLayout->addWidget(tool);
        tools_.append(tool);
        connect(tool, &QToolButton::clicked, this, [this, value] { ChooseTool(value); });
    }
    toolLayout->addSpacing(8);
    btnClearAll_ = new QPushButton(QStringLiteral("Clear All"), toolBox);
    btnClearAll_->setObjectName(QStringLiteral("btnClearAll"));
    btnClearAll_->setAccessibleName(btnClearAll_->text());
    toolLayout->addWidget(btnClearAll_);
    connect(btnClearAll_, &QPushButton::clicked, this, &TfrmSetConfig::ClearAll);
    right->addWidget(toolBox);

    auto* delayBox = new QGroupBox(QStringLiteral("Delay Time"), this);
    auto* delayLayout = new QHBoxLayout(delayBox);
    spnDelayTime_ = new TTimeSpinButton(Prompts(), delayBox);
    spnDelayTime_->setObjectName(QStringLiteral("spnDelayTime"));
    spnDelayTime_->setAccessibleName(QStringLiteral("Delay Time"));
    spnDelayTime_->SetFormat(tsbMM_SS);
    spnDelayTime_->SetInfinity(InfiniteDelay);
    spnDelayTime_->SetInfinityAllowed(true);
    spnDelayTime_->SetMinValue(QStringLiteral("00:30"));
    spnDelayTime_->SetMaxValue(QStringLiteral("10:00"));
    spnDelayTime_->SetIncrement(30);
    spnDelayTime_->SetValue(300);
    delayLayout->addWidget(spnDelayTime_);
    delayLayout->addWidget(new QLabel(QStringLiteral("mins"), delayBox));
    connect(spnDelayTime_, &TTimeSpinButton::Changed, this, [this] {
        if (Data().DelayTimer == spnDelayTime_->Value())
            return;
        TDocEdit edit(Data(), dpSets, QStringLiteral("Delay Time"));
        Data().DelayTimer = spnDelayTime_->Value();
    });
    right->addWidget(delayBox);
    right->addStretch();
    layout->addLayout(right);

    // "Not Triggered" is the value at start, with no tool shown down.
    ChooseTool(srNotTriggered);
    tools_[srNotTriggered]->setChecked(false);
}

void TfrmSetConfig::Refresh()
{
    for (int set = 1; set <= MaxSet; ++set)
        silenceable_[set]->setChecked(Data().ZoneList.IsSilenceable(set));
    spnDelayTime_->SetValue(Data().DelayTimer);
    matrix_->update();
}

void TfrmSetConfig::ChooseTool(int value)
{
    chosen_ = value;
    ShowChosenTool(tools_, value);
}

void TfrmSetConfig::ClearAll()
{
    {
        TDocEdit edit(Data(), dpSets, QStringLiteral("Clear All sets"));
        Data().ZoneList.ClearAllSets();
    }
    ChooseTool(-1);
    matrix_->update();
}

void TfrmSetConfig::PaintCells(int firstRow, int lastRow, int firstColumn, int lastColumn)
{
    if (chosen_ < 0)
        return;
    // Only Hochiki loops pulse output sets; elsewhere only the panel relays take "Pulsed",
    // and a rectangle reaching into the set columns paints nothing with it.
    if (chosen_ == srPulsed && Data().SystemType() != stHochikiLoop && firstColumn <= LastSetColumn)
        return;
    TDocEdit edit(Data(), dpSets, QStringLiteral("Set Config matrix"));
    const bool changed = ForEachOutputCell(*matrix_, firstRow, lastRow, firstColumn, lastColumn,
                                           [this](int zone, int output) {
                                               Data().ZoneList.Zone(zone).SetConfig[output] = chosen_;
                                           });
    if (!changed)
        edit.Unchanged();
    matrix_->update();
}
