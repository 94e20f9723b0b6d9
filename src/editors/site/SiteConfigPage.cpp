#include "editors/site/SiteConfigPage.h"

#include "editors/common/ScrolledContent.h"
#include "editors/site/AccessCodeValidator.h"
#include "editors/site/Captions.h"
#include "editors/site/ClockTimeText.h"
#include "editors/site/UpDownButtons.h"
#include "model/Data.h"
#include "storage/Prompts.h"

#include <QCheckBox>
#include <QDateTime>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int SiteTextLimit = 35;
constexpr int DisplayTextLimit = 40;
constexpr int AccessCodeLength = 4;
constexpr int HelpContextSite = 60;
const QString DateFormat = QStringLiteral("dd/MM/yyyy");
const QString TimeFormat = QStringLiteral("HH:mm:ss");
// Monday first, as the panel numbers the weekday bits.
const char* const WeekdayCaptions[] = {"M", "T", "W", "T", "F", "S", "S"};
const char* const WeekdayNames[] = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                    "Friday", "Saturday", "Sunday"};

QGroupBox* Frame(QWidget* parent)
{
    auto* box = new QGroupBox(parent);
    return box;
}

// Room for the characters a field takes, so texts do not clip at any scale.
void WidthForChars(QLineEdit* edit, int chars)
{
    const QFontMetrics fm(edit->font());
    const int margins = edit->contentsMargins().left() + edit->contentsMargins().right()
        + edit->textMargins().left() + edit->textMargins().right() + 2 * fm.averageCharWidth();
    edit->setMinimumWidth(qMax(fm.horizontalAdvance(QString(chars, QLatin1Char('0'))),
                               fm.averageCharWidth() * chars)
                          + margins);
}

// The fields of the boxes in one column start at one x, whatever their captions.
void AlignCaptions(std::initializer_list<QWidget*> boxes)
{
    int width = 0;
    for (QWidget* box : boxes) {
        auto* grid = static_cast<QGridLayout*>(box->layout());
        for (int i = 0; i < grid->count(); ++i) {
            int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
            grid->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
            if (column == 0 && columnSpan == 1)
                width = qMax(width, grid->itemAt(i)->sizeHint().width());
        }
    }
    for (QWidget* box : boxes)
        static_cast<QGridLayout*>(box->layout())->setColumnMinimumWidth(0, width);
}

} // namespace

TfrmSiteConfig::TfrmSiteConfig(TEditorContext& context, QWidget* parent)
    : TPage(context, ppSiteConfig, HelpContextSite, parent),
      checks_(new TFieldExitChecks(this))
{
    setObjectName(QStringLiteral("tsSiteConfig"));
    setAccessibleName(QStringLiteral("Site Config"));

    QWidget* client = BuildClientBox();
    QWidget* installer = BuildInstallerBox();
    QWidget* panel = BuildPanelBox();
    AlignCaptions({client, installer, panel});
    auto* left = new QVBoxLayout;
    for (QWidget* box : {client, installer, panel})
        left->addWidget(box);
    left->addStretch(1);

    QWidget* display = BuildDisplayBox();
    QWidget* access = BuildAccessBox();
    QWidget* dayNight = BuildDayNightBox();
    QWidget* firmware = BuildFirmwareBox();
    AlignCaptions({display, access, dayNight, firmware});
    auto* right = new QVBoxLayout;
    for (QWidget* box : {display, access, dayNight, firmware})
        right->addWidget(box);
    right->addStretch(1);

    // A small screen scrolls the page rather than push the window past its edge.
    auto* columns = new QHBoxLayout(ScrolledContent(this));
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
}

QLineEdit* TfrmSiteConfig::AddText(QGridLayout* grid, int row, const QString& caption,
                                   const QString& name, int limit, TTextValue value)
{
    QWidget* parent = grid->parentWidget();
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMaxLength(limit);
    // A field of 35 characters is as wide as 28 at least (it widens where there is room):
    // both columns then fit a 1000 pixel page without scrolling sideways.
    WidthForChars(edit, std::min(limit, 28));
    if (!caption.isEmpty())
        grid->addWidget(BuddyLabel(caption, edit, parent), row, 0);
    grid->addWidget(edit, row, 1);
    connect(edit, &QLineEdit::textEdited, this, [this, value, edit](const QString& text) {
        TDocEdit change(Data(), dpSite, EditLabel(edit));
        value(Data().SiteConfig) = text;
    });
    texts_.append({edit, std::move(value)});
    return edit;
}

