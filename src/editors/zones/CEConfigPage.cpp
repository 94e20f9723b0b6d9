#include "editors/zones/CEConfigPage.h"

#include "editors/common/NamedComboBox.h"
#include "editors/zones/VersionDependancyDialog.h"
#include "model/Data.h"
#include "storage/Prompts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

const QString TrueText = QStringLiteral("= TRUE");
const QString FalseText = QStringLiteral("= FALSE");

enum TColumn { colNumber, colAction, colActionTarget, colActionLoop, colActionDevice, colWhen,
               colCondition, colTruth, colTarget, colAnd, colSecond, colLoop, colDevice };

int DeviceLoop(TCETargetKind kind)
{
    return kind == tkLoop1Devices ? 1 : kind == tkLoop2Devices ? 2 : 0;
}

QComboBox* MakeList(const QString& name, const QString& accessibleName, QWidget* parent)
{
    auto* list = new TNamedComboBox(parent);
    list->setObjectName(name);
    list->setAccessibleName(accessibleName);
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return list;
}

QString Slot(TCEConditionSlot slot)
{
    return slot == csTrigger ? QStringLiteral("Occurs when") : QStringLiteral("Resets when");
}

} // namespace

TfrmCEConfig::TfrmCEConfig(TEditorContext& context, QWidget* parent)
    : TPage(context, ppCEConfig, 90, parent)
{
    setObjectName(QStringLiteral("frmCEConfig"));
    auto* layout = new QVBoxLayout(this);
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("sbxCE"));
    scroll->setWidgetResizable(true);
    auto* table = new QWidget(scroll);
    auto* grid = new QGridLayout(table);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    QFont bold = font();
    bold.setBold(true);
    const std::pair<QString, int> headers[] = {
        {QStringLiteral("Event"), colNumber},   {QStringLiteral("Action"), colAction},
        {QStringLiteral("Target"), colActionTarget}, {QStringLiteral("Condition"), colCondition},
        {QStringLiteral("Target"), colTarget},
    };
    for (const auto& [text, column] : headers) {
        auto* h = new QLabel(text, table);
        h->setFont(bold);
        grid->addWidget(h, 0, column);
    }
    for (int event = 1; event <= CEEventCount; ++event)
        BuildRow(event, grid, 1 + (event - 1) * 3);
    grid->setColumnStretch(colDevice + 1, 1);
    grid->setRowStretch(1 + CEEventCount * 3, 1);
    scroll->setWidget(table);
    layout->addWidget(scroll, 1);

    auto* timesBox = new QGroupBox(QStringLiteral("Timer event times (hh:mm)"), this);
    auto* timesGrid = new QGridLayout(timesBox);
    // hh:mm, 00:00 to 23:59.
    const QRegularExpression timePattern(QStringLiteral("^([01][0-9]|2[0-3]):[0-5][0-9]$"));
    for (int n = 1; n <= CETimeCount; ++n) {
        auto* label = new QLabel(QStringLiteral("T") + QString::number(n), timesBox);
        auto* field = new QLineEdit(timesBox);
        field->setObjectName(QStringLiteral("T") + QString::number(n));
        field->setAccessibleName(label->text());
        field->setInputMask(QStringLiteral("99:99;_"));
        field->setMaximumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("00:000")) + 16);
        label->setBuddy(field);
        const int r = (n - 1) / 8;
        const int c = ((n - 1) % 8) * 2;
        timesGrid->addWidget(label, r, c, Qt::AlignRight);
        timesGrid->addWidget(field, r, c + 1);
        times_[n] = field;
        connect(field, &QLineEdit::editingFinished, this, [this, n, timePattern] {
            const QString text = times_[n]->text();
            if (text == Data().C_ETable.Times[n])
                return;
            if (!timePattern.match(text).hasMatch()) {
                times_[n]->setText(Data().C_ETable.Times[n]);
                Prompts().error(QStringLiteral("T") + QString::number(n) + QStringLiteral(": \"") + text
                                + QStringLiteral("\" is not a time of day (hh:mm, 00:00 to 23:59)"));
                return;
            }
            TDocEdit edit(Data(), dpCauseEffect, EditLabel(times_[n]));
            Data().C_ETable.SetTime(n, text);
        });
    }
    timesGrid->setColumnStretch(16, 1);
    layout->addWidget(timesBox);
}

