#include "editors/zones/DependancyDialog.h"

#include "editors/zones/TimeSpinButton.h"
#include "model/Data.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int OptionCount = 5;

void SetUpSpin(TTimeSpinButton* spin, const char* min, const char* max, int step)
{
    spin->SetFormat(tsbMM_SS);
    spin->SetInfinity(InfiniteDelay);
    spin->SetInfinityAllowed(false);
    spin->SetMinValue(QLatin1String(min));
    spin->SetMaxValue(QLatin1String(max));
    spin->SetIncrement(step);
}

} // namespace

TfrmDependancy::TfrmDependancy(TData& data, TPrompts& prompts, int zone, QWidget* parent)
    : QDialog(parent), data_(data), zone_(zone)
{
    setObjectName(QStringLiteral("frmDependancy"));
    setWindowTitle(QStringLiteral("Dependency Options"));
    auto* layout = new QVBoxLayout(this);
    auto* zoneLabel = new QLabel(QStringLiteral("Zone ") + QString::number(zone), this);
    zoneLabel->setObjectName(QStringLiteral("lblZone"));
    QFont bold = zoneLabel->font();
    bold.setBold(true);
    zoneLabel->setFont(bold);
    layout->addWidget(zoneLabel);

    auto* grid = new QGridLayout;
    const QStringList headers{QString(), QStringLiteral("Dependency Option"),
                              QStringLiteral("Detector\nTime to reset"),
                              QStringLiteral("Alarm\nTime to reset")};
    for (int c = 0; c < headers.size(); ++c) {
        auto* h = new QLabel(headers[c], this);
        h->setAlignment(Qt::AlignCenter);
        grid->addWidget(h, 0, c);
    }
    for (bool day : {true, false}) {
        TRow& row = day ? day_ : night_;
        row.Detector = new TTimeSpinButton(prompts, this);
        row.Alarm = new TTimeSpinButton(prompts, this);
        BuildRow(row, day, day ? 1 : 2, grid);
    }
    layout->addLayout(grid);

    auto* buttons = new QHBoxLayout;
    auto* accept = new QPushButton(QStringLiteral("&Accept"), this);
    accept->setObjectName(QStringLiteral("btnAccept"));
    accept->setAccessibleName(QStringLiteral("Accept"));
    accept->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    cancel->setAccessibleName(QStringLiteral("Cancel"));
    buttons->addStretch();
    buttons->addWidget(accept);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(accept, &QPushButton::clicked, this, &TfrmDependancy::Accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    // Stored values first, then the rules of the stored options.
    const TZone& z = data_.ZoneList.Zone(zone_);
    for (bool day : {true, false}) {
        TRow& row = day ? day_ : night_;
        const int base = day ? 1 : 4;
        row.StoredOption = z.Dependancy[base];
        // An option outside the list shows no selection and is kept until one is chosen.
        const int index = row.StoredOption - 1;
        row.Option->setCurrentIndex(index >= 0 && index < OptionCount ? index : -1);
        row.Detector->SetValue(z.Dependancy[base + 1]);
        row.Alarm->SetValue(z.Dependancy[base + 2]);
        ApplyRules(row);
    }
    setTabOrder(day_.Option, day_.Detector);
    setTabOrder(day_.Detector, day_.Alarm);
    setTabOrder(day_.Alarm, night_.Option);
    setTabOrder(night_.Option, night_.Detector);
    setTabOrder(night_.Detector, night_.Alarm);
    setTabOrder(night_.Alarm, accept);
    setTabOrder(accept, cancel);
}

void TfrmDependancy::BuildRow(TRow& row, bool day, int gridRow, QGridLayout* grid)
{
    const QString caption = day ? QStringLiteral("Day (Occupied)") : QStringLiteral("Night (Unoccupied)");
    const QString prefix = day ? QStringLiteral("Day") : QStringLiteral("Night");
    grid->addWidget(new QLabel(caption, this), gridRow, 0);
    row.Option = new QComboBox(this);
    row.Option->setObjectName(QStringLiteral("cbo") + prefix + QStringLiteral("Option"));
    row.Option->setAccessibleName(prefix + QStringLiteral(" Dependency Option"));
    for (int option = doA; option <= doInvestigation; ++option)
        row.Option->addItem(DependancyOptionText(option));
    SetUpSpin(row.Detector, "00:00", "01:00", 10);
    row.Detector->setObjectName(QStringLiteral("spn") + prefix + QStringLiteral("Detector"));
    row.Detector->setAccessibleName(prefix + QStringLiteral(" Detector Time to reset"));
    SetUpSpin(row.Alarm, "05:00", "30:00", 30);
    row.Alarm->setObjectName(QStringLiteral("spn") + prefix + QStringLiteral("Alarm"));
    row.Alarm->setAccessibleName(prefix + QStringLiteral(" Alarm Time to reset"));
    grid->addWidget(row.Option, gridRow, 1);
    grid->addWidget(row.Detector, gridRow, 2);
    grid->addWidget(row.Alarm, gridRow, 3);
    connect(row.Option, &QComboBox::activated, this, [this, &row] { ApplyRules(row); });
}

int TfrmDependancy::ChosenOption(const TRow& row) const
{
    const int index = row.Option->currentIndex();
    return index < 0 ? row.StoredOption : index + 1;
}

void TfrmDependancy::ApplyRules(TRow& row)
{
    const int option = ChosenOption(row);
    row.Detector->setEnabled(TDependancyRowLimits::DetectorTimeApplies(option));
    row.Alarm->setEnabled(TDependancyRowLimits::AlarmTimeApplies(option));
    int detector = row.Detector->Value();
    int alarm = row.Alarm->Value();
    row.Limits.Apply(option, detector, alarm);
    row.Detector->SetMaxValue(TTimeSpinButton::FormatTime(row.Limits.DetectorMax(), tsbM_SS));
    row.Alarm->SetMinValue(TTimeSpinButton::FormatTime(row.Limits.AlarmMin(), tsbM_SS));
    if (detector != row.Detector->Value())
        row.Detector->SetValue(detector);
    if (alarm != row.Alarm->Value())
        row.Alarm->SetValue(alarm);
}

void TfrmDependancy::Accept()
{
    TDocEdit edit(data_, dpZones, QStringLiteral("Zone %1 dependancy").arg(zone_));
    TZone& z = data_.ZoneList.Zone(zone_);
    for (bool day : {true, false}) {
        TRow& row = day ? day_ : night_;
        ApplyRules(row);
        const int base = day ? 1 : 4;
        z.Dependancy[base] = ChosenOption(row);
        z.Dependancy[base + 1] = row.Detector->Value();
        z.Dependancy[base + 2] = row.Alarm->Value();
    }
    accept();
}
