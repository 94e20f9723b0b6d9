#include "editors/devices/LoopSummary.h"
#include "editors/site/Captions.h"

#include "editors/devices/CellDropDown.h"
#include "editors/devices/CellTextDelegate.h"
#include "editors/devices/DeviceDialogs.h"
#include "editors/devices/DeviceLists.h"
#include "editors/devices/IOConfig.h"
#include "editors/devices/LoopSummaryModel.h"
#include "editors/devices/SummaryClipboard.h"
#include "editors/devices/SummaryZones.h"
#include "editors/loop/DeviceSelectionFrame.h"
#include "model/Data.h"
#include "model/Placement.h"
#include "storage/Prompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int LoopSummaryHelpContext = 10;
const QString EnableChangesMessage = QStringLiteral("You must check the Enable Changes option");

// The eighth panel of the heading: the protocol and the number of loops.
QString LoopTypeText(TSystemType type, int loopCount)
{
    QString name;
    switch (type) {
    case stApolloLoop: name = QStringLiteral("Loop Type=  Apollo "); break;
    case stHochikiLoop: name = QStringLiteral("Loop Type= Hochiki "); break;
    case stSysSensorLoop: name = QStringLiteral("Loop Type=  System Sensor "); break;
    case stNittanLoop: name = QStringLiteral("Loop Type= Nittan "); break;
    }
    return name + QString::number(loopCount) + QStringLiteral(" Loop");
}

constexpr std::array<int, scColumnCount> ColumnWidths{34, 33, 162, 153, 181, 25, 74};

} // namespace

TfrmLoopSummary::TfrmLoopSummary(TEditorContext& context, QWidget* parent)
    : TPage(context, ppLoopSummary, LoopSummaryHelpContext, parent)
{
    setObjectName(QStringLiteral("frmLoopSummary"));
    Build();
    LoopCountChanged();
    Refresh();
}