QCheckBox* TfrmSiteConfig::AddFlag(const QString& caption, const QString& name,
                                   std::function<bool&(TSiteConfig&)> value)
{
    auto* box = new QCheckBox(caption);
    NameWidget(box, name, PlainCaption(caption));
    connect(box, &QCheckBox::clicked, this, [this, value, box](bool checked) {
        TDocEdit edit(Data(), dpSite, EditLabel(box));
        value(Data().SiteConfig) = checked;
    });
    flags_.append({box, std::move(value)});
    return box;
}

QWidget* TfrmSiteConfig::BuildClientBox()
{
    QGroupBox* box = Frame(this);
    auto* grid = new QGridLayout(box);
    AddText(grid, 0, QStringLiteral("&Clients Name : "), QStringLiteral("txtClientName"),
            SiteTextLimit, [](TSiteConfig& s) -> QString& { return s.ClientName; });
    for (int line = 1; line <= 5; ++line) {
        const QString caption = line == 1 ? QStringLiteral("Clients &Address :")
            : line == 5                   ? QStringLiteral("Postcode :")
                                          : QString();
        QLineEdit* edit = AddText(grid, line, caption,
                                  QStringLiteral("txtClientAddress%1").arg(line), SiteTextLimit,
                                  [line](TSiteConfig& s) -> QString& {
                                      return s.ClientAddress(line);
                                  });
        if (caption.isEmpty())
            edit->setAccessibleName(QStringLiteral("Clients Address : line %1").arg(line));
    }
    return box;
}

QWidget* TfrmSiteConfig::BuildInstallerBox()
{
    QGroupBox* box = Frame(this);
    auto* grid = new QGridLayout(box);
    AddText(grid, 0, QStringLiteral("&Installers Name : "), QStringLiteral("txtInstallerName"),
            SiteTextLimit, [](TSiteConfig& s) -> QString& { return s.InstallerName; });
    for (int line = 1; line <= 5; ++line) {
        const QString caption = line == 1 ? QStringLiteral("Installers A&ddress : ")
            : line == 5                   ? QStringLiteral("Postcode :")
                                          : QString();
        QLineEdit* edit = AddText(grid, line, caption,
                                  QStringLiteral("txtInstallerAddress%1").arg(line),
                                  SiteTextLimit, [line](TSiteConfig& s) -> QString& {
                                      return s.InstallerAddress(line);
                                  });
        if (caption.isEmpty())
            edit->setAccessibleName(QStringLiteral("Installers Address : line %1").arg(line));
    }
    return box;
}

QWidget* TfrmSiteConfig::BuildPanelBox()
{
    QGroupBox* box = Frame(this);
    auto* grid = new QGridLayout(box);
    AddText(grid, 0, QStringLiteral("&Location of Panel : "), QStringLiteral("txtPanelLocation"),
            SiteTextLimit, [](TSiteConfig& s) -> QString& { return s.PanelLocation; });
    AddText(grid, 1, QStringLiteral("&Engineers Name : "), QStringLiteral("txtEngineer"),
            SiteTextLimit, [](TSiteConfig& s) -> QString& { return s.Engineer; });
    AddText(grid, 2, QStringLiteral("Service N&umber : "), QStringLiteral("txtEngineerNo"),
            SiteTextLimit, [](TSiteConfig& s) -> QString& { return s.EngineerNo; });
    return box;
}

