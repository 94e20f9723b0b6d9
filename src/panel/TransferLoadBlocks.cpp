// The blocks that read from the panel. Each handler stores its reply; a reply too short for
// what it reads is not accepted and counts as a failed attempt.

#include "panel/TransferPlanner.h"

#include "comms/ZOLPanelComms.h"
#include "model/Data.h"
#include "panel/CauseEffectMessages.h"
#include "panel/EventMessages.h"
#include "panel/GroupMessages.h"
#include "panel/NameMessages.h"
#include "panel/NetworkMessages.h"
#include "panel/PointMessages.h"
#include "panel/SetMessages.h"
#include "panel/SiteMessages.h"
#include "panel/TransferSequencer.h"
#include "panel/VersionMessages.h"
#include "panel/ZoneMessages.h"

#include <algorithm>
#include <memory>

namespace {

constexpr int EventHistoryBar = 500;
// No panel holds this many events: a history that never ends is cut here.
constexpr int MaxEventRequests = 20000;
// Readings of the history left after a fault on a delete, before the line is given up.
constexpr int MaxEventRequestRepeats = 10;
constexpr int SiteReadBar = 4;

TReplyVerdict Stored(bool ok)
{
    return ok ? TReplyVerdict::Taken : TReplyVerdict::NotAccepted;
}

} // namespace

TTransferBlock StepBlock(const QString& title, std::function<std::optional<TExchange>(int)> step)
{
    auto next = std::make_shared<int>(0);
    return {title, [next, step = std::move(step)] { return step((*next)++); }};
}

TTransferBlock ListBlock(const QString& title, std::function<std::vector<TExchange>()> make)
{
    auto list = std::make_shared<std::vector<TExchange>>();
    return StepBlock(title, [list, make = std::move(make)](int i) -> std::optional<TExchange> {
        if (i == 0)
            *list = make();
        if (i >= static_cast<int>(list->size()))
            return std::nullopt;
        return (*list)[static_cast<std::size_t>(i)];
    });
}

TExchange TTransferPlanner::Read(const QByteArray& request,
                                 std::function<TReplyVerdict(const QByteArray&)> handler)
{
    TExchange x;
    x.Request = request;
    x.OnReply = [handler = std::move(handler)](char, const QByteArray& payload) {
        return handler(payload);
    };
    return x;
}

TExchange TTransferPlanner::Write(const QByteArray& request, std::function<void()> acked)
{
    TExchange x;
    x.Request = request;
    x.OnAck = std::move(acked);
    return x;
}

void TTransferPlanner::MarkStored(TDocParts parts)
{
    // Something read from the panel is now in the document: it differs from the file. The
    // transfer's step is named when it ends.
    data_.Edit(parts, QString());
}

TTransferBlock TTransferPlanner::Version(bool linkUp, bool afterLinkCheck)
{
    const bool skip = linkUp && !afterLinkCheck;
    return StepBlock(QStringLiteral("Version"), [=, this](int i) -> std::optional<TExchange> {
        if (i > 0 || (skip && data_.SiteConfig.MainVersion != NotAvailableVersion))
            return std::nullopt;
        TExchange x = Read(VersionRequest(),
                           [this](const QByteArray& p) { return Stored(ReadVersions(data_, p)); });
        if (!skip)
            x.Status = QStringLiteral("Loading version information");
        return x;
    });
}

TTransferBlock TTransferPlanner::LinkCheck()
{
    auto fitted = std::make_shared<bool>(false);
    return StepBlock(QStringLiteral("NVM program link"),
                     [fitted, this](int) -> std::optional<TExchange> {
        if (*fitted)
            return std::nullopt;
        return Read(LinkCheckRequest(), [fitted, this](const QByteArray& p) {
            const std::optional<bool> reply = ReadLinkCheck(p);
            if (!reply)
                return TReplyVerdict::NotAccepted;
            if (*reply) {
                *fitted = true;
                return TReplyVerdict::Taken;
            }
            const std::optional<TPromptAnswer> answer =
                host_.Ask(TransferText::NvmLinkNotFitted, TPromptButtons::pbAbortRetry,
                          TPromptKind::pkWarning);
            if (!answer)
                return TReplyVerdict::Ended;
            if (*answer == TPromptAnswer::paRetry)
                return TReplyVerdict::Taken;  // the check goes again
            host_.End(TTransferOutcome::Cancelled, QString(), TEndNotice::WarnIfPartlySaved);
            return TReplyVerdict::Ended;
        });
    });
}

