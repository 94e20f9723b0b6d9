#include "editors/site/NetworkConfigPage.h"

#include "editors/site/Captions.h"
#include "model/Data.h"
#include "storage/Prompts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QVBoxLayout>

namespace {

constexpr int HelpContextNetwork = 70;
constexpr int NetworkNameLimit = 14;

struct TMatrixRow {
    const char* Caption;
    const char* Name;
    TIndexedArray<bool, 1, MaxNetworkPanels> TZOL_Network::* Flags;
};
const TMatrixRow MatrixRowTable[TfrmNetworkConfig::MatrixRows] = {
    {"Faults", "Faults", &TZOL_Network::AcceptFaults},
    {"Alarms", "Alarms", &TZOL_Network::AcceptAlarms},
    {"Controls", "Controls", &TZOL_Network::AcceptControls},
    {"Disablements", "Disablements", &TZOL_Network::AcceptDisablements},
    {"Occupied/\nUnoccupied", "Occupied", &TZOL_Network::AcceptOccupied},
};

// The zone entry that stands for network panel n on the zone pages.
int NetworkZone(int panel)
{
    return MaxFireZone + panel;
}

} // namespace

TfrmNetworkConfig::TfrmNetworkConfig(TEditorContext& context, QWidget* parent)
    : TPage(context, ppNetworkConfig, HelpContextNetwork, parent)
{
    setObjectName(QStringLiteral("tsNetworkConfig"));
    setAccessibleName(QStringLiteral("Network Config"));
    auto* columns = new QHBoxLayout(this);
    columns->addWidget(BuildNamesBox(), 0, Qt::AlignTop);
    columns->addWidget(BuildMatrixBox(), 0, Qt::AlignTop);
    columns->addStretch(1);
}