void TfrmCEConfig::BuildRow(int event, QGridLayout* grid, int gridRow)
{
    QWidget* table = grid->parentWidget();
    TRow& row = rows_[event];
    const QString n = QString::number(event);
    const QString prefix = QStringLiteral("Event ") + n + QLatin1Char(' ');
    row.Number = new QLabel(n, table);
    row.Number->setObjectName(QStringLiteral("lblEvent") + n);
    grid->addWidget(row.Number, gridRow, colNumber);
    row.Action = MakeList(QStringLiteral("cboAction") + n, prefix + QStringLiteral("Action"), table);
    for (int i = 0; i < CEActionCount; ++i)
        row.Action->addItem(CEActionText(i));
    row.Number->setBuddy(row.Action);
    grid->addWidget(row.Action, gridRow, colAction);
    row.ActionTarget = MakeList(QStringLiteral("cboActionTarget") + n, prefix + QStringLiteral("Action target"), table);
    grid->addWidget(row.ActionTarget, gridRow, colActionTarget);
    row.ActionLoop = new QLabel(table);
    row.ActionLoop->setObjectName(QStringLiteral("Loop1") + n);
    grid->addWidget(row.ActionLoop, gridRow, colActionLoop);
    row.ActionDevice = new QPushButton(QStringLiteral("Device..."), table);
    row.ActionDevice->setObjectName(QStringLiteral("Device_Selection1CE") + n);
    row.ActionDevice->setAccessibleName(prefix + QStringLiteral("Action device"));
    grid->addWidget(row.ActionDevice, gridRow, colActionDevice);

    connect(row.Action, &QComboBox::activated, this, [this, event, action = row.Action](int index) {
        {
            TDocEdit edit(Data(), dpCauseEffect, EditLabel(action));
            Data().C_ETable.SetAction(event, index);
        }
        ShowRow(event);
        if (ActionNeedsFirmwareNotice(index))
            FirmwareNotice();
    });
    connect(row.ActionTarget, &QComboBox::activated, this,
            [this, event, target = row.ActionTarget](int index) {
                TDocEdit edit(Data(), dpCauseEffect, EditLabel(target));
                Data().C_ETable.SetActionTarget(event, index);
            });
    connect(row.ActionDevice, &QPushButton::clicked, this, [this, event] { ChooseDevice(event, 0); });

    BuildCondition(event, csTrigger, row.Trigger, grid, gridRow, colWhen, 1);
    BuildCondition(event, csReset, row.Reset, grid, gridRow + 1, colWhen, 2);
    // A thin gap between events.
    grid->setRowMinimumHeight(gridRow + 2, 6);
}