TTransferBlock TTransferPlanner::LoopTypeLoad(bool saving)
{
    return StepBlock(QStringLiteral("Loop type"), [=, this](int i) -> std::optional<TExchange> {
        if (i > 0)
            return std::nullopt;
        TExchange x = Read(LoopTypeRequest(), [=, this](const QByteArray& p) {
            const std::optional<TLoopTypeReply> reply = ReadLoopType(p);
            if (!reply)
                return TReplyVerdict::NotAccepted;
            // The editors know one- and two-loop panels only.
            const int loopCount = reply->LoopCount == 1 ? 1 : 2;
            bool reshaped = loopCount != data_.LoopCount;
            data_.LoopCount = loopCount;
            if (reshaped)
                MarkStored(dpPanel | dpLoop1 | dpLoop2);
            if (saving && reply->Protocol != data_.Loop1.SystemType) {
                host_.End(TTransferOutcome::ProtocolMismatch,
                          TransferText::ProtocolMismatch + QLatin1Char('\n')
                              + TransferText::ProtocolMismatchDetail(reply->Protocol,
                                                                     data_.Loop1.SystemType),
                          TEndNotice::Warning);
                return TReplyVerdict::Ended;
            }
            if (reply->Protocol > stNittanLoop) {
                if (reshaped && hooks_.LoopTypeChanged)
                    hooks_.LoopTypeChanged();
                host_.End(TTransferOutcome::ProtocolMismatch, TransferText::InvalidLoopType,
                          TEndNotice::Error);
                return TReplyVerdict::Ended;
            }
            const auto protocol = static_cast<TSystemType>(reply->Protocol);
            reshaped = reshaped || data_.Loop1.SystemType != protocol
                       || data_.Loop2.SystemType != protocol;
            data_.Loop1.SystemType = protocol;
            data_.Loop2.SystemType = protocol;
            if (reshaped) {
                MarkStored(dpPanel | dpLoop1 | dpLoop2);
                if (hooks_.LoopTypeChanged)
                    hooks_.LoopTypeChanged();
            }
            return TReplyVerdict::Taken;
        });
        x.Status = QStringLiteral("Loading loop type");
        return x;
    });
}

TTransferBlock TTransferPlanner::PointsLoad(int loop, bool onlyOnTwoLoops)
{
    const QString title = QStringLiteral("Loop %1").arg(loop);
    return StepBlock(title, [=, this](int i) -> std::optional<TExchange> {
        const int count = data_.NoLoopDevices();
        if (onlyOnTwoLoops && data_.LoopCount != 2)
            return std::nullopt;
        if (count == 0) {
            host_.Complete(true);
            return std::nullopt;
        }
        const int point = i + 1;
        if (point > count)
            return std::nullopt;
        const QByteArray request = PointRequest(data_, loop, point);
        TExchange x = Read(request, [=, this](const QByteArray& p) {
            // An answer for another point is a late answer to an earlier request.
            if (!IsPointAnswerTo(request, p))
                return TReplyVerdict::Stale;
            if (!ReadPoint(data_, loop, point, p))
                return TReplyVerdict::NotAccepted;
            MarkStored(LoopPart(loop));
            return TReplyVerdict::Taken;
        });
        if (point == 1) {
            // The block opens with the plain point number, System Sensor loops included; the
            // sensor and module forms follow from the second point on.
            x.Maximum = count;
            x.Position = 1;
            x.Status = QStringLiteral("Loading data for Loop ") + QString::number(loop)
                       + QStringLiteral(" - Point 1");
        } else {
            x.Position = point;
            x.Status = PointStatusText(data_, false, loop, point);
        }
        return x;
    });
}

TTransferBlock TTransferPlanner::NamesLoad()
{
    auto ended = std::make_shared<bool>(false);
    TTransferBlock block = StepBlock(QStringLiteral("Device names"),
                     [ended, this](int i) -> std::optional<TExchange> {
        // The request carries only the low byte of the index: a full table ends here, or the
        // panel would be asked for entry 0 again and the list would never end.
        if (*ended || i >= TNameTable::MaxNames) {
            data_.ApplyNameIndexes();
            return std::nullopt;
        }
        TExchange x = Read(NameRequest(i), [=, this](const QByteArray& p) {
            if (IsNameListEnd(p)) {
                *ended = true;
                return TReplyVerdict::Taken;
            }
            if (i == 0)
                data_.NameTable.Empty();
            data_.NameTable.Append(NameText(p));
            MarkStored(dpNames | dpLoop1 | dpLoop2);
            return TReplyVerdict::Taken;
        });
        if (i == 0) {
            x.Maximum = TNameTable::MaxNames;
            x.Position = 1;
            x.Status = QStringLiteral("Loading Device Names");
        } else {
            x.Position = std::min(i, TNameTable::MaxNames);
            x.Status = QStringLiteral("Loading Device Name ") + QString::number(i);
        }
        return x;
    });
    block.OnRestored = [this] { data_.ApplyNameIndexes(); };
    return block;
}