void TfrmLoopSummary::Build()
{
    auto* lblShow = new QLabel(QStringLiteral("&Show summary for"), this);
    cmbShowSummaryFor_ = new QComboBox(this);
    cmbShowSummaryFor_->setObjectName(QStringLiteral("cmbShowSummaryFor"));
    cmbShowSummaryFor_->setAccessibleName(QStringLiteral("Show summary for"));
    cmbShowSummaryFor_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    lblShow->setBuddy(cmbShowSummaryFor_);
    connect(cmbShowSummaryFor_, &QComboBox::activated, this, &TfrmLoopSummary::LoopChosen);

    chkEnableChanges_ = new QCheckBox(QStringLiteral("&Enable Type/Zone changes"), this);
    chkEnableChanges_->setObjectName(QStringLiteral("chkEnableChanges"));
    chkEnableChanges_->setAccessibleName(QStringLiteral("Enable Type/Zone changes"));
    connect(chkEnableChanges_, &QCheckBox::toggled, this, [this](bool on) {
        zones_->SetEditable(on);
    });

    toolbarSlot_ = new QHBoxLayout;
    toolbarSlot_->setContentsMargins(0, 0, 0, 0);
    toolbar_ = new TDevice_Selection_Frame(this);
    toolbar_->setObjectName(QStringLiteral("SummaryDeviceToolbar"));
    toolbar_->Build(Data().SystemType(), Context().ButtonsIniPath);
    auto* top = new QHBoxLayout;
    top->addWidget(lblShow);
    top->addWidget(cmbShowSummaryFor_);
    top->addSpacing(12);
    top->addWidget(chkEnableChanges_);
    top->addStretch(1);
    toolbarSlot_->addWidget(toolbar_, 1);

    lblLoopType_ = new QLabel(this);
    lblLoopType_->setObjectName(QStringLiteral("lblLoopType"));
    lblLoopType_->setFrameShape(QFrame::StyledPanel);

    model_ = new TLoopSummaryModel(Data(), this);
    sgrdLoopSummary_ = new QTableView(this);
    sgrdLoopSummary_->setObjectName(QStringLiteral("sgrdLoopSummary"));
    sgrdLoopSummary_->setAccessibleName(QStringLiteral("Loop Summary"));
    sgrdLoopSummary_->setModel(model_);
    // Rows are selected (Shift, Ctrl, drag) for Ctrl+C; the cursor keeps its cell for editing.
    sgrdLoopSummary_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    sgrdLoopSummary_->setSelectionBehavior(QAbstractItemView::SelectRows);
    sgrdLoopSummary_->setEditTriggers(QAbstractItemView::EditKeyPressed
                                      | QAbstractItemView::AnyKeyPressed);
    sgrdLoopSummary_->setWordWrap(false);
    sgrdLoopSummary_->setTabKeyNavigation(false);
    sgrdLoopSummary_->verticalHeader()->hide();
    sgrdLoopSummary_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    sgrdLoopSummary_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    QHeaderView* header = sgrdLoopSummary_->horizontalHeader();
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    // The drawn widths, widened where this font needs more for the longest texts.
    const QFontMetrics metrics = sgrdLoopSummary_->fontMetrics();
    const int padding = 2 * metrics.averageCharWidth();
    std::array<int, scColumnCount> widths = ColumnWidths;
    widths[scLoop] = std::max(widths[scLoop], metrics.horizontalAdvance(QStringLiteral("Loop")) + padding);
    widths[scDev] = std::max(widths[scDev], metrics.horizontalAdvance(QStringLiteral("M99+")) + padding);
    widths[scType] = std::max(
        widths[scType], metrics.horizontalAdvance(QStringLiteral("Un-supported type (0xFF)")) + padding);
    widths[scZone] = std::max(
        widths[scZone], metrics.horizontalAdvance(QStringLiteral("Zone 32- Zone 32 Staircase")) + padding);
    widths[scName] = std::max(widths[scName], metrics.averageCharWidth() * 26 + padding);
    widths[scBaseSounder] = std::max(
        widths[scBaseSounder], metrics.horizontalAdvance(QStringLiteral("Base Sounder")) + padding);
    header->setMinimumSectionSize(20);
    int total = 0;
    for (int c = 0; c < scColumnCount; ++c) {
        header->resizeSection(c, widths[static_cast<std::size_t>(c)]);
        total += widths[static_cast<std::size_t>(c)];
    }
    sgrdLoopSummary_->setMinimumWidth(total + sgrdLoopSummary_->verticalScrollBar()->sizeHint().width()
                                      + 2 * sgrdLoopSummary_->frameWidth());
    sgrdLoopSummary_->installEventFilter(this);
    connect(sgrdLoopSummary_, &QTableView::clicked, this, &TfrmLoopSummary::CellClicked);
    InstallSummaryClipboard(*sgrdLoopSummary_, Data(), [this] { return loop_; },
                            [this] { Rebuild(); });

    nameDelegate_ = new TCellTextDelegate(MaxDescriptionLength, this);
    // The message box takes the focus and so ends the edit: it comes after the key has been
    // typed and committed.
    nameDelegate_->OnKeyTyped = [this] {
        QTimer::singleShot(0, this, &TfrmLoopSummary::WarnWhenNamesFull);
    };
    nameDelegate_->OnLimit = [this] { Prompts().beep(); };
    sgrdLoopSummary_->setItemDelegateForColumn(scName, nameDelegate_);
    connect(nameDelegate_, &TCellTextDelegate::EnterPressed, this, &TfrmLoopSummary::StepDown,
            Qt::QueuedConnection);

    cmbZoneDropDown_ = new TCellDropDown(sgrdLoopSummary_->viewport());
    cmbZoneDropDown_->setObjectName(QStringLiteral("cmbZoneDropDown"));
    cmbZoneDropDown_->setAccessibleName(QStringLiteral("Zone/Group/Set"));
    cmbZoneDropDown_->setMaxVisibleItems(20);
    cmbZoneDropDown_->hide();
    cmbBaseSounderDropDown_ = new TCellDropDown(sgrdLoopSummary_->viewport());
    cmbBaseSounderDropDown_->setObjectName(QStringLiteral("cmbBaseSounderDropDown"));
    cmbBaseSounderDropDown_->setAccessibleName(QStringLiteral("Base Sounder"));
    cmbBaseSounderDropDown_->setMaxVisibleItems(20);
    cmbBaseSounderDropDown_->hide();

    auto* table = new QVBoxLayout;
    auto* heading = new QHBoxLayout;
    heading->addStretch(1);
    heading->addWidget(lblLoopType_);
    table->addLayout(heading);
    table->addWidget(sgrdLoopSummary_, 1);

    zones_ = new TSummaryZones(Data(), this);
    connect(zones_, &TSummaryZones::ZoneNamesChanged, this, &TfrmLoopSummary::Rebuild);
    connect(zones_, &TSummaryZones::NameLimitReached, this, [this] { Prompts().beep(); });

    lblNamesUsed_ = new QLabel(this);
    lblNamesUsed_->setObjectName(QStringLiteral("lblNamesUsed"));
    lblTotalCharacters_ = new QLabel(this);
    lblTotalCharacters_->setObjectName(QStringLiteral("lblTotalCharacters"));
    lblCharactersLeft_ = new QLabel(this);
    lblCharactersLeft_->setObjectName(QStringLiteral("lblCharactersLeft"));
    countersTimer_ = new QTimer(this);
    countersTimer_->setInterval(100);
    connect(countersTimer_, &QTimer::timeout, this, &TfrmLoopSummary::UpdateCounters);
    SetNameCountersVisible(false);

    auto* right = new QVBoxLayout;
    right->addWidget(zones_, 1);
    right->addWidget(BuildAlarmVerification());
    right->addWidget(lblNamesUsed_);
    right->addWidget(lblTotalCharacters_);
    right->addWidget(lblCharactersLeft_);

    auto* body = new QHBoxLayout;
    // The table is as wide as its columns; the zone descriptions take what is left.
    body->addLayout(table, 0);
    body->addLayout(right, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    // The device toolbar has a row of its own, so the page fits a 1024-pixel-wide screen.
    layout->addLayout(toolbarSlot_);
    layout->addLayout(body, 1);

    setTabOrder(cmbShowSummaryFor_, chkEnableChanges_);
    setTabOrder(chkEnableChanges_, sgrdLoopSummary_);
}

QWidget* TfrmLoopSummary::BuildAlarmVerification()
{
    grpAlarmVerification_ = new QGroupBox(QStringLiteral("Alarm verification count"), this);
    grpAlarmVerification_->setObjectName(QStringLiteral("grpAlarmVerification"));
    auto* form = new QFormLayout(grpAlarmVerification_);
    const auto add = [&](const QString& caption, const QString& name, int maximum,
                         int TSiteConfig::* field) {
        auto* spin = new QSpinBox(grpAlarmVerification_);
        spin->setObjectName(name);
        spin->setAccessibleName(PlainCaption(caption));
        spin->setRange(1, maximum);
        form->addRow(caption, spin);
        connect(spin, &QSpinBox::valueChanged, this, [this, field, spin](int value) {
            if (loading_ || Data().SiteConfig.*field == value)
                return;
            TDocEdit edit(Data(), dpSite, spin->accessibleName());
            Data().SiteConfig.*field = value;
        });
        return spin;
    };
    spnMCPDelay_ = add(QStringLiteral("&Manual Callpoints"), QStringLiteral("spnMCPDelay"), 15,
                       &TSiteConfig::MCP_Delay);
    spnIODelay_ = add(QStringLiteral("&Interface units"), QStringLiteral("spnIODelay"), 15,
                      &TSiteConfig::IO_Delay);
    spnDetectorDelay_ = add(QStringLiteral("De&tectors"), QStringLiteral("spnDetectorDelay"), 60,
                            &TSiteConfig::Detector_Delay);
    return grpAlarmVerification_;
}

void TfrmLoopSummary::FollowProtocol()
{
    // The toolbar offers the devices of the document's protocol; another protocol starts
    // without a choice.
    if (toolbar_->Definition().SystemType() != Data().SystemType())
        toolbar_->Build(Data().SystemType(), Context().ButtonsIniPath);
}

void TfrmLoopSummary::Refresh()
{
    FollowProtocol();
    loading_ = true;
    lblLoopType_->setText(LoopTypeText(Data().SystemType(), Data().LoopCount));
    const TSiteConfig& site = Data().SiteConfig;
    spnMCPDelay_->setValue(site.MCP_Delay);
    spnIODelay_->setValue(site.IO_Delay);
    spnDetectorDelay_->setValue(site.Detector_Delay);
    grpAlarmVerification_->setVisible(OffersAlarmVerification(site));
    zones_->Refresh();
    loading_ = false;
    Rebuild();
    UpdateCounters();
}

void TfrmLoopSummary::PageActivated()
{
    ClearTypeZoneChanges();
    Rebuild();
    ResetSelection();
}

void TfrmLoopSummary::ProtocolApplied()
{
    FollowProtocol();
    lblLoopType_->setText(LoopTypeText(Data().SystemType(), Data().LoopCount));
    Rebuild();
}

void TfrmLoopSummary::LoopCountChanged()
{
    const QSignalBlocker block(cmbShowSummaryFor_);
    cmbShowSummaryFor_->clear();
    cmbShowSummaryFor_->addItem(QStringLiteral("Loop 1 "));
    if (Data().LoopCount >= 2)
        cmbShowSummaryFor_->addItem(QStringLiteral("Loop 2"));
    lblLoopType_->setText(LoopTypeText(Data().SystemType(), Data().LoopCount));
    SetSummaryLoop(Data().LoopCount >= 2 ? loop_ : 1);
}

int TfrmLoopSummary::SummaryLoop() const
{
    return loop_;
}

void TfrmLoopSummary::SetSummaryLoop(int loop)
{
    const int chosen = loop == 2 && cmbShowSummaryFor_->count() >= 2 ? 2 : 1;
    {
        const QSignalBlocker block(cmbShowSummaryFor_);
        cmbShowSummaryFor_->setCurrentIndex(chosen - 1);
    }
    if (chosen == loop_ && model_->LoopNumber() == chosen)
        return;
    LoopChosen(chosen - 1);
}

void TfrmLoopSummary::LoopChosen(int index)
{
    HideDropDowns();
    const QModelIndex current = sgrdLoopSummary_->currentIndex();
    loop_ = index == 1 ? 2 : 1;
    model_->SetLoop(loop_);
    if (current.isValid() && model_->rowCount() > 0)
        sgrdLoopSummary_->setCurrentIndex(
            model_->index(std::min(current.row(), model_->rowCount() - 1), current.column()));
    emit SummaryLoopChanged(loop_);
}

void TfrmLoopSummary::ResetSelection()
{
    HideDropDowns();
    if (model_->rowCount() > 0)
        sgrdLoopSummary_->setCurrentIndex(model_->index(0, 0));
    sgrdLoopSummary_->scrollToTop();
}

void TfrmLoopSummary::ClearTypeZoneChanges()
{
    chkEnableChanges_->setChecked(false);
}

void TfrmLoopSummary::SetNameCountersVisible(bool visible)
{
    for (QLabel* label : {lblNamesUsed_, lblTotalCharacters_, lblCharactersLeft_})
        label->setVisible(visible);
    TIOConfig::SetDiagnosticsVisible(visible);
    if (visible) {
        UpdateCounters();
        countersTimer_->start();
    } else {
        countersTimer_->stop();
    }
}


void TfrmLoopSummary::Rebuild()
{
    HideDropDowns();
    model_->SetLoop(loop_);
}

void TfrmLoopSummary::UpdateCounters()
{
    const TNameTable& names = Data().NameTable;
    lblNamesUsed_->setText(names.NamesUsedText());
    lblTotalCharacters_->setText(names.TotalCharactersText());
    lblCharactersLeft_->setText(names.CharactersLeftText());
}

void TfrmLoopSummary::WarnWhenNamesFull()
{
    if (Data().NameTable.Count() >= TNameTable::MaxNames)
        Prompts().confirm(TooManyNamesMessage, TPromptButtons::pbYesNo, TPromptKind::pkError);
}

void TfrmLoopSummary::HideDropDowns()
{
    cmbZoneDropDown_->hide();
    cmbBaseSounderDropDown_->hide();
}


bool TfrmLoopSummary::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == sgrdLoopSummary_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        // An open editor has the keys itself; these reach the table only between edits.
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            StepDown();
            return true;
        }
        // Space acts on the current cell as a click does, for work without the mouse.
        if (key == Qt::Key_Space) {
            CellClicked(sgrdLoopSummary_->currentIndex());
            return true;
        }
    }
    return TPage::eventFilter(watched, event);
}

