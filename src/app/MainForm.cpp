#include "app/MainForm.h"

#include "app/GuiPrompts.h"
#include "app/HelpWindow.h"
#include "app/PlaceholderPage.h"
#include "app/RecentFiles.h"
#include "app/UndoHistory.h"
#include "editors/print/PrinterSetup.h"
#include "editors/log/CommentsPage.h"
#include "editors/log/EventLogPage.h"
#include "editors/status/AboutBox.h"
#include "editors/status/CommSelect.h"
#include "editors/status/Status.h"
#include "model/Data.h"
#include "panel/PanelLink.h"
#include "panel/TransferSequencer.h"
#include "safety/CommsTrace.h"
#include "storage/ProgramSettings.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPrinter>
#include <QSettings>
#include <QSpinBox>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QAction* MakeAction(QObject* parent, const QString& caption, const QString& hint,
                    const QString& name)
{
    auto* action = new QAction(caption, parent);
    action->setObjectName(name);
    action->setToolTip(hint);
    action->setStatusTip(hint);
    return action;
}

// A toolbar button named as the program names it, with its hint as its accessible name.
QToolButton* ToolButton(QToolBar* bar, QAction* action, const QString& name, bool textOnly)
{
    bar->addAction(action);
    auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action));
    button->setObjectName(name);
    button->setAccessibleName(textOnly ? ShownText(action->text()) : action->toolTip());
    if (textOnly)
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return button;
}

} // namespace

TMainForm::TMainForm(TMainFormSetup setup, QWidget* parent)
    : QMainWindow(parent), setup_(std::move(setup)),
      guiPrompts_(setup_.Prompts ? nullptr : std::make_unique<TGuiPrompts>(this)),
      prompts_(setup_.Prompts ? setup_.Prompts : guiPrompts_.get()),
      data_(std::make_unique<TData>()),
      portSettings_(setup_.Settings ? std::make_unique<TPortSettings>(*setup_.Settings)
                                    : std::make_unique<TPortSettings>()),
      context_{*data_, *prompts_, 600, QString(), {}, {}}
{
    setObjectName(QStringLiteral("MainForm"));
    if (setup_.ButtonsIniPath.isEmpty())
        setup_.ButtonsIniPath = ProgramSettingsPath();
    context_.ButtonsIniPath = setup_.ButtonsIniPath;
    context_.RefreshAllPages = [this] { RefreshAllPages(); };

    ApplyPanelLinkSettings(comms_);

    status_ = new TfrmStatus(this);
    status_->OnClosed = [this] { RefreshAllPages(); };

    sequencer_ = std::make_unique<TTransferSequencer>(
        *data_, comms_, *prompts_, *status_,
        TTransferContext{[this] { return ActivePage(); }, [this] { return SummaryLoop(); }});
    connect(sequencer_.get(), &TTransferSequencer::Finished, this, &TMainForm::TransferFinished);
    connect(sequencer_.get(), &TTransferSequencer::ActivePageRefresh, this, &TMainForm::RefreshPage);
    connect(sequencer_.get(), &TTransferSequencer::LoopTypeChanged, this, [this] {
        FollowProtocol();
        ApplyLoopCount();
    });
    connect(sequencer_.get(), &TTransferSequencer::StatusMessage, this,
            [this](const QString& text) { prompts_->information(text); });

    commSelect_ = new TCommSelectForm(*portSettings_, this);
    about_ = new TAboutBox(this);
    connect(about_, &TAboutBox::DiagnosticsRequested, this, &TMainForm::DiagnosticsRequested);
    help_ = new THelpWindow(this);

    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("PageControl"));
    pages_->setAccessibleName(QStringLiteral("Pages"));
    pages_->setFocusPolicy(Qt::StrongFocus);
    CreatePages();
    setCentralWidget(pages_);

    CreateComforts();
    CreateActions();
    CreateMenusAndToolbar();
    CreateSafetyTools();
    ConnectPages();

    connect(sequencer_.get(), &TTransferSequencer::EventLogLine, eventLog_,
            &TfrmEventLog::AppendShown);
    connect(sequencer_.get(), &TTransferSequencer::TextLine, eventLog_, &TfrmEventLog::AppendLine);
    connect(data_.get(), &TData::ModifiedChanged, this, [this] { UpdateTitle(); });
    connect(pages_, &QTabWidget::currentChanged, this, [this] {
        if (startupDone_)
            PageChange();
    });

    clock_ = new QTimer(this);
    clock_->setInterval(1000);
    connect(clock_, &QTimer::timeout, this, [this] { emit ClockTick(QDateTime::currentDateTime()); });

    const QFontMetrics fm = fontMetrics();
    resize(fm.averageCharWidth() * 190, fm.height() * 48);
    RestoreLayout();
    UpdateTitle();
}