QWidget* TfrmSiteConfig::BuildDisplayBox()
{
    QGroupBox* box = Frame(this);
    auto* grid = new QGridLayout(box);
    AddText(grid, 0, QStringLiteral("No&rmal String :"), QStringLiteral("txtQuiescentString"),
            DisplayTextLimit, [](TSiteConfig& s) -> QString& { return s.QuiescentString; });
    AddText(grid, 1, QStringLiteral("&Maintenance String :"),
            QStringLiteral("txtMaintenanceString"), DisplayTextLimit,
            [](TSiteConfig& s) -> QString& { return s.MaintenanceString; });

    txtMaintenanceDate_ = new QLineEdit(box);
    txtMaintenanceDate_->setObjectName(QStringLiteral("txtMaintenanceDate"));
    txtMaintenanceDate_->setInputMask(QStringLiteral("00/00/0000;_"));
    WidthForChars(txtMaintenanceDate_, 10);
    txtMaintenanceDate_->setMaximumWidth(txtMaintenanceDate_->minimumWidth());
    grid->addWidget(BuddyLabel(QStringLiteral("Main&tenance Date :"), txtMaintenanceDate_, box),
                    2, 0);
    txtMaintenanceDate_->installEventFilter(this);
    checks_->Watch(txtMaintenanceDate_, {}, [this] { return LeaveMaintenanceDate(); });

    chkSendMaintenanceDate_ = new QCheckBox(QStringLiteral("&Send To Panel?"), box);
    NameWidget(chkSendMaintenanceDate_, QStringLiteral("chkSendMaintenanceDate"),
               QStringLiteral("Send To Panel?"));
    connect(chkSendMaintenanceDate_, &QCheckBox::clicked, this, [this](bool checked) {
        TDocEdit edit(Data(), dpSite, EditLabel(chkSendMaintenanceDate_));
        Data().SendMaintenanceDate = checked;
    });
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(txtMaintenanceDate_);
    dateRow->addSpacing(fontMetrics().averageCharWidth() * 2);
    dateRow->addWidget(chkSendMaintenanceDate_);
    dateRow->addStretch(1);
    grid->addLayout(dateRow, 2, 1);
    return box;
}

QLineEdit* TfrmSiteConfig::AddAccessCode(QGridLayout* grid, int row, QLabel* label,
                                         const QString& name, int level)
{
    QWidget* parent = grid->parentWidget();
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    // The key filter refuses what is typed; the validator also keeps pasted text to 1..4 and
    // to four digits. No maximum length: it would cut a longer code shown from the document.
    auto* validator = new TAccessCodeValidator(edit);
    validator->OnRefused = [this] { Prompts().beep(); };
    edit->setValidator(validator);
    WidthForChars(edit, AccessCodeLength + 1);
    edit->setMaximumWidth(edit->minimumWidth());
    edit->installEventFilter(this);
    label->setBuddy(edit);
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    connect(edit, &QLineEdit::textEdited, this, [this, level](const QString& text) {
        Data().SetAccessCode(level, text);
        ShowKeyswitchState();
    });
    checks_->Watch(edit, {}, [this, level] { return LeaveAccessCode(level); });
    return edit;
}

QWidget* TfrmSiteConfig::BuildAccessBox()
{
    QGroupBox* box = Frame(this);
    auto* grid = new QGridLayout(box);
    lblAL2Code_ = new QLabel(box);
    txtAL2Code_ = AddAccessCode(grid, 0, lblAL2Code_, QStringLiteral("txtAL2Code"), 2);
    txtAL2Code_->setAccessibleName(QStringLiteral("Access Level 2 Code"));

    chkKeyswitch_ = new QCheckBox(QStringLiteral("Keyswitch Operated"), box);
    chkKeyswitch_->setObjectName(QStringLiteral("chkKeyswitch"));
    chkKeyswitch_->setAccessibleName(QStringLiteral("Keyswitch Operated"));
    // Display only: it follows the level 2 code.
    chkKeyswitch_->setEnabled(false);
    grid->addWidget(chkKeyswitch_, 0, 2);

    auto* label3 = new QLabel(QStringLiteral("Access Level &3 Code : "), box);
    txtAL3Code_ = AddAccessCode(grid, 1, label3, QStringLiteral("txtAL3Code"), 3);
    txtAL3Code_->setAccessibleName(QStringLiteral("Access Level 3 Code : "));
    grid->setColumnStretch(3, 1);
    return box;
}

