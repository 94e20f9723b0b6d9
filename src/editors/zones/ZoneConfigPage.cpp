#include "editors/zones/ZoneConfigPage.h"

#include "editors/zones/DelayTimePrompt.h"
#include "editors/zones/DependancyDialog.h"
#include "editors/zones/TimeSpinButton.h"
#include "model/Data.h"
#include "storage/Prompts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

const QColor FocusYellow(255, 255, 128);
const QColor HighlightYellow(255, 255, 0);

QString RowName(int zone)
{
    return zone <= MaxFireZone ? QStringLiteral("Zone ") + QString::number(zone)
                               : QStringLiteral("Panel ") + QString::number(zone - MaxFireZone);
}

void SetTextColour(QWidget* w, const QColor& colour)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Text, colour);
    w->setPalette(p);
}

void SetBaseColour(QWidget* w, const QColor& colour)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, colour);
    w->setPalette(p);
}

enum TColumn { colLabel, colDescription, colDetectors, colMCPs, colDependancy, colSounders,
               colOutputs, colRelay1, colRelay2, colEndDelays };

} // namespace

void TFocusCheckBox::focusInEvent(QFocusEvent* event)
{
    setAutoFillBackground(true);
    // The box itself is the indicator (no caption): its face turns yellow, not only the rim.
    QPalette p = palette();
    p.setColor(QPalette::Window, FocusYellow);
    p.setColor(QPalette::Base, FocusYellow);
    setPalette(p);
    QCheckBox::focusInEvent(event);
}

void TFocusCheckBox::focusOutEvent(QFocusEvent* event)
{
    setAutoFillBackground(false);
    setPalette(QPalette());
    QCheckBox::focusOutEvent(event);
}

TDependancyField::TDependancyField(QWidget* parent) : QLineEdit(parent)
{
    setReadOnly(true);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void TDependancyField::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        emit Activated();
}

void TDependancyField::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return
        || event->key() == Qt::Key_Enter) {
        emit Activated();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

TfrmZoneConfig::TfrmZoneConfig(TEditorContext& context, QWidget* parent)
    : TPage(context, ppZoneConfig, 30, parent)
{
    setObjectName(QStringLiteral("frmZoneConfig"));
    auto* layout = new QVBoxLayout(this);
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("sbxZones"));
    scroll->setWidgetResizable(true);
    auto* table = new QWidget(scroll);
    auto* grid = new QGridLayout(table);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);

    auto header = [&](const QString& text, int row, int column, int span = 1) {
        auto* label = new QLabel(text, table);
        label->setAlignment(Qt::AlignCenter);
        QFont f = label->font();
        f.setBold(true);
        label->setFont(f);
        grid->addWidget(label, row, column, 1, span);
    };
    header(QStringLiteral("Zone Description"), 0, colLabel, 2);
    header(QStringLiteral("Functioning with"), 0, colDetectors, 2);
    header(QStringLiteral("Dependancy Options"), 0, colDependancy);
    header(QStringLiteral("Output Delays  (mins) --------->"), 0, colSounders, 4);
    header(QStringLiteral("Detectors"), 1, colDetectors);
    header(QStringLiteral("MCPs"), 1, colMCPs);
    header(QStringLiteral("Sounders"), 1, colSounders);
    header(QStringLiteral("Outputs"), 1, colOutputs);
    header(QStringLiteral("Relay 1"), 1, colRelay1);
    header(QStringLiteral("Relay 2"), 1, colRelay2);
    header(QStringLiteral("end Delays"), 1, colEndDelays);

    for (int zone = 1; zone <= MaxZone; ++zone)
        BuildRow(zone, grid, zone + 1);
    grid->setRowStretch(MaxZone + 2, 1);
    grid->setColumnStretch(colEndDelays + 1, 1);
    scroll->setWidget(table);
    layout->addWidget(scroll, 1);

    auto* bottom = new QHBoxLayout;
    auto makeSiteSpin = [&](const QString& caption, const QString& name, const char* max) {
        auto* label = new QLabel(caption, this);
        auto* spin = new TTimeSpinButton(Prompts(), this);
        spin->setObjectName(name);
        spin->setAccessibleName(caption);
        spin->SetFormat(tsbMM_SS);
        spin->SetInfinity(InfiniteDelay);
        spin->SetInfinityAllowed(false);
        spin->SetMinValue(QStringLiteral("00:00"));
        spin->SetMaxValue(QLatin1String(max));
        spin->SetIncrement(30);
        label->setBuddy(spin);
        bottom->addWidget(label);
        bottom->addWidget(spin);
        bottom->addSpacing(20);
        return spin;
    };
    spnInvestigationPeriod_ = makeSiteSpin(QStringLiteral("Investigation Period :"),
                                           QStringLiteral("spnInvestigationPeriod"), "05:00");
    spnInputDelay_ = makeSiteSpin(QStringLiteral("Input Delay :"), QStringLiteral("spnInputDelay"), "10:00");
    bottom->addStretch();
    layout->addLayout(bottom);

    connect(spnInvestigationPeriod_, &TTimeSpinButton::Changed, this, [this] {
        Edited(dpSite, QStringLiteral("Investigation Period"),
               [this] { Data().SiteConfig.InvestigationPeriod = spnInvestigationPeriod_->Value(); });
        Refresh();
    });
    connect(spnInputDelay_, &TTimeSpinButton::Changed, this, [this] {
        Edited(dpSite, QStringLiteral("Input Delay"),
               [this] { Data().SiteConfig.InvestigationPeriod1 = spnInputDelay_->Value(); });
        Refresh();
    });
}

