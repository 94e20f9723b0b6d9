#pragma once

#include "model/Data.h"
#include "panel/PanelPages.h"
#include "panel/SaveChanges.h"
#include "panel/TransferPlan.h"

#include <QDateTime>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

class TData;
class TZOLPanelComms;
struct TChangesState;

// Builds the plan of each operation from its blocks, in the order the panel expects them.
// Blocks read their settings from the document when their turn comes (the loop count read
// from the panel decides whether loop 2 is moved).
class TTransferPlanner {
public:
    struct THooks {
        std::function<void()> LoopTypeChanged;
        std::function<void(const QString&)> EventLogLine;
        std::function<QDateTime()> Now;
        // The zone checks a loop save from the Loop Summary runs before it goes on with the zones.
        std::function<bool()> ZoneChecksPass;
        int ZoneFlagsTimeOut = 5000;
        int AfterZoneFlagsTimeOut = 1000;
    };

    TTransferPlanner(TData& data, TZOLPanelComms& comms, TPlanHost& host, THooks hooks)
        : data_(data), comms_(comms), host_(host), hooks_(std::move(hooks))
    {
    }

    // linkUp: the link is up from an earlier operation (no handshake, versions known).
    TTransferPlan LoadAll(bool linkUp);
    TTransferPlan SaveAll();
    // Only the records that differ from the panel's last proven state, after reading them on
    // the panel; they are read back once written.
    TTransferPlan SaveChanges(const TSaveChangesSetup& setup);
    // The active page's load or save; summaryLoop is the Loop Summary's loop choice.
    TTransferPlan LoadPage(TPanelPage page, int summaryLoop, bool linkUp);
    TTransferPlan SavePage(TPanelPage page, int summaryLoop);
    TTransferPlan LoadNames(bool linkUp);
    TTransferPlan SaveNames();
    TTransferPlan LoadEvents(bool clear, bool linkUp);

private:
    // Reads.
    TTransferBlock Version(bool linkUp, bool afterLinkCheck);
    TTransferBlock LinkCheck();
    TTransferBlock LoopTypeLoad(bool saving);
    // onlyOnTwoLoops: skipped on a one-loop panel (Load All).
    TTransferBlock PointsLoad(int loop, bool onlyOnTwoLoops);
    TTransferBlock NamesLoad();
    // all: the non-fire flags end the block (Load All) rather than the operation.
    TTransferBlock ZonesLoad(bool all);
    TTransferBlock GroupsLoad();
    TTransferBlock SetsLoad();
    TTransferBlock SiteLoad();
    TTransferBlock NetworkLoad();
    TTransferBlock CauseEffectLoad();
    std::vector<TTransferBlock> EventsLoad(bool clear);
    // Writes.
    // Refuses a loop the panel read has no card for, before anything is written.
    TTransferBlock LoopPresent(int loop);
    TTransferBlock LoopTypeSave();
    // inSaveAll: loop 2 of a one-loop panel is skipped; elsewhere it ends the operation.
    TTransferBlock PointsSave(int loop, bool inSaveAll);
    TTransferBlock NamesSave();
    TTransferBlock ZoneChecks();
    TTransferBlock ZonesSave();
    TTransferBlock GroupsSave();
    TTransferBlock SetsSave();
    // withHead: the whole site block; without, only its end (the delays, the quiescent text
    // and the times), which also follows a zone or group page's save.
    TTransferBlock SiteSave(bool withHead);
    TTransferBlock NetworkSave();
    TTransferBlock CauseEffectSave();
    // Save Changes: the records to write, their check on the panel before, their read-back after.
    TTransferBlock ChangesFound(const TSaveChangesSetup& setup, std::shared_ptr<TChangesState> state);
    TTransferBlock ChangesRead(const TSaveChangesSetup& setup, std::shared_ptr<TChangesState> state,
                               bool before);
    TTransferBlock ChangesWrite(std::shared_ptr<TChangesState> state);
    // Every write of a Save All of this planner's configuration, with the block it is in.
    std::vector<std::pair<int, TExchange>> SaveAllWrites();

    TExchange Read(const QByteArray& request,
                   std::function<TReplyVerdict(const QByteArray& payload)> handler);
    TExchange Write(const QByteArray& request, std::function<void()> acked = {});
    void MarkStored(TDocParts parts);

    TData& data_;
    TZOLPanelComms& comms_;
    TPlanHost& host_;
    THooks hooks_;
};

// A block whose requests are step(0), step(1)…; the first empty one ends it. The counter
// moves on each time an answer is taken.
TTransferBlock StepBlock(const QString& title, std::function<std::optional<TExchange>(int)> step);
// A block of requests made when its turn comes.
TTransferBlock ListBlock(const QString& title, std::function<std::vector<TExchange>()> make);