TTransferBlock TTransferPlanner::ZonesLoad(bool all)
{
    auto flagsRead = std::make_shared<bool>(false);
    return StepBlock(PageCaption(ppZoneConfig),
                     [=, this](int i) -> std::optional<TExchange> {
        const int zone = i / 2 + 1;
        if (*flagsRead || zone > MaxZone)
            return std::nullopt;
        const bool name = i % 2 == 0;
        TExchange x;
        x.Request = name ? ZoneNameRequest(zone) : ZoneDataRequest(zone);
        // The panel may send its non-fire flags while the zones are read.
        x.AlsoAccepts = "k";
        x.OnReply = [=, this](char letter, const QByteArray& p) {
            if (letter == 'k') {
                ReadNonFireFlags(data_, p);
                MarkStored(dpZones);
                if (!all) {
                    host_.Complete(false);
                    return TReplyVerdict::Ended;
                }
                *flagsRead = true;
                return TReplyVerdict::Taken;
            }
            if (name) {
                ReadZoneName(data_, zone, p);
            } else if (!ReadZoneData(data_, zone, p)) {
                return TReplyVerdict::NotAccepted;
            }
            MarkStored(dpZones);
            return TReplyVerdict::Taken;
        };
        if (i == 0) {
            x.Maximum = MaxZone;
            x.Position = 1;
            x.Status = ZoneStatusText(QStringLiteral("Loading data for "), 1);
        } else if (name) {
            x.Position = zone;
            x.Status = ZoneStatusText(QStringLiteral("Loading data for "), zone);
        }
        return x;
    });
}

TTransferBlock TTransferPlanner::GroupsLoad()
{
    return StepBlock(PageCaption(ppGroupConfig), [this](int i) -> std::optional<TExchange> {
        const int zone = i + 1;
        if (zone > MaxZone + 1)
            return std::nullopt;
        // The request after the last zone only closes the block; its reply is not stored.
        TExchange x = Read(GroupRequest(zone), [=, this](const QByteArray& p) {
            if (zone > MaxZone)
                return TReplyVerdict::Taken;
            if (!ReadGroups(data_, zone, p))
                return TReplyVerdict::NotAccepted;
            MarkStored(dpGroups);
            return TReplyVerdict::Taken;
        });
        if (zone == 1)
            x.Maximum = MaxZone;
        if (zone <= MaxZone) {
            x.Position = zone;
            x.Status = ZoneStatusText(QStringLiteral("Loading group data for "), zone);
        }
        return x;
    });
}

TTransferBlock TTransferPlanner::SetsLoad()
{
    return StepBlock(PageCaption(ppSetConfig), [this](int index) -> std::optional<TExchange> {
        if (index > MaxZone + 1)
            return std::nullopt;
        TExchange x = Read(SetRequest(index), [=, this](const QByteArray& p) {
            if (index > MaxZone)
                return TReplyVerdict::Taken;
            if (!ReadSets(data_, index, p))
                return TReplyVerdict::NotAccepted;
            MarkStored(dpSets);
            return TReplyVerdict::Taken;
        });
        if (index == 0)
            x.Maximum = MaxZone;
        if (index <= MaxZone) {
            x.Position = std::max(index, 1);
            x.Status = ZoneStatusText(QStringLiteral("Loading output set data for "),
                                      std::max(index, 1));
        }
        return x;
    });
}

TTransferBlock TTransferPlanner::SiteLoad()
{
    return StepBlock(PageCaption(ppSiteConfig), [this](int i) -> std::optional<TExchange> {
        static const char letters[] = "GKOQXSmo";
        if (i >= 8)
            return std::nullopt;
        const char letter = letters[i];
        TExchange x = Read(SiteRequest(letter), [=, this](const QByteArray& p) {
            bool ok = true;
            switch (letter) {
            case 'G': ReadMaintenanceText(data_, p); break;
            case 'K': ok = ReadMaintenanceDate(data_, p); break;
            case 'O': ok = ReadLevel2Code(data_, p); break;
            case 'Q': ok = ReadLevel3Code(data_, p); break;
            case 'X': return TReplyVerdict::Taken;
            case 'S': ok = ReadDelays(data_, p); break;
            case 'm': ReadQuiescentText(data_, p); break;
            default: ok = ReadTimes(data_, p); break;
            }
            if (ok)
                MarkStored(dpSite);
            return Stored(ok);
        });
        if (i == 0) {
            x.Maximum = SiteReadBar;
            x.Position = 1;
            x.Status = QStringLiteral("Loading site configuration");
        } else if (letter == 'O' || letter == 'X' || letter == 'o') {
            x.Position = letter == 'O' ? 2 : letter == 'X' ? 3 : 4;
        }
        return x;
    });
}