TTimeSpinButton* TfrmZoneConfig::MakeDelaySpin(int zone, const QString& column, const QString& objectName)
{
    auto* spin = new TTimeSpinButton(Prompts());
    spin->setObjectName(objectName + QString::number(zone));
    spin->setAccessibleName(RowName(zone) + QLatin1Char(' ') + column + QStringLiteral(" delay"));
    spin->SetFormat(tsbMM_SS);
    spin->SetInfinity(InfiniteDelay);
    spin->SetInfinityAllowed(false);
    spin->SetMinValue(QStringLiteral("00:00"));
    spin->SetMaxValue(QStringLiteral("10:00"));
    spin->SetIncrement(30);
    return spin;
}

void TfrmZoneConfig::BuildRow(int zone, QGridLayout* grid, int gridRow)
{
    TRow& row = rows_[zone];
    QWidget* table = grid->parentWidget();
    const QString name = RowName(zone);
    row.Label = new QLabel(name, table);
    row.Label->setObjectName(QStringLiteral("lblZone") + QString::number(zone));
    row.Description = new QLineEdit(table);
    row.Description->setObjectName(QStringLiteral("txtZoneName") + QString::number(zone));
    row.Description->setAccessibleName(name + QStringLiteral(" description"));
    row.Description->setMaxLength(14);
    connect(row.Description, &QLineEdit::inputRejected, this, [this] { Prompts().beep(); });
    row.Description->setMinimumWidth(row.Description->fontMetrics().horizontalAdvance(QLatin1Char('W')) * 12);
    row.Label->setBuddy(row.Description);
    grid->addWidget(row.Label, gridRow, colLabel);
    grid->addWidget(row.Description, gridRow, colDescription);
    connect(row.Description, &QLineEdit::textEdited, this, [this, zone](const QString& text) {
        Edited(dpZones, QStringLiteral("Zone %1 name").arg(zone),
               [&] { Data().ZoneList.Zone(zone).Name = text; });
    });

    auto makeBox = [&](const QString& column, const QString& objectName, int gridColumn,
                       bool TZone::*field) {
        auto* box = new TFocusCheckBox(table);
        box->setObjectName(objectName + QString::number(zone));
        box->setAccessibleName(name + QLatin1Char(' ') + column);
        grid->addWidget(box, gridRow, gridColumn, Qt::AlignCenter);
        connect(box, &QCheckBox::clicked, this, [this, zone, field, box](bool checked) {
            Edited(dpZones, box->accessibleName(),
                   [&] { Data().ZoneList.Zone(zone).*field = checked; });
        });
        return box;
    };
    const bool fireZone = zone <= MaxFireZone;
    if (fireZone) {
        row.Detectors = makeBox(QStringLiteral("Detectors"), QStringLiteral("chkDetectors"), colDetectors,
                                &TZone::SounderEnable);
        row.MCPs = makeBox(QStringLiteral("MCPs"), QStringLiteral("chkMCPs"), colMCPs, &TZone::MCPEnable);
        row.Dependancy = new TDependancyField(table);
        row.Dependancy->setObjectName(QStringLiteral("txtDependancy") + QString::number(zone));
        row.Dependancy->setAccessibleName(name + QStringLiteral(" Dependancy Options"));
        row.Dependancy->setMinimumWidth(
            row.Dependancy->fontMetrics().horizontalAdvance(QStringLiteral("Click for dependency options......")) + 12);
        grid->addWidget(row.Dependancy, gridRow, colDependancy);
        connect(row.Dependancy, &TDependancyField::Activated, this, [this, zone] { EditDependancy(zone); });
    }

    row.Sounders = MakeDelaySpin(zone, QStringLiteral("Sounders"), QStringLiteral("spnSounders"));
    row.Outputs = MakeDelaySpin(zone, QStringLiteral("Outputs"), QStringLiteral("spnOutputs"));
    row.Relay1 = MakeDelaySpin(zone, QStringLiteral("Relay 1"), QStringLiteral("spnRelay1_"));
    row.Relay2 = MakeDelaySpin(zone, QStringLiteral("Relay 2"), QStringLiteral("spnRelay2_"));
    const std::pair<TTimeSpinButton*, int TZone::*> spins[] = {
        {row.Sounders, &TZone::SounderTimer},
        {row.Outputs, &TZone::RemoteTimer},
        {row.Relay1, &TZone::Relay1Timer},
        {row.Relay2, &TZone::Relay2Timer},
    };
    int column = colSounders;
    for (const auto& [spin, field] : spins) {
        spin->setParent(table);
        grid->addWidget(spin, gridRow, column++);
        const bool checked = field == &TZone::SounderTimer || field == &TZone::RemoteTimer;
        connect(spin, &TTimeSpinButton::Changed, this, [this, zone, spin, field, checked] {
            Edited(dpZones, spin->accessibleName(),
                   [&] { Data().ZoneList.Zone(zone).*field = spin->Value(); });
            if (!checked)
                return;
            // Both spins are coloured, but only the edited one warns: the other delay
            // warned when it was entered.
            CheckRow(zone);
            if (ShowsTooLong(spin))
                ShowDelayPrompt();
        });
    }
    if (fireZone)
        row.EndDelays = makeBox(QStringLiteral("end Delays"), QStringLiteral("chkEndDelays"), colEndDelays,
                                &TZone::EndDelays);
}