void TfrmLoopSummary::StepDown()
{
    const QModelIndex current = sgrdLoopSummary_->currentIndex();
    if (!current.isValid() || current.row() + 1 >= model_->rowCount())
        return;
    const QModelIndex next = model_->index(current.row() + 1, current.column());
    sgrdLoopSummary_->setCurrentIndex(next);
    sgrdLoopSummary_->scrollTo(next);
    CellClicked(next);
}

bool TfrmLoopSummary::ChangesEnabled()
{
    if (chkEnableChanges_->isChecked())
        return true;
    Prompts().warning(EnableChangesMessage);
    return false;
}

void TfrmLoopSummary::CellClicked(const QModelIndex& index)
{
    HideDropDowns();
    // Shift+click, Ctrl+click and a drag pick rows for copying; they open nothing.
    if ((QGuiApplication::keyboardModifiers() & (Qt::ShiftModifier | Qt::ControlModifier))
        || sgrdLoopSummary_->selectionModel()->selectedRows().size() > 1)
        return;
    if (!index.isValid() || index.row() >= model_->rowCount())
        return;
    if (sgrdLoopSummary_->currentIndex() != index)
        sgrdLoopSummary_->setCurrentIndex(index);
    const int point = TLoopSummaryModel::PointOfRow(index.row());
    switch (index.column()) {
    case scDev:
        if (model_->Loop().IsEditable(point))
            EditDevice(point);
        break;
    case scType:
        if (ChangesEnabled())
            ChangeType(point);
        break;
    case scZone:
        if (ChangesEnabled())
            ChooseZone(index, point);
        break;
    case scName:
        if (model_->NameEditable(index.row())) {
            Data().RebuildNameTable();
            sgrdLoopSummary_->edit(index);
        }
        break;
    case scBaseSounder:
        ChooseBaseSounder(index, point);
        break;
    default:
        break;
    }
}