TTransferBlock TTransferPlanner::NetworkLoad()
{
    return StepBlock(PageCaption(ppNetworkConfig), [this](int i) -> std::optional<TExchange> {
        const int panel = i / 2 + 1;
        if (i < 2 * MaxNetworkPanels && i % 2 == 0) {
            TExchange x = Read(NetworkNameRequest(panel), [=, this](const QByteArray& p) {
                ReadNetworkName(data_, panel, p);
                MarkStored(dpNetwork);
                return TReplyVerdict::Taken;
            });
            if (panel == 1)
                x.Maximum = MaxNetworkPanels;
            x.Position = panel;
            x.Status = QStringLiteral("Loading Network data for Panel ") + QString::number(panel);
            return x;
        }
        if (i < 2 * MaxNetworkPanels)
            return Read(NetworkFittedRequest(panel), [=, this](const QByteArray& p) {
                const bool ok = ReadNetworkFitted(data_, panel, p);
                if (ok)
                    MarkStored(dpNetwork);
                return Stored(ok);
            });
        switch (i - 2 * MaxNetworkPanels) {
        case 0:
            return Read(NetworkMatrixRequest(), [this](const QByteArray& p) {
                const bool ok = ReadNetworkMatrix(data_, p);
                if (ok)
                    MarkStored(dpNetwork);
                return Stored(ok);
            });
        case 1:
            return Read(NetworkSummaryRequest(),
                        [](const QByteArray&) { return TReplyVerdict::Taken; });
        case 2:
            return Read(PanelNameRequest(), [this](const QByteArray& p) {
                ReadPanelName(data_, p);
                MarkStored(dpNetwork);
                return TReplyVerdict::Taken;
            });
        default: return std::nullopt;
        }
    });
}

TTransferBlock TTransferPlanner::CauseEffectLoad()
{
    return StepBlock(PageCaption(ppCEConfig), [this](int i) -> std::optional<TExchange> {
        const int event = i + 1;
        if (event > CEEventCount)
            return std::nullopt;
        TExchange x = Read(CauseEffectRequest(event), [=, this](const QByteArray& p) {
            const bool ok = ReadCauseEffect(data_, event, p);
            if (ok)
                MarkStored(dpCauseEffect);
            return Stored(ok);
        });
        if (event == 1)
            x.Maximum = CEEventCount;
        x.Position = event;
        x.Status = QStringLiteral("Loading data for Event ") + QString::number(event);
        return x;
    });
}