QLineEdit* TfrmSiteConfig::AddClockTime(QGridLayout* grid, int row, const QString& caption,
                                        const QString& name, const QString& what,
                                        bool stepsMinutes, TTextValue value)
{
    QWidget* parent = grid->parentWidget();
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setInputMask(QStringLiteral("99:99;_"));
    WidthForChars(edit, 5);
    edit->setMaximumWidth(edit->minimumWidth());
    edit->installEventFilter(this);
    grid->addWidget(BuddyLabel(caption, edit, parent), row, 0);

    auto* cell = new QHBoxLayout;
    cell->setSpacing(1);
    cell->addWidget(edit);
    const TClockField field{edit, value, stepsMinutes};
    auto* hours = new TUpDownButtons(name + QStringLiteral("Hours"), what + QStringLiteral(" hours"),
                                     parent);
    hours->setFixedHeight(edit->sizeHint().height());
    connect(hours, &TUpDownButtons::Stepped, this,
            [this, field](int delta) { StepClock(field, TClockPart::cpHours, delta); });
    cell->addWidget(hours);
    if (stepsMinutes) {
        auto* minutes = new TUpDownButtons(name + QStringLiteral("Minutes"),
                                           what + QStringLiteral(" minutes"), parent);
        minutes->setFixedHeight(edit->sizeHint().height());
        connect(minutes, &TUpDownButtons::Stepped, this,
                [this, field](int delta) { StepClock(field, TClockPart::cpMinutes, delta); });
        cell->addWidget(minutes);
    }
    cell->addStretch(1);
    grid->addLayout(cell, row, 1);

    connect(edit, &QLineEdit::textEdited, this, [this, value, edit](const QString& text) {
        TDocEdit change(Data(), dpSite, EditLabel(edit));
        value(Data().SiteConfig) = text;
    });
    clocks_.append(field);
    return edit;
}

void TfrmSiteConfig::AddWeekdays(QGridLayout* grid, int row, const QString& prefix,
                                 const QString& what, bool night)
{
    QWidget* parent = grid->parentWidget();
    auto* days = new QHBoxLayout;
    QList<QCheckBox*>& boxes = night ? nightBoxes_ : dayBoxes_;
    for (int d = 1; d <= 7; ++d) {
        auto* box = new QCheckBox(QString::fromLatin1(WeekdayCaptions[d - 1]), parent);
        NameWidget(box, prefix + QString::fromLatin1(WeekdayNames[d - 1]).left(3),
                   box->text());
        const QString full = what + QLatin1Char(' ') + QString::fromLatin1(WeekdayNames[d - 1]);
        box->setAccessibleDescription(full);
        box->setToolTip(full);
        const int bit = 1 << (d - 1);
        connect(box, &QCheckBox::clicked, this, [this, bit, night, full](bool checked) {
            TDocEdit edit(Data(), dpSite, full);
            int& word = night ? Data().SiteConfig.Night_Enable_Flags
                              : Data().SiteConfig.Day_Enable_Flags;
            word = checked ? (word | bit) : (word & ~bit);
        });
        days->addWidget(box);
        boxes.append(box);
    }
    days->addStretch(1);
    grid->addLayout(days, row, 2);
}

QWidget* TfrmSiteConfig::BuildDayNightBox()
{
    QGroupBox* box = Frame(this);
    auto* grid = new QGridLayout(box);
    AddClockTime(grid, 0, QStringLiteral("&Occupied (Day) begins at :"),
                 QStringLiteral("txtNightEnd"), QStringLiteral("Day begins"), true,
                 [](TSiteConfig& s) -> QString& { return s.NightEnd; });
    AddWeekdays(grid, 0, QStringLiteral("chkDay"), QStringLiteral("Day"), false);
    AddClockTime(grid, 1, QStringLiteral("Unoccupied (Ni&ght) begins at :"),
                 QStringLiteral("txtNightBegin"), QStringLiteral("Night begins"), true,
                 [](TSiteConfig& s) -> QString& { return s.NightBegin; });
    AddWeekdays(grid, 1, QStringLiteral("chkNight"), QStringLiteral("Night"), true);
    AddClockTime(grid, 2, QStringLiteral("Recali&brate at :"), QStringLiteral("txtReCalTime"),
                 QStringLiteral("Recalibrate"), false,
                 [](TSiteConfig& s) -> QString& { return s.ReCalTime; });
    grid->setColumnStretch(2, 1);
    return box;
}