void TfrmLoopSummary::EditDevice(int point)
{
    const bool wrote = EditDevices(Context(), loop_, point, this);
    if (wrote)
        Rebuild();
    sgrdLoopSummary_->setCurrentIndex(model_->index(TLoopSummaryModel::RowOfPoint(point), 0));
    sgrdLoopSummary_->setFocus();
}

void TfrmLoopSummary::ChangeType(int point)
{
    // The choice is the toolbar's, for the protocol the document has now.
    FollowProtocol();
    if (!toolbar_->HasSelection()) {
        Prompts().beep();
        return;
    }
    TPlacementQuestions questions;
    questions.Refuse = [this](const QString& refusal) { Prompts().error(refusal); };
    questions.ConfirmGroupCommand = [this](const QString& question) {
        return Prompts().confirm(question, TPromptButtons::pbYesNo) == TPromptAnswer::paYes;
    };
    bool placed = false;
    {
        TDocEdit edit(Data(), LoopPart(loop_) | dpNames, PointLabel(loop_, point));
        placed = PlaceAtPoint(model_->Loop(), point, toolbar_->SelectedType(), psKeepNamed,
                              questions);
        if (!placed)
            edit.Unchanged();
    }
    if (placed)
        Rebuild();
}

void TfrmLoopSummary::ChooseZone(const QModelIndex& index, int point)
{
    const TQEMLoop& loop = model_->Loop();
    if (!loop.IsEditable(point))
        return;
    if (loop.HasChannelNames(point)) {
        EditDevice(point);
        return;
    }
    const bool groups = loop.IsSounderClass(point);
    const int chosen = groups ? zones_->ChosenGroup() : zones_->ChosenZone();
    const int current = loop.Devices[point].Zone;
    const QStringList entries = groups ? GroupNumberEntries() : ZoneEntries(Data());
    // Opening assigns the entry picked in the right-hand list at once.
    if (chosen >= 0 && chosen != current)
        ZoneChosen(point, chosen);
    {
        const QSignalBlocker block(cmbZoneDropDown_);
        FillChoice(*cmbZoneDropDown_, entries, chosen >= 0 ? chosen : current);
    }
    cmbZoneDropDown_->disconnect(this);
    connect(cmbZoneDropDown_, &QComboBox::activated, this,
            [this, point](int entry) { ZoneChosen(point, entry); });
    cmbZoneDropDown_->setGeometry(sgrdLoopSummary_->visualRect(index));
    cmbZoneDropDown_->show();
    cmbZoneDropDown_->setFocus();
    cmbZoneDropDown_->showPopup();
}