std::vector<TTransferBlock> TTransferPlanner::EventsLoad(bool clear)
{
    // The history is read by number, every event in its place (identical texts included),
    // and handed on at once: zolctl has it on disk when the handler returns. Only then, with
    // clearing, is each event deleted, oldest first; the panel answers a delete with the
    // event it deletes. A delete is never sent again blind: after any fault the history left
    // is read (without clearing) until two readings agree, and the deleting goes on from
    // where the panel stands.
    struct TState {
        bool Ended = false;
        qsizetype Base = -1;  // where this read starts in the document's event log
        QStringList Texts;    // the history as read, by position
        int Deleted = 0;      // events known to be deleted
        bool Recounting = false;
        // A delete went wrong at least once; then the history left is read empty before the
        // clearing ends.
        bool Uncertain = false;
        bool Emptied = false;
        QStringList Recount;  // the history left, as read now
        std::optional<QStringList> Previous;
        int Recounts = 0;
    };
    auto state = std::make_shared<TState>();
    TTransferBlock read = StepBlock(QStringLiteral("Event History"),
                                    [=, this](int i) -> std::optional<TExchange> {
        if (state->Ended || i >= MaxEventRequests)
            return std::nullopt;
        if (state->Base < 0)
            state->Base = data_.EventLog.size();
        TExchange x = Read(EventRequest(i, false), [=, this](const QByteArray& p) {
            if (IsEventHistoryEnd(p)) {
                state->Ended = true;
                // A second reading (a proof) may find fewer events than the first.
                state->Texts = state->Texts.mid(0, i);
                data_.EventLog = data_.EventLog.mid(0, state->Base + i);
                return TReplyVerdict::Taken;
            }
            const QString text = EventText(p);
            const qsizetype at = state->Base + i;
            if (i < state->Texts.size()) {
                state->Texts[i] = text;
                data_.EventLog[at] = text;
            } else {
                state->Texts.append(text);
                data_.EventLog.append(text);
            }
            if (hooks_.EventLogLine)
                hooks_.EventLogLine(text);
            return TReplyVerdict::Taken;
        });
        if (i == 0) {
            x.Maximum = EventHistoryBar;
            x.Position = 1;
            x.Status = QStringLiteral("Loading Event History");
        } else {
            x.Position = std::min(i + 1, EventHistoryBar);
            x.Status = QStringLiteral("Loading event #") + QString::number(i + 1);
        }
        return x;
    });
    if (!clear)
        return {read};

    // Where the panel stands, from the history left: the events deleted are the first ones
    // read; never more than the history left shows.
    auto settle = [state] {
        const QStringList& left = state->Recount;
        const qsizetype n = state->Texts.size();
        qsizetype deleted = n - left.size();
        if (deleted < state->Deleted || deleted > n || left != state->Texts.mid(deleted)) {
            // Events came in meanwhile: the most that fits at the head of what is left (an
            // event left on the panel is kept there; one deleted unread would be lost).
            deleted = n;
            for (qsizetype k = n; k >= state->Deleted; --k)
                if (left.mid(0, n - k) == state->Texts.mid(k)) {
                    deleted = k;
                    break;
                }
        }
        state->Deleted = static_cast<int>(deleted);
        // Two settled readings agree that nothing read is left: what the panel still holds
        // came in meanwhile and stays there.
        state->Emptied = deleted >= n;
        state->Recounting = false;
    };
    TTransferBlock wipe = StepBlock(QStringLiteral("Event History"),
                                    [=, this](int) -> std::optional<TExchange> {
        if (state->Recounting) {
            const int r = static_cast<int>(state->Recount.size());
            TExchange x = Read(EventRequest(r, false), [=, this](const QByteArray& p) {
                if (!IsEventHistoryEnd(p) && r < MaxEventRequests) {
                    state->Recount.append(EventText(p));
                    return TReplyVerdict::Taken;
                }
                if (state->Previous && *state->Previous == state->Recount) {
                    settle();
                    return TReplyVerdict::Taken;
                }
                // Two readings in a row must agree before anything more is deleted.
                if (++state->Recounts > 2 * MaxEventRequestRepeats) {
                    host_.End(TTransferOutcome::PortLost, TransferText::CannotCommunicate,
                              TEndNotice::Error);
                    return TReplyVerdict::Ended;
                }
                state->Previous = state->Recount;
                state->Recount.clear();
                return TReplyVerdict::Taken;
            });
            x.AfterQuiet = true;
            return x;
        }
        auto recount = [state] {
            state->Uncertain = true;
            state->Recounting = true;
            state->Recount.clear();
            state->Previous.reset();
        };
        if (state->Deleted >= state->Texts.size()) {
            if (state->Emptied || !state->Uncertain)
                return std::nullopt;
            // Every event read is deleted after a fault: the panel must now say its history is
            // empty, or the history left is read again and the deleting goes on from there.
            TExchange x = Read(EventRequest(0, false), [=](const QByteArray& p) {
                if (IsEventHistoryEnd(p))
                    state->Emptied = true;
                else
                    recount();
                return TReplyVerdict::Taken;
            });
            x.AfterQuiet = true;
            return x;
        }
        const int next = state->Deleted;
        TExchange x = Read(EventRequest(0, true), [=](const QByteArray& p) {
            // The panel deleted the event it answered with: the one expected, or the panel
            // does not stand where it was thought to.
            if (IsEventHistoryEnd(p) || EventText(p) != state->Texts.at(next))
                return TReplyVerdict::NotAccepted;  // found out through OnUncertain
            ++state->Deleted;
            return TReplyVerdict::Taken;
        });
        x.Deletes = true;
        x.OnUncertain = recount;
        x.Position = std::min(next + 1, EventHistoryBar);
        x.Status = QStringLiteral("Clearing event #") + QString::number(next + 1);
        return x;
    });
    wipe.Repeatable = false;
    return {read, wipe};
}