QWidget* TfrmSiteConfig::BuildFirmwareBox()
{
    QGroupBox* box = Frame(this);
    auto* grid = new QGridLayout(box);

    txtFirmwareVersion_ = new QLineEdit(NotAvailableVersion, box);
    txtFirmwareVersion_->setObjectName(QStringLiteral("txtFirmwareVersion"));
    txtFirmwareVersion_->setReadOnly(true);
    WidthForChars(txtFirmwareVersion_, NotAvailableVersion.size());
    txtFirmwareVersion_->setMaximumWidth(txtFirmwareVersion_->minimumWidth());
    grid->addWidget(BuddyLabel(QStringLiteral("Firmware &Version:"), txtFirmwareVersion_, box),
                    0, 0);
    grid->addWidget(txtFirmwareVersion_, 0, 1, Qt::AlignLeft);

    lblClockTime_ = new QLabel(QStringLiteral("12:00:00"), box);
    lblClockTime_->setObjectName(QStringLiteral("lblClockTime"));
    lblClockDate_ = new QLabel(QStringLiteral("01/01/2001"), box);
    lblClockDate_->setObjectName(QStringLiteral("lblClockDate"));
    for (QLabel* clock : {lblClockTime_, lblClockDate_}) {
        clock->setFrameShape(QFrame::StyledPanel);
        clock->setAlignment(Qt::AlignCenter);
        clock->setMinimumWidth(clock->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")));
    }
    auto* copyTime = AddFlag(QStringLiteral("Send T&o Panel?"), QStringLiteral("chkCopyTime"),
                             [](TSiteConfig& s) -> bool& { return s.CopyTime; });
    copyTime->setParent(box);
    auto* clockRow = new QHBoxLayout;
    clockRow->addWidget(lblClockTime_);
    clockRow->addWidget(lblClockDate_);
    clockRow->addWidget(copyTime);
    clockRow->addStretch(1);
    grid->addLayout(clockRow, 1, 0, 1, 2);

    chkBSTAdjustment_ = AddFlag(QStringLiteral("Auto Ad&just DST"),
                                QStringLiteral("chkBSTAdjustment"),
                                [](TSiteConfig& s) -> bool& { return s.BST_Adjustment; });
    chkPollingLED_ = AddFlag(QStringLiteral("Blin&k Polling LED"), QStringLiteral("chkPollingLED"),
                             [](TSiteConfig& s) -> bool& { return s.Discovery_Polling_LED; });
    chkRealTimeEvents_ = AddFlag(QStringLiteral("Real Time Output of E&vents"),
                                 QStringLiteral("chkRealTimeEvents"),
                                 [](TSiteConfig& s) -> bool& { return s.RealTime_Event_Output; });
    int row = 2;
    for (QCheckBox* option : {chkBSTAdjustment_, chkPollingLED_, chkRealTimeEvents_}) {
        option->setParent(box);
        grid->addWidget(option, row++, 0, 1, 2);
    }
    grid->setColumnStretch(1, 1);
    return box;
}

void TfrmSiteConfig::Refresh()
{
    TSiteConfig& site = Data().SiteConfig;
    for (const TTextField& field : texts_)
        field.Edit->setText(field.Value(site));
    for (const TClockField& field : clocks_)
        field.Edit->setText(field.Value(site));
    for (const TFlagBox& flag : flags_)
        flag.Box->setChecked(flag.Value(site));
    for (int d = 0; d < 7; ++d) {
        dayBoxes_[d]->setChecked((site.Day_Enable_Flags >> d) & 1);
        nightBoxes_[d]->setChecked((site.Night_Enable_Flags >> d) & 1);
    }
    txtMaintenanceDate_->setText(site.MaintenanceDate.isValid()
                                     ? site.MaintenanceDate.toString(DateFormat)
                                     : QString());
    chkSendMaintenanceDate_->setChecked(Data().SendMaintenanceDate);
    txtAL2Code_->findChild<TAccessCodeValidator*>()->ShowStored(site.AL2Code);
    txtAL3Code_->findChild<TAccessCodeValidator*>()->ShowStored(site.AL3Code);
    ShowKeyswitchState();
    txtFirmwareVersion_->setText(site.GetMainVersion());

    chkBSTAdjustment_->setVisible(OffersDaylightSaving(site));
    chkRealTimeEvents_->setVisible(OffersRealTimeEventOutput(site));
    chkPollingLED_->setVisible(OffersPollingLed(site, Data().SystemType() == stApolloLoop));
}

void TfrmSiteConfig::SetClock(const QDateTime& now)
{
    lblClockTime_->setText(now.toString(TimeFormat));
    lblClockDate_->setText(now.toString(DateFormat));
}

void TfrmSiteConfig::ShowKeyswitchState()
{
    const TSiteConfig& site = Data().SiteConfig;
    const bool keyswitch = site.KeyswitchOperated();
    QString caption = AccessLevel2Caption(site);
    if (!keyswitch)
        caption.replace(QStringLiteral("Level 2"), QStringLiteral("Level &2"));
    lblAL2Code_->setText(caption);
    txtAL2Code_->setVisible(!keyswitch);
    chkKeyswitch_->setChecked(keyswitch);
}

void TfrmSiteConfig::StepClock(const TClockField& field, TClockPart part, int delta)
{
    TDocEdit edit(Data(), dpSite, EditLabel(field.Edit));
    QString& value = field.Value(Data().SiteConfig);
    value = StepClockTime(field.Edit->text(), part, delta);
    field.Edit->setText(value);
}

bool TfrmSiteConfig::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return TPage::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (watched == txtMaintenanceDate_) {
        // Enter checks the date as leaving does, also when the mask is not filled.
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        checks_->CheckNow(txtMaintenanceDate_);
        return true;
    }
    if (watched == txtAL2Code_ || watched == txtAL3Code_) {
        const QString text = key->text();
        if (text.isEmpty() || AccessCodeKeyAllowed(text[0]))
            return false;
        if (const auto* validator = qobject_cast<const TAccessCodeValidator*>(
                static_cast<QLineEdit*>(watched)->validator()))
            validator->Refuse(TAccessCodeValidator::DigitsRefusal);
        return true;
    }
    for (const TClockField& field : clocks_) {
        if (watched != field.Edit)
            continue;
        const int delta = key->key() == Qt::Key_Up ? 1 : key->key() == Qt::Key_Down ? -1 : 0;
        if (delta == 0 || key->modifiers() != Qt::NoModifier)
            return false;
        // The caret in the minutes stands for the minutes where the arrows step them.
        const bool minutes = field.StepsMinutes && field.Edit->cursorPosition() > 2;
        const int caret = field.Edit->cursorPosition();
        StepClock(field, minutes ? TClockPart::cpMinutes : TClockPart::cpHours, delta);
        field.Edit->setCursorPosition(caret);
        return true;
    }
    return TPage::eventFilter(watched, event);
}