TMainForm::~TMainForm()
{
    // The sequencer unhooks itself from the packet component and the status window.
    sequencer_.reset();
    comms_.Close();
    // The pages and dialogs refer to the document, context and settings: they go first.
    clock_->stop();
    delete pages_;
    delete commSelect_;
    delete status_;
}

// The tab captions, in page order.
static const std::array<QString, TMainForm::PageCount>& PageCaptions()
{
    static const std::array<QString, TMainForm::PageCount> captions = {
        QStringLiteral("Loop Summary"),   QStringLiteral("Loop 1"),
        QStringLiteral("Loop 2"),         QStringLiteral("Zone Config"),
        QStringLiteral("Group Config"),   QStringLiteral("Set Config"),
        QStringLiteral("Site Config"),    QStringLiteral("C && E Config"),
        QStringLiteral("Network Config"), QStringLiteral("View Event Log"),
        QStringLiteral("Comments")};
    return captions;
}

// A page whose building failed keeps its tab, with a placeholder that says so.
void TMainForm::FillMissingPages(int count)
{
    while (pages_->count() < count) {
        const auto page = static_cast<TPanelPage>(pages_->count());
        AddPage(new TPlaceholderPage(context_, page, 100, PageCaptions()[static_cast<std::size_t>(page)],
                                     QStringLiteral("This page could not be built.")));
    }
}

void TMainForm::AddPage(TPage* page)
{
    const int index = static_cast<int>(page->PanelPage());
    Q_ASSERT(index >= 0 && index < PageCount);
    FillMissingPages(index);
    const QString& caption = PageCaptions()[static_cast<std::size_t>(index)];
    // A page that names itself keeps its name.
    if (page->objectName().isEmpty())
        page->setObjectName(QStringLiteral("ts")
                            + ShownText(caption).remove(QLatin1Char(' ')).remove(QLatin1Char('&')));
    if (page->accessibleName().isEmpty())
        page->setAccessibleName(ShownText(caption));
    page_[static_cast<std::size_t>(index)] = page;
    pages_->addTab(page, caption);
}

