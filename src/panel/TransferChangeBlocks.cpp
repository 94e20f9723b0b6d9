// Save Changes: the records of a Save All that differ from the panel's last proven state,
// checked on the panel before they are written and read back after.

#include "panel/TransferPlanner.h"

#include "model/Data.h"
#include "panel/RecordReads.h"

#include <map>
#include <tuple>

struct TChangesState {
    std::vector<TExchange> Writes;
    std::vector<TRecordRead> Reads;
    // The proven state (before) or the configuration (after), with the panel's records over it.
    std::unique_ptr<TData> Found;
};

namespace {

const QString ClockLetters = QStringLiteral("U");
const QString NothingWritten = QStringLiteral(" Nothing was written.");
// Where the name list is among the blocks of SaveAllWrites.
constexpr int NamesBlock = 3;

QString Versions(const TSiteConfig& site)
{
    return QStringLiteral("main %1, loop 1 %2, loop 2 %3, front panel %4")
        .arg(site.MainVersion, site.Loop1Version, site.Loop2Version, site.FrontPanelVersion);
}

// Why the panel on the line is not the one the proven state is of; empty when it is.
QString OtherPanel(const TData& panel, const TData& proven)
{
    const TSiteConfig& now = panel.SiteConfig;
    const TSiteConfig& then = proven.SiteConfig;
    if (now.MainVersion != then.MainVersion || now.Loop1Version != then.Loop1Version
        || now.Loop2Version != then.Loop2Version || now.FrontPanelVersion != then.FrontPanelVersion)
        return QStringLiteral("This is not the panel last proven with this configuration: its "
                              "versions are %1, not %2.")
            .arg(Versions(now), Versions(then))
            + NothingWritten;
    if (panel.LoopCount != proven.LoopCount || panel.SystemType() != proven.SystemType())
        return QStringLiteral("This is not the panel last proven with this configuration: it has "
                              "%1 loop(s) of %2, not %3 of %4.")
            .arg(panel.LoopCount)
            .arg(SystemTypeName(panel.SystemType()))
            .arg(proven.LoopCount)
            .arg(SystemTypeName(proven.SystemType()))
            + NothingWritten;
    return QString();
}

// The same record on the panel: equal bytes, or an address empty on both sides (what else
// an empty address carries means nothing, and files do not keep it).
bool SameRecord(const QByteArray& a, const QByteArray& b)
{
    constexpr int typeAt = 4;  // letter, length, address, loop, type
    return a == b
        || (a.size() > typeAt && b.size() > typeAt && a.at(0) == 'J' && b.at(0) == 'J'
            && static_cast<quint8>(a.at(typeAt)) == NotFittedCode
            && static_cast<quint8>(b.at(typeAt)) == NotFittedCode);
}

} // namespace

std::vector<std::pair<int, TExchange>> TTransferPlanner::SaveAllWrites()
{
    std::vector<TTransferBlock> blocks = {LoopTypeSave(), PointsSave(1, true), PointsSave(2, true),
                                          NamesSave(),    ZonesSave(),         GroupsSave(),
                                          SetsSave(),     SiteSave(true),      NetworkSave(),
                                          CauseEffectSave()};
    std::vector<std::pair<int, TExchange>> writes;
    for (std::size_t b = 0; b < blocks.size(); ++b)
        while (std::optional<TExchange> x = blocks[b].Next())
            // The clock is the time of the save, not configuration.
            if (!x->Request.isEmpty() && !ClockLetters.contains(QLatin1Char(x->Request.at(0))))
                writes.emplace_back(static_cast<int>(b), std::move(*x));
    return writes;
}

TTransferPlan TTransferPlanner::SaveChanges(const TSaveChangesSetup& setup)
{
    TTransferPlan plan{QStringLiteral("Save Changes"), true, false, {}};
    auto state = std::make_shared<TChangesState>();
    plan.Blocks = {LinkCheck(),
                   Version(true, true),
                   LoopTypeLoad(true),
                   ChangesFound(setup, state),
                   ChangesRead(setup, state, true),
                   ChangesWrite(state),
                   ChangesRead(setup, state, false)};
    return plan;
}