void TfrmZoneConfig::Edited(TDocParts parts, const QString& label, const std::function<void()>& write)
{
    TDocEdit edit(Data(), parts, label);
    write();
}

void TfrmZoneConfig::ShowDependancy(int zone)
{
    TRow& row = rows_[zone];
    const TZone& z = Data().ZoneList.Zone(zone);
    const QString text = DependancyIndication(z);
    if (row.Dependancy->text() != text)
        row.Dependancy->setText(text);
    const bool highlighted = !(z.Dependancy[1] == doNormal && z.Dependancy[4] == doNormal);
    if (highlighted != row.DependancyHighlighted) {
        SetBaseColour(row.Dependancy, highlighted ? HighlightYellow : QColor(Qt::white));
        row.DependancyHighlighted = highlighted;
    }
}

void TfrmZoneConfig::Refresh()
{
    const TZoneList& zones = Data().ZoneList;
    for (int zone = 1; zone <= MaxZone; ++zone) {
        TRow& row = rows_[zone];
        const TZone& z = zones.Zone(zone);
        if (row.Description->text() != z.Name)
            row.Description->setText(z.Name);
        row.Sounders->SetValue(z.SounderTimer);
        row.Outputs->SetValue(z.RemoteTimer);
        row.Relay1->SetValue(z.Relay1Timer);
        row.Relay2->SetValue(z.Relay2Timer);
        if (zone <= MaxFireZone) {
            ShowDependancy(zone);
            row.Detectors->setChecked(z.SounderEnable);
            row.MCPs->setChecked(z.MCPEnable);
            row.EndDelays->setChecked(z.EndDelays);
        }
    }
    spnInvestigationPeriod_->SetValue(Data().SiteConfig.InvestigationPeriod);
    spnInputDelay_->SetValue(Data().SiteConfig.InvestigationPeriod1);
    bool tooLong = false;
    for (int zone = 1; zone <= MaxZone; ++zone)
        tooLong = CheckRow(zone) || tooLong;
    // One warning for the whole page, however many zones are too long, and only while the
    // page is on screen: the refresh of every page after a load or a page change must not
    // raise a window about a page the user is not looking at (the red delays stay).
    if (tooLong && isVisible())
        ShowDelayPrompt();
}

bool TfrmZoneConfig::CheckRow(int zone)
{
    TRow& row = rows_[zone];
    const TOutputDelayCheck check =
        CheckOutputDelays(Data().ZoneList.Zone(zone), Data().SiteConfig.InvestigationPeriod,
                          Data().SiteConfig.InvestigationPeriod1, Context().MaxOutputDelay);
    if (check.SounderTooLong != row.SoundersRed) {
        SetTextColour(row.Sounders, check.SounderTooLong ? QColor(Qt::red) : QColor(Qt::black));
        row.SoundersRed = check.SounderTooLong;
    }
    if (check.RemoteTooLong != row.OutputsRed) {
        SetTextColour(row.Outputs, check.RemoteTooLong ? QColor(Qt::red) : QColor(Qt::black));
        row.OutputsRed = check.RemoteTooLong;
    }
    return check.SounderTooLong || check.RemoteTooLong;
}

bool TfrmZoneConfig::ShowsTooLong(const TTimeSpinButton* spin)
{
    return spin->palette().color(QPalette::Text) == QColor(Qt::red);
}

void TfrmZoneConfig::ShowDelayPrompt()
{
    // A refresh run while the warning is open (the page change of the main window) does not
    // stack a second one.
    if (delayPromptSuppressed_ || promptOpen_)
        return;
    promptOpen_ = true;
    TfrmDelay_Time_Prompt prompt(Prompts(), Context().MaxOutputDelay, this);
    prompt.exec();
    delayPromptSuppressed_ = prompt.DoNotShowAgain();
    promptOpen_ = false;
}

void TfrmZoneConfig::EditDependancy(int zone)
{
    if (zone < 1 || zone > MaxFireZone)
        return;
    TfrmDependancy dialog(Data(), Prompts(), zone, this);
    dialog.exec();
    Refresh();
}