void TfrmLoopSummary::ZoneChosen(int point, int entry)
{
    TDeviceType& d = model_->Loop().Devices[point];
    if (entry < 0 || entry == d.Zone) {
        sgrdLoopSummary_->setFocus();
        return;
    }
    {
        TDocEdit edit(Data(), LoopPart(loop_), PointLabel(loop_, point) + QStringLiteral(" zone"));
        d.Zone = entry;
        d.SharedData[TDeviceType::sdZoneOrGroup] = entry;
    }
    Rebuild();
    sgrdLoopSummary_->setFocus();
}

void TfrmLoopSummary::ChooseBaseSounder(const QModelIndex& index, int point)
{
    const TQEMLoop& loop = model_->Loop();
    if (!loop.IsEditable(point) || !loop.HasDeviceSettings(point)
        || !loop.HasBaseSounderSlot(point))
        return;
    QStringList entries{QStringLiteral("None")};
    for (int g = 1; g <= MaxGroup; ++g)
        entries.append(QStringLiteral("Group ") + QString::number(g));
    const int group = loop.BaseSounderFitted(point)
        ? loop.Devices[point + TQEMLoop::BaseSounderOffset].Zone
        : 0;
    {
        const QSignalBlocker block(cmbBaseSounderDropDown_);
        FillChoice(*cmbBaseSounderDropDown_, entries, group);
    }
    cmbBaseSounderDropDown_->disconnect(this);
    connect(cmbBaseSounderDropDown_, &QComboBox::activated, this,
            [this, point](int entry) { BaseSounderChosen(point, entry); });
    cmbBaseSounderDropDown_->setGeometry(sgrdLoopSummary_->visualRect(index));
    cmbBaseSounderDropDown_->show();
    cmbBaseSounderDropDown_->setFocus();
    cmbBaseSounderDropDown_->showPopup();
}

void TfrmLoopSummary::BaseSounderChosen(int point, int entry)
{
    TQEMLoop& loop = model_->Loop();
    const int slot = point + TQEMLoop::BaseSounderOffset;
    const bool fitted = loop.BaseSounderFitted(point);
    if (entry < 0 || (entry == 0 && !fitted) || (fitted && entry == loop.Devices[slot].Zone)) {
        sgrdLoopSummary_->setFocus();
        return;
    }
    {
        TDocEdit edit(Data(), LoopPart(loop_) | dpNames,
                      PointLabel(loop_, point) + QStringLiteral(" base sounder"));
        loop.SetBaseSounder(point, entry != 0, entry);
        Data().RebuildNameTable();
    }
    Rebuild();
    sgrdLoopSummary_->setFocus();
}