bool TfrmSiteConfig::FieldCheckFailing() const
{
    return checks_->Reporting();
}

TFieldExitChecks::TReport TfrmSiteConfig::LeaveAccessCode(int level)
{
    const TAccessCodeCheck check = CheckAccessCodes(Data().SiteConfig, level);
    if (check.Valid)
        return {};
    return [this, check] {
        if (check.IsWarning)
            Prompts().warning(check.Message);
        else
            Prompts().error(check.Message);
    };
}

TFieldExitChecks::TReport TfrmSiteConfig::LeaveMaintenanceDate()
{
    const QDate date = QDate::fromString(txtMaintenanceDate_->text(), DateFormat);
    if (!date.isValid()) {
        return [this] {
            Prompts().error(QStringLiteral("The date that you entered is invalid. Please check "
                                           "and re-enter the date."));
        };
    }
    TSiteConfig& site = Data().SiteConfig;
    if (site.MaintenanceDate != date) {
        TDocEdit edit(Data(), dpSite, EditLabel(txtMaintenanceDate_));
        site.MaintenanceDate = date;
    }
    const QDate today = QDate::currentDate();
    if (today <= date)
        return {};
    return [this, today] {
        Prompts().warning(QStringLiteral("Today's date is ") + today.toString(DateFormat)
                          + QStringLiteral(". Please enter a date ")
                          + QStringLiteral("after this date."));
    };
}