QWidget* TfrmNetworkConfig::BuildNamesBox()
{
    auto* box = new QGroupBox(this);
    auto* grid = new QGridLayout(box);
    grid->addWidget(new QLabel(QStringLiteral("Number"), box), 0, 0, Qt::AlignCenter);
    auto* nameHeader = new QLabel(QStringLiteral("Panel &Name"), box);
    grid->addWidget(nameHeader, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Fitted"), box), 0, 2, Qt::AlignCenter);
    const int nameWidth =
        box->fontMetrics().horizontalAdvance(QString(NetworkNameLimit + 2, QLatin1Char('W')));
    for (int n = 1; n <= MaxNetworkPanels; ++n) {
        grid->addWidget(new QLabel(QString::number(n), box), n, 0, Qt::AlignCenter);

        auto* name = new QLineEdit(box);
        NameWidget(name, QStringLiteral("txtNetworkName%1").arg(n),
                   QStringLiteral("Panel Name %1").arg(n));
        name->setMaxLength(NetworkNameLimit);
        connect(name, &QLineEdit::inputRejected, this, [this] { Prompts().beep(); });
        name->setMinimumWidth(nameWidth);
        connect(name, &QLineEdit::textEdited, this,
                [this, n](const QString& text) { RenamePanel(n, text); });
        grid->addWidget(name, n, 1);
        txtNames_[n] = name;

        auto* fitted = new QCheckBox(box);
        NameWidget(fitted, QStringLiteral("chkFitted%1").arg(n),
                   QStringLiteral("Fitted %1").arg(n));
        connect(fitted, &QCheckBox::clicked, this, [this, n](bool checked) {
            TDocEdit edit(Data(), dpNetwork, QStringLiteral("Fitted %1").arg(n));
            Data().RepeaterList.Repeaters[n].Fitted = checked;
        });
        grid->addWidget(fitted, n, 2, Qt::AlignCenter);
        chkFitted_[n] = fitted;
    }
    nameHeader->setBuddy(txtNames_[1]);
    return box;
}

QWidget* TfrmNetworkConfig::BuildMatrixBox()
{
    auto* box = new QGroupBox(this);
    auto* outer = new QVBoxLayout(box);

    // "Panel <this panel's name> Accepts", over the matrix.
    auto* title = new QHBoxLayout;
    title->addWidget(new QLabel(QStringLiteral("Panel"), box));
    txtThisPanelName_ = new QLineEdit(box);
    NameWidget(txtThisPanelName_, QStringLiteral("txtThisPanelName"), QStringLiteral("Panel"));
    txtThisPanelName_->setReadOnly(true);
    txtThisPanelName_->setFocusPolicy(Qt::NoFocus);
    txtThisPanelName_->setMinimumWidth(
        box->fontMetrics().horizontalAdvance(QString(NetworkNameLimit + 2, QLatin1Char('W'))));
    title->addWidget(txtThisPanelName_);
    title->addWidget(new QLabel(QStringLiteral("Accepts"), box));
    title->addStretch(1);
    outer->addLayout(title);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(0);
    grid->setVerticalSpacing(box->fontMetrics().height() / 3);
    grid->addWidget(new QLabel(QStringLiteral("From Panels"), box), 0, 1, 1, MaxNetworkPanels,
                    Qt::AlignCenter);
    // The matrix columns are a drawn grid: one fixed width per source panel.
    const int column = box->fontMetrics().horizontalAdvance(QStringLiteral("0000"))
        + box->style()->pixelMetric(QStyle::PM_IndicatorWidth);
    for (int n = 1; n <= MaxNetworkPanels; ++n) {
        grid->addWidget(new QLabel(QString::number(n), box), 1, n, Qt::AlignCenter);
        grid->setColumnMinimumWidth(n, column);
    }
    for (int r = 1; r <= MatrixRows; ++r) {
        const TMatrixRow& row = MatrixRowTable[r - 1];
        const QString caption = QString::fromLatin1(row.Caption);
        grid->addWidget(new QLabel(caption, box), r + 1, 0);
        for (int n = 1; n <= MaxNetworkPanels; ++n) {
            auto* flag = new QCheckBox(box);
            NameWidget(flag, QStringLiteral("chkAccept%1%2").arg(QString::fromLatin1(row.Name)).arg(n),
                       QStringLiteral("%1 from panel %2")
                           .arg(QString(caption).remove(QLatin1Char('\n')))
                           .arg(n));
            const auto flags = row.Flags;
            connect(flag, &QCheckBox::clicked, this, [this, flags, n, flag](bool checked) {
                TDocEdit edit(Data(), dpNetwork, flag->accessibleName());
                (Data().Network.*flags)[n] = checked;
            });
            flag->installEventFilter(this);
            grid->addWidget(flag, r + 1, n, Qt::AlignCenter);
            chkAccept_[r][n] = flag;
        }
    }
    outer->addLayout(grid);
    return box;
}

void TfrmNetworkConfig::RenamePanel(int panel, const QString& name)
{
    {
        TDocEdit edit(Data(), dpNetwork | dpZones, QStringLiteral("Panel %1 name").arg(panel));
        Data().RepeaterList.Repeaters[panel].Name = name;
        Data().ZoneList.Zone(NetworkZone(panel)).Name = name;
    }
    ShowThisPanelName();
}

void TfrmNetworkConfig::ShowThisPanelName()
{
    const int own = Data().PanelNumber;
    txtThisPanelName_->setText(own >= 1 && own <= MaxNetworkPanels
                                   ? Data().ZoneList.Zone(NetworkZone(own)).Name
                                   : QString());
}

void TfrmNetworkConfig::Refresh()
{
    const TData& data = Data();
    const int own = data.PanelNumber;
    for (int n = 1; n <= MaxNetworkPanels; ++n) {
        txtNames_[n]->setText(data.RepeaterList.Repeaters[n].Name);
        chkFitted_[n]->setChecked(data.RepeaterList.Repeaters[n].Fitted);
        for (int r = 1; r <= MatrixRows; ++r) {
            QCheckBox* flag = chkAccept_[r][n];
            flag->setChecked((data.Network.*MatrixRowTable[r - 1].Flags)[n]);
            flag->setEnabled(n != own);
        }
    }
    ShowThisPanelName();
}

bool TfrmNetworkConfig::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        for (int r = 1; r <= MatrixRows; ++r)
            for (int n = 1; n <= MaxNetworkPanels; ++n)
                if (chkAccept_[r][n] == watched)
                    return MoveInMatrix(r, n, key->key());
    }
    return TPage::eventFilter(watched, event);
}

bool TfrmNetworkConfig::MoveInMatrix(int row, int panel, int key)
{
    const int dr = key == Qt::Key_Down ? 1 : key == Qt::Key_Up ? -1 : 0;
    const int dn = key == Qt::Key_Right ? 1 : key == Qt::Key_Left ? -1 : 0;
    if (dr == 0 && dn == 0)
        return false;
    for (int r = row + dr, n = panel + dn;
         r >= 1 && r <= MatrixRows && n >= 1 && n <= MaxNetworkPanels; r += dr, n += dn) {
        if (chkAccept_[r][n]->isEnabled()) {
            chkAccept_[r][n]->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return true;
}