TTransferBlock TTransferPlanner::ChangesFound(const TSaveChangesSetup& setup,
                                             std::shared_ptr<TChangesState> state)
{
    return StepBlock(QStringLiteral("Changes"), [=, this](int i) -> std::optional<TExchange> {
        if (i > 0 || !setup.Proven)
            return std::nullopt;
        TData& proven = *setup.Proven;
        const QString other = OtherPanel(data_, proven);
        if (!other.isEmpty()) {
            host_.End(TTransferOutcome::PanelChanged, other, TEndNotice::None);
            return std::nullopt;
        }
        // Both sides as a Save All would send them, matched record by record: the n-th write
        // with the same letter in the same block. A changed name list goes from its first
        // changed entry to its end.
        TTransferPlanner before(proven, comms_, host_, hooks_);
        std::map<std::tuple<int, char, int>, QByteArray> held;
        std::map<std::pair<int, char>, int> seen;
        for (const auto& [block, x] : before.SaveAllWrites())
            held[{block, x.Request.at(0), seen[{block, x.Request.at(0)}]++}] = x.Request;
        seen.clear();
        bool namesChanged = false;
        state->Writes.clear();
        for (auto& [block, x] : SaveAllWrites()) {
            const char letter = x.Request.at(0);
            const auto found = held.find({block, letter, seen[{block, letter}]++});
            const bool differs = found == held.end() || !SameRecord(found->second, x.Request);
            namesChanged = namesChanged || (block == NamesBlock && differs);
            if (differs || (block == NamesBlock && namesChanged))
                state->Writes.push_back(std::move(x));
        }
        setup.Tally->Changes = static_cast<int>(state->Writes.size());
        if (state->Writes.empty())
            host_.Complete(false);
        return std::nullopt;
    });
}

TTransferBlock TTransferPlanner::ChangesRead(const TSaveChangesSetup& setup,
                                            std::shared_ptr<TChangesState> state, bool before)
{
    const QString title = before ? QStringLiteral("Check") : QStringLiteral("Read back");
    TTransferBlock block = StepBlock(title, [=, this](int i) -> std::optional<TExchange> {
        const TData& expected = before ? static_cast<const TData&>(*setup.Proven) : data_;
        if (i == 0) {
            state->Found = std::make_unique<TData>();
            state->Found->AssignContent(expected);
            if (setup.PanelForm)
                setup.PanelForm(*state->Found);
            state->Reads.clear();
            QList<QByteArray> requests;
            for (const TExchange& x : state->Writes)
                if (std::optional<TRecordRead> read = RecordReadOf(x.Request, expected))
                    if (!requests.contains(read->Request)) {
                        requests.append(read->Request);
                        state->Reads.push_back(std::move(*read));
                    }
        }
        const auto count = static_cast<int>(state->Reads.size());
        if (i < count) {
            const TRecordRead& read = state->Reads[static_cast<std::size_t>(i)];
            TExchange x;
            x.Request = read.Request;
            x.OnReply = [state, read](char, const QByteArray& payload) {
                if (read.IsStale && read.IsStale(payload))
                    return TReplyVerdict::Stale;
                return read.Store(*state->Found, payload) ? TReplyVerdict::Taken
                                                          : TReplyVerdict::NotAccepted;
            };
            if (i == 0) {
                x.Maximum = count;
                x.Status = before ? QStringLiteral("Checking the panel before saving the changes")
                                  : QStringLiteral("Reading back the changes");
            }
            x.Position = i + 1;
            return x;
        }
        if (i == count && setup.FirstDifference) {
            const QString difference = setup.FirstDifference(expected, *state->Found, before);
            // Before writing, the caller offers Save All; after, it is an error like any other.
            if (!difference.isEmpty())
                host_.End(before ? TTransferOutcome::PanelChanged : TTransferOutcome::Unproven,
                          difference, before ? TEndNotice::None : TEndNotice::Error);
        }
        return std::nullopt;
    });
    return block;
}

TTransferBlock TTransferPlanner::ChangesWrite(std::shared_ptr<TChangesState> state)
{
    return StepBlock(QStringLiteral("Changes"), [=](int i) -> std::optional<TExchange> {
        const auto count = static_cast<int>(state->Writes.size());
        if (i >= count)
            return std::nullopt;
        TExchange x = state->Writes[static_cast<std::size_t>(i)];
        x.Maximum = i == 0 ? count : -1;
        x.Position = i + 1;
        if (x.Status.isEmpty() && i == 0)
            x.Status = QStringLiteral("Saving the changes");
        return x;
    });
}