void TfrmCEConfig::BuildCondition(int event, TCEConditionSlot slot, TConditionControls& c, QGridLayout* grid,
                                  int gridRow, int column, int number)
{
    QWidget* table = grid->parentWidget();
    const QString n = QString::number(event);
    const QString prefix = QStringLiteral("Event ") + n + QLatin1Char(' ') + Slot(slot);
    const QString which = QString::number(number);
    c.When = new QLabel(slot == csTrigger ? QStringLiteral("Occurs when....") : QStringLiteral("Resets when...."),
                        table);
    grid->addWidget(c.When, gridRow, column);
    c.Condition = MakeList((slot == csTrigger ? QStringLiteral("cboTrigger") : QStringLiteral("cboReset")) + n,
                           prefix, table);
    for (int i = 0; i < CEConditionCount; ++i)
        c.Condition->addItem(CEConditionText(i));
    c.When->setBuddy(c.Condition);
    c.Truth = MakeList(QStringLiteral("T_F") + which + QStringLiteral("CE") + n, prefix + QStringLiteral(" truth"), table);
    c.Truth->addItems({TrueText, FalseText});
    c.Target = MakeList((slot == csTrigger ? QStringLiteral("cboTriggerTarget") : QStringLiteral("cboResetTarget")) + n,
                        prefix + QStringLiteral(" target"), table);
    c.And = new QLabel(QStringLiteral("AND"), table);
    c.And->setObjectName(QStringLiteral("lblAND") + which + QStringLiteral("CE") + n);
    c.SecondEvent = MakeList(QStringLiteral("AND_Event") + which + QStringLiteral("CE") + n,
                             prefix + QStringLiteral(" second event"), table);
    c.SecondEvent->addItems(CETargetList(tkEvents, 0));
    c.Loop = new QLabel(table);
    c.Loop->setObjectName(QStringLiteral("Loop") + QString::number(number + 1) + n);
    c.Device = new QPushButton(QStringLiteral("Device..."), table);
    c.Device->setObjectName(QStringLiteral("Device_Selection") + QString::number(number + 1) + QStringLiteral("CE") + n);
    c.Device->setAccessibleName(prefix + QStringLiteral(" device"));
    grid->addWidget(c.Condition, gridRow, colCondition);
    grid->addWidget(c.Truth, gridRow, colTruth);
    grid->addWidget(c.Target, gridRow, colTarget);
    grid->addWidget(c.And, gridRow, colAnd);
    grid->addWidget(c.SecondEvent, gridRow, colSecond);
    grid->addWidget(c.Loop, gridRow, colLoop);
    grid->addWidget(c.Device, gridRow, colDevice);

    auto encode = [this, event, slot, &c] {
        const int index = c.Condition->currentIndex();
        if (index < 0)
            return;
        {
            TDocEdit edit(Data(), dpCauseEffect, EditLabel(c.Condition));
            Data().C_ETable.SetCondition(event, slot, index, c.Truth->currentIndex() != 1);
        }
        ShowCondition(event, slot);
    };
    connect(c.Condition, &QComboBox::activated, this, [this, encode](int index) {
        encode();
        if (ConditionNeedsFirmwareNotice(index))
            FirmwareNotice();
    });
    connect(c.Truth, &QComboBox::activated, this, encode);
    connect(c.Target, &QComboBox::activated, this, [this, event, slot, &c](int index) {
        TDocEdit edit(Data(), dpCauseEffect, EditLabel(c.Target));
        const TC_EArray& e = Data().C_ETable.Events[event];
        const int stored = slot == csTrigger ? e.TriggerTarget : e.ResetTarget;
        // For an AND this list is the first event: the second one is kept.
        const bool isAnd = ((slot == csTrigger ? e.Trigger : e.Reset) & 127) == CEAndConditionCode;
        Data().C_ETable.SetConditionTarget(event, slot, index, isAnd ? stored & 255 : index);
    });
    connect(c.SecondEvent, &QComboBox::activated, this, [this, event, slot, &c](int index) {
        TDocEdit edit(Data(), dpCauseEffect, EditLabel(c.SecondEvent));
        const TC_EArray& e = Data().C_ETable.Events[event];
        const int stored = slot == csTrigger ? e.TriggerTarget : e.ResetTarget;
        Data().C_ETable.SetConditionTarget(event, slot, stored / 256, index);
    });
    connect(c.Device, &QPushButton::clicked, this, [this, event, number] { ChooseDevice(event, number); });
}

void TfrmCEConfig::ShowTarget(QComboBox* list, TCETargetKind& shownKind, TCETargetKind kind, int target)
{
    const bool devices = kind == tkLoop1Devices || kind == tkLoop2Devices;
    if (kind != shownKind || (devices && list->count() != noLoopDevices_)) {
        list->clear();
        list->addItems(CETargetList(kind, noLoopDevices_));
        shownKind = kind;
    }
    // Zones are chosen by name as well; entry i stays zone i + 1 (the stored index).
    if (kind == tkZones || kind == tkZonesAndPanels)
        for (int i = 0; i < list->count(); ++i) {
            const QString caption = ZoneCaption(Data().ZoneList, i + 1);
            if (list->itemText(i) != caption)
                list->setItemText(i, caption);
        }
    list->setCurrentIndex(target >= 0 && target < list->count() ? target : -1);
}

