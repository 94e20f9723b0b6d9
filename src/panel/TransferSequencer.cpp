#include "panel/TransferSequencer.h"

#include "comms/ZOLPanelComms.h"
#include "model/Data.h"
#include "panel/PanelTexts.h"
#include "panel/TransferEngine.h"
#include "panel/TransferPlanner.h"
#include "storage/Prompts.h"

#include <QHash>

QString TransferText::ProtocolMismatchDetail(int panelProtocol, int configurationProtocol)
{
    auto name = [](int protocol) {
        const QString text = SystemTypeName(static_cast<TSystemType>(protocol));
        return text.isEmpty() ? QString::number(protocol) : text;
    };
    return QStringLiteral("(panel: %1, configuration: %2)")
        .arg(name(panelProtocol), name(configurationProtocol));
}

QString TransferText::OutputDelaysExceededText(int maxOutputDelaySeconds, int zone)
{
    QString text = OutputDelaysExceededMessage;
    text.replace(QStringLiteral(" 10 "),
                 QStringLiteral(" %1 ").arg(QString::number(maxOutputDelaySeconds / 60.0, 'g', 3)));
    return text + QStringLiteral("\nZone ") + QString::number(zone);
}

TTransferSequencer::TTransferSequencer(TData& data, TZOLPanelComms& comms, TPrompts& prompts,
                                       TTransferProgress& progress, TTransferContext context,
                                       QObject* parent)
    : QObject(parent), data_(data), comms_(comms), prompts_(prompts), context_(context),
      engine_(std::make_unique<TTransferEngine>(data, comms, prompts, progress, context))
{
    connect(engine_.get(), &TTransferEngine::Line, this, &TTransferSequencer::TextLine);
    connect(engine_.get(), &TTransferEngine::Ended, this,
            [this](const TTransferResult& result, bool refresh) {
                last_ = result;
                if (refresh)
                    emit ActivePageRefresh();
                emit Ended(result);
                emit Finished(result.Completed());
            });
}

TTransferSequencer::~TTransferSequencer() = default;

bool TTransferSequencer::Busy() const
{
    return engine_->Busy();
}

int TTransferSequencer::Retries() const
{
    return engine_->Retries();
}

TTransferPlanner& TTransferSequencer::Planner()
{
    // Made for each operation, with the settings as they are now.
    TTransferPlanner::THooks hooks;
    hooks.LoopTypeChanged = [this] { emit LoopTypeChanged(); };
    hooks.EventLogLine = [this](const QString& text) { emit EventLogLine(text); };
    hooks.Now = [this] { return Now(); };
    hooks.ZoneChecksPass = [this] { return SaveChecksPass(false); };
    hooks.ZoneFlagsTimeOut = ZoneFlagsTimeOut;
    hooks.AfterZoneFlagsTimeOut = AfterZoneFlagsTimeOut;
    planner_ = std::make_unique<TTransferPlanner>(data_, comms_, *engine_, std::move(hooks));
    return *planner_;
}

bool TTransferSequencer::Run(TTransferPlan plan, bool loadingAll)
{
    if (plan.Blocks.empty())
        return false;
    loadingAll_ = loadingAll;
    last_ = {};
    emit Started();
    engine_->RepeatWindowMs = RepeatWindowMs;
    return engine_->Start(std::move(plan));
}

bool TTransferSequencer::LoadAll()
{
    if (Busy() || !data_.AccessCodesValid())
        return false;
    return Run(Planner().LoadAll(engine_->LinkUp()), true);
}

bool TTransferSequencer::TextsPass(const QList<TPanelPage>& pages)
{
    // A text the panel refuses would stop the save part-way: nothing goes before it is mended.
    for (const TRefusedText& refused : TextsThePanelRefuses(data_)) {
        if (pages.isEmpty() || pages.contains(refused.Page)) {
            prompts_.error(RefusedTextMessage(refused));
            return false;
        }
    }
    return true;
}

bool TTransferSequencer::SaveAll()
{
    if (Busy() || !(AccessCodesForced || data_.AccessCodesValid()) || !TextsPass({})
        || !SaveChecksPass(true))
        return false;
    return Run(Planner().SaveAll(), false);
}

bool TTransferSequencer::SaveChanges(const TSaveChangesSetup& setup)
{
    if (Busy() || !setup.Proven || !(AccessCodesForced || data_.AccessCodesValid())
        || !TextsPass({}) || !SaveChecksPass(false))
        return false;
    return Run(Planner().SaveChanges(setup), false);
}

bool TTransferSequencer::LoadPage()
{
    const TPanelPage page = context_.ActivePage();
    if (Busy() || (page == ppSiteConfig && !data_.AccessCodesValid()))
        return false;
    if (page == ppViewEventLog)
        return LoadEvents(prompts_.confirm(TransferText::ClearEventsQuestion,
                                           TPromptButtons::pbYesNo, TPromptKind::pkDestructive)
                          == TPromptAnswer::paYes);
    return Run(Planner().LoadPage(page, context_.SummaryLoop(), engine_->LinkUp()), false);
}

bool TTransferSequencer::SavePage()
{
    const TPanelPage page = context_.ActivePage();
    if (Busy() || (page == ppSiteConfig && !data_.AccessCodesValid()))
        return false;
    static const QHash<TPanelPage, QList<TPanelPage>> textsSent = {
        {ppLoopSummary, {ppLoopSummary, ppZoneConfig, ppSiteConfig}},
        {ppLoop1, {ppLoopSummary}},
        {ppLoop2, {ppLoopSummary}},
        {ppZoneConfig, {ppZoneConfig, ppSiteConfig}},
        {ppGroupConfig, {ppSiteConfig}},
        {ppSiteConfig, {ppSiteConfig}},
        {ppNetworkConfig, {ppNetworkConfig}},
    };
    if (textsSent.contains(page) && !TextsPass(textsSent.value(page)))
        return false;
    if (page == ppZoneConfig && !SaveChecksPass(false))
        return false;
    return Run(Planner().SavePage(page, context_.SummaryLoop()), false);
}

bool TTransferSequencer::LoadNames()
{
    if (Busy())
        return false;
    return Run(Planner().LoadNames(engine_->LinkUp()), false);
}

bool TTransferSequencer::SaveNames()
{
    if (Busy() || !TextsPass({ppLoopSummary}))
        return false;
    return Run(Planner().SaveNames(), false);
}

bool TTransferSequencer::LoadEvents(bool clear)
{
    if (Busy())
        return false;
    return Run(Planner().LoadEvents(clear, engine_->LinkUp()), false);
}

bool TTransferSequencer::SaveChecksPass(bool askConfirmation)
{
    if (askConfirmation && !SaveAllConfirmed
        && prompts_.confirm(TransferText::SaveAllQuestion, TPromptButtons::pbYesNo,
                            TPromptKind::pkDestructive)
            != TPromptAnswer::paYes)
        return false;
    const QList<int> zones = data_.ZonesWithExcessiveSounderDelay(MaxOutputDelay);
    for (int zone : zones)
        prompts_.error(TransferText::OutputDelaysExceededText(MaxOutputDelay, zone));
    return zones.isEmpty();
}

void TTransferSequencer::Disconnect()
{
    engine_->Disconnect();
    emit StatusMessage(TransferText::Disconnected);
}

void TTransferSequencer::CancelRequested()
{
    engine_->CancelRequested();
}

void TTransferSequencer::Cancel()
{
    engine_->Cancel();
}
