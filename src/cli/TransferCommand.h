#pragma once

#include "cli/Cli.h"
#include "panel/PanelPages.h"
#include "panel/TransferOutcome.h"

#include <functional>

class TData;
class TCliPrompts;
class TCommsTrace;
class TTransferSequencer;

// What the transfer commands share: the port, the panel number and the block.
struct TTransferArguments {
    QString Port;
    int Panel = 1;
    bool PanelGiven = false; // --panel was given
    QString Block = QStringLiteral("all");
    QString Into;
    QString Output;
    bool Yes = false;
    bool Clear = false;
    bool SendDate = false; // the site page's "Send To Panel?" box for the maintenance date
    bool Saving = false;   // the operation writes to the panel
    bool Verify = false;   // --verify: kept for scripts; a Save All verifies anyway
    bool NoVerify = false; // --no-verify
    bool Changes = false;  // --changes: Save Changes
    QString Backup;
    QString TracePath;
    TCommsTrace* Trace = nullptr; // every byte of the link goes here when set
    QStringList Files;
};

// The options of allowed ("yes", "clear", "send-date", "verify" and "no-verify" are
// switches); false after a usage error.
bool ParseTransferArguments(TCliContext& context, const QStringList& args,
                            const QStringList& allowed, TTransferArguments& parsed);

// The page whose load or save moves a block ("all" and "names" have none).
bool BlockPage(const QString& block, TPanelPage& page);
inline const QString BlockNames =
    QStringLiteral("all|loop1|loop2|names|zones|groups|sets|site|cne|network");

// Joins the document to the panel on the port, starts the operation and runs it to its end:
// a progress bar on a terminal, Ctrl-C cancels (nothing more is sent, the port is closed).
// The panel number is --panel when given, else the document's (from its file name).
// An operation that did not complete ends with its own message (which says when the panel
// is partly saved). Returns the exit code: 0 done, 1 failed, 130 cancelled; the typed end
// goes to ended when given.
int RunTransfer(TCliContext& context, TData& data, TCliPrompts& prompts,
                const TTransferArguments& arguments, TPanelPage page,
                const std::function<bool(TTransferSequencer&)>& start,
                TTransferResult* ended = nullptr);

constexpr int ExitCancelled = 130;

// upload --changes: Save Changes of the one file in arguments.
int RunUploadChanges(TCliContext& context, TTransferArguments& arguments, bool force);

// Fitted points of both loops, for the line a successful transfer ends with.
int FittedPoints(const TData& data);