void TfrmCEConfig::ShowRow(int event)
{
    TRow& row = rows_[event];
    const TC_EArray& e = Data().C_ETable.Events[event];
    const TCEDecoded d = DecodeCEEvent(e);
    const int actionIndex = d.HasEvent && d.ActionIndex < CEActionCount && e.Action % 10 == 0 ? d.ActionIndex : -1;
    row.Action->setCurrentIndex(d.HasEvent ? actionIndex : 0);
    const TCETargetKind kind = CEAction(actionIndex).Targets;
    const bool hasTarget = d.HasEvent && kind != tkNone;
    if (hasTarget)
        ShowTarget(row.ActionTarget, row.ActionKind, kind, e.ActionTarget);
    row.ActionTarget->setVisible(hasTarget);
    const int loop = DeviceLoop(kind);
    row.ActionLoop->setVisible(loop != 0);
    row.ActionDevice->setVisible(loop != 0);
    if (loop != 0)
        row.ActionLoop->setText(QStringLiteral("Loop ") + QString::number(loop));
    ShowCondition(event, csTrigger);
    ShowCondition(event, csReset);
}

void TfrmCEConfig::ShowCondition(int event, TCEConditionSlot slot)
{
    TConditionControls& c = slot == csTrigger ? rows_[event].Trigger : rows_[event].Reset;
    const TC_EArray& e = Data().C_ETable.Events[event];
    const TCEDecoded d = DecodeCEEvent(e);
    const TCECondition& condition = slot == csTrigger ? d.Trigger : d.ResetCondition;
    const int code = (slot == csTrigger ? e.Trigger : e.Reset) & 127;
    const int target = slot == csTrigger ? e.TriggerTarget : e.ResetTarget;
    const bool visible = d.HasEvent;
    // A code that is no condition of the list (0 after a new action) shows no selection.
    const bool known = code > 0 && code % 5 == 0 && condition.Index < CEConditionCount;
    c.When->setVisible(visible);
    c.Condition->setVisible(visible);
    c.Truth->setVisible(visible);
    c.Condition->setCurrentIndex(known ? condition.Index : -1);
    c.Truth->setCurrentIndex(known ? (condition.IsTrue ? 0 : 1) : -1);
    const TCETargetKind kind = known && visible ? CECondition(condition.Index).Targets : tkNone;
    c.Target->setVisible(kind != tkNone);
    const bool isAnd = kind == tkEventPair;
    c.And->setVisible(isAnd);
    c.SecondEvent->setVisible(isAnd);
    if (kind != tkNone)
        ShowTarget(c.Target, c.Kind, kind, isAnd ? condition.FirstEvent : target);
    if (isAnd)
        c.SecondEvent->setCurrentIndex(condition.SecondEvent < c.SecondEvent->count() ? condition.SecondEvent : -1);
    const int loop = DeviceLoop(kind);
    c.Loop->setVisible(loop != 0);
    c.Device->setVisible(loop != 0);
    if (loop != 0)
        c.Loop->setText(QStringLiteral("Loop ") + QString::number(loop));
}

void TfrmCEConfig::Refresh()
{
    noLoopDevices_ = Data().NoLoopDevices();
    for (int event = 1; event <= CEEventCount; ++event)
        ShowRow(event);
    for (int n = 1; n <= CETimeCount; ++n)
        if (times_[n]->text() != Data().C_ETable.Times[n])
            times_[n]->setText(Data().C_ETable.Times[n]);
}

void TfrmCEConfig::ChooseDevice(int event, int which)
{
    TRow& row = rows_[event];
    const TCETargetKind kind = which == 0 ? row.ActionKind : which == 1 ? row.Trigger.Kind : row.Reset.Kind;
    const int loop = DeviceLoop(kind);
    if (loop == 0 || !Context().ChooseDevice)
        return;
    const int address = Context().ChooseDevice(loop);
    if (address <= 0)
        return;
    if (which == 0)
        Data().C_ETable.SetActionTarget(event, address - 1);
    else
        Data().C_ETable.SetConditionTarget(event, which == 1 ? csTrigger : csReset, 0, address - 1);
    ShowRow(event);
}

void TfrmCEConfig::FirmwareNotice()
{
    if (noticeSuppressed_ || noticeOpen_)
        return;
    noticeOpen_ = true;
    TfrmVersionDependancy notice(this);
    notice.exec();
    noticeSuppressed_ = notice.DoNotShowAgain();
    noticeOpen_ = false;
}