void TMainForm::CreateActions()
{
    QStyle* s = style();
    actNew_ = MakeAction(this, QStringLiteral("&New"), QStringLiteral("New"), QStringLiteral("actNew"));
    actNew_->setIcon(s->standardIcon(QStyle::SP_FileIcon));
    actNew_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    connect(actNew_, &QAction::triggered, this, [this] { FileNew(); });

    actOpen_ = MakeAction(this, QStringLiteral("&Open..."), QStringLiteral("Open"), QStringLiteral("actOpen"));
    actOpen_->setIcon(s->standardIcon(QStyle::SP_DialogOpenButton));
    actOpen_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(actOpen_, &QAction::triggered, this, [this] { FileOpen(); });

    actSave_ = MakeAction(this, QStringLiteral("&Save"), QStringLiteral("Save"), QStringLiteral("actSave"));
    actSave_->setIcon(s->standardIcon(QStyle::SP_DialogSaveButton));
    actSave_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(actSave_, &QAction::triggered, this, [this] { FileSave(); });

    actSaveAs_ = MakeAction(this, QStringLiteral("Save &As..."), QStringLiteral("Save as"), QStringLiteral("actSaveAs"));
    actSaveAs_->setIcon(s->standardIcon(QStyle::SP_DriveFDIcon));
    connect(actSaveAs_, &QAction::triggered, this, [this] { FileSaveAs(); });

    actPrint_ = MakeAction(this, QStringLiteral("&Print"), QStringLiteral("Print Setup"), QStringLiteral("actPrint"));
    actPrint_->setIcon(QIcon::fromTheme(QStringLiteral("document-print"),
                                        s->standardIcon(QStyle::SP_FileDialogDetailedView)));
    actPrint_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    actPrint_->setEnabled(false);
    connect(actPrint_, &QAction::triggered, this, &TMainForm::Print);

    actPrinterProperties_ = MakeAction(this, QStringLiteral("Printer P&roperties"),
                                       QStringLiteral("Printer Properties"),
                                       QStringLiteral("actPrinterProperties"));
    connect(actPrinterProperties_, &QAction::triggered, this, &TMainForm::PrinterProperties);

    actExit_ = MakeAction(this, QStringLiteral("E&xit"), QStringLiteral("Exit"), QStringLiteral("actExit"));
    connect(actExit_, &QAction::triggered, this, &TMainForm::close);

    actLoadAll_ = MakeAction(this, QStringLiteral("Load data from the Fire Panel"),
                             QStringLiteral("Load data from the Fire Panel"),
                             QStringLiteral("actLoadAllFromPanel"));
    actLoadAll_->setIcon(s->standardIcon(QStyle::SP_ArrowDown));
    connect(actLoadAll_, &QAction::triggered, this, [this] { LoadAll(); });

    actSaveAll_ = MakeAction(this, QStringLiteral("Save data to the Fire Panel"),
                             QStringLiteral("Save data to the Fire Panel"),
                             QStringLiteral("actSaveAllToPanel"));
    actSaveAll_->setIcon(s->standardIcon(QStyle::SP_ArrowUp));
    connect(actSaveAll_, &QAction::triggered, this, [this] { SaveAll(); });

    actLoadPage_ = MakeAction(this, QString(), QString(), QStringLiteral("actLoadFromPanel"));
    connect(actLoadPage_, &QAction::triggered, this, [this] { LoadPage(); });
    actSavePage_ = MakeAction(this, QString(), QString(), QStringLiteral("actSavetoPanel"));
    connect(actSavePage_, &QAction::triggered, this, [this] { SavePage(); });

    actClearDisplay_ = MakeAction(this, QStringLiteral("Clear Display"), QStringLiteral("Clear Display"),
                                  QStringLiteral("actClearDisplay"));
    connect(actClearDisplay_, &QAction::triggered, this, &TMainForm::ClearLog);
    actLoadLog_ = MakeAction(this, QStringLiteral("Load Log from Disk"), QStringLiteral("Load Log from Disk"),
                             QStringLiteral("actLoadLog"));
    connect(actLoadLog_, &QAction::triggered, this, &TMainForm::LoadLog);
    actSaveLog_ = MakeAction(this, QStringLiteral("Save Log to Disk"), QStringLiteral("Save Log to Disk"),
                             QStringLiteral("actSaveLog"));
    connect(actSaveLog_, &QAction::triggered, this, &TMainForm::SaveLog);

    actSelectPort_ = MakeAction(this, QStringLiteral("Select Serial &Port"),
                                QStringLiteral("Select Serial Port"), QStringLiteral("actSelectPort"));
    connect(actSelectPort_, &QAction::triggered, this, &TMainForm::SelectSerialPort);
    actDisconnect_ = MakeAction(this, QStringLiteral("&Disconnect"), QStringLiteral("Disconnect"),
                                QStringLiteral("actDisconnect"));
    actDisconnect_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    connect(actDisconnect_, &QAction::triggered, this, &TMainForm::Disconnect);

    // System Sensor and Nittan configurations (from a file or the panel) check neither.
    auto* protocols = new QActionGroup(this);
    protocols->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    actApollo_ = MakeAction(protocols, QStringLiteral("&Apollo Protocol"), QStringLiteral("Apollo Protocol"),
                            QStringLiteral("actApolloProtocol"));
    actHochiki_ = MakeAction(protocols, QStringLiteral("Hochiki Protocol"), QStringLiteral("Hochiki Protocol"),
                             QStringLiteral("actHochikiProtocol"));
    for (QAction* a : {actApollo_, actHochiki_})
        a->setCheckable(true);
    connect(actApollo_, &QAction::triggered, this, [this] { SwitchProtocol(stApolloLoop); });
    connect(actHochiki_, &QAction::triggered, this, [this] { SwitchProtocol(stHochikiLoop); });

    actContents_ = MakeAction(this, QStringLiteral("&Contents"), QStringLiteral("Contents"),
                              QStringLiteral("actContents"));
    actContents_->setShortcut(QKeySequence(Qt::Key_F1));
    connect(actContents_, &QAction::triggered, this, &TMainForm::HelpContents);
    actAbout_ = MakeAction(this, QStringLiteral("&About..."), QStringLiteral("About"), QStringLiteral("actAbout"));
    connect(actAbout_, &QAction::triggered, this, &TMainForm::About);
}

void TMainForm::CreateMenusAndToolbar()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    file->addActions({actNew_, actOpen_, actSave_, actSaveAs_});
    file->addSeparator();
    file->addActions({actPrint_, actPrinterProperties_});
    file->addSeparator();
    mnuFile_ = file;
    recentEnd_ = file->addSeparator();
    file->addAction(actExit_);
    UpdateRecentMenu();

    AddEditMenu();

    QMenu* panel = menuBar()->addMenu(QStringLiteral("P&anel"));
    panel->setObjectName(QStringLiteral("mnuPanel"));
    panel->addActions({actLoadAll_, actSaveAll_, actLoadPage_, actSavePage_});
    panel->addSeparator();
    panel->addActions({actClearDisplay_, actLoadLog_, actSaveLog_});
    panel->addSeparator();
    panel->addActions({actSelectPort_, actDisconnect_});

    QMenu* protocol = menuBar()->addMenu(QStringLiteral("P&rotocol"));
    protocol->setObjectName(QStringLiteral("mnuProtocol"));
    protocol->addActions({actApollo_, actHochiki_});

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    help->addActions({actContents_, actAbout_});

    QToolBar* bar = addToolBar(QStringLiteral("Commands"));
    bar->setObjectName(QStringLiteral("tbrMain"));
    bar->setMovable(false);
    ToolButton(bar, actNew_, QStringLiteral("btnNew"), false);
    ToolButton(bar, actOpen_, QStringLiteral("btnOpen"), false);
    ToolButton(bar, actSave_, QStringLiteral("btnSave"), false);
    ToolButton(bar, actSaveAs_, QStringLiteral("btnSaveAs"), false);
    ToolButton(bar, actPrint_, QStringLiteral("btnPrint"), false);
    bar->addSeparator();
    AddUndoButtons(bar);
    bar->addSeparator();
    ToolButton(bar, actLoadAll_, QStringLiteral("btnLoadAllFromPanel"), false);
    ToolButton(bar, actSaveAll_, QStringLiteral("btnSaveAllToPanel"), false);
    ToolButton(bar, actLoadPage_, QStringLiteral("btnLoadFromPanel"), true);
    ToolButton(bar, actSavePage_, QStringLiteral("btnSavetoPanel"), true);
    bar->addSeparator();

    auto* number = new QWidget(bar);
    auto* lblPanel = new QLabel(QStringLiteral("Panel\n&Number"), number);
    lblPanel->setObjectName(QStringLiteral("lblPanelNumber"));
    spnPanelNumber_ = new QSpinBox(number);
    spnPanelNumber_->setObjectName(QStringLiteral("spnPanelNumber"));
    spnPanelNumber_->setAccessibleName(QStringLiteral("Panel Number"));
    spnPanelNumber_->setRange(1, 8);
    spnPanelNumber_->setValue(data_->PanelNumber);
    lblPanel->setBuddy(spnPanelNumber_);
    auto* numberLayout = new QHBoxLayout(number);
    numberLayout->setContentsMargins(4, 0, 4, 0);
    numberLayout->addWidget(lblPanel);
    numberLayout->addWidget(spnPanelNumber_);
    bar->addWidget(number);
    connect(spnPanelNumber_, &QSpinBox::valueChanged, this, &TMainForm::SetPanelNumber);
    bar->addSeparator();

    ToolButton(bar, actClearDisplay_, QStringLiteral("btnClearDisplay"), true);
    ToolButton(bar, actLoadLog_, QStringLiteral("btnLoadLog"), true);
    ToolButton(bar, actSaveLog_, QStringLiteral("btnSaveLog"), true);
}

TPage* TMainForm::Page(TPanelPage page) const
{
    const auto index = static_cast<std::size_t>(page);
    Q_ASSERT(index < page_.size());
    return page_[index];
}

TPanelPage TMainForm::ActivePage() const
{
    return static_cast<TPanelPage>(qBound(0, pages_->currentIndex(), PageCount - 1));
}

void TMainForm::SetActivePage(TPanelPage page)
{
    pages_->setCurrentIndex(static_cast<int>(page));
}

void TMainForm::SetPrintSelection(std::function<void()> open)
{
    openPrintSelection_ = std::move(open);
    actPrint_->setEnabled(static_cast<bool>(openPrintSelection_));
}

QPrinter& TMainForm::ReferencePrinter()
{
    return PrinterSetup().Printer();
}
