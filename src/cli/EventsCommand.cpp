#include "cli/CliPrompts.h"
#include "cli/Commands.h"
#include "cli/SafetySupport.h"
#include "cli/TransferCommand.h"

#include "model/Data.h"
#include "panel/TransferSequencer.h"
#include "safety/CommsTrace.h"
#include "storage/CommentsFile.h"
#include "storage/Rtf.h"
#include "storage/SafeFiles.h"

#include <QSaveFile>

namespace {

// The log being written: after every event the temporary file holds all events so far,
// marked incomplete, so that an interrupted read loses none of them; the target is replaced
// only by Commit.
class TEventLogFile {
public:
    explicit TEventLogFile(const QString& path) : path_(path), file_(path) {}

    bool Open(QString* error)
    {
        if (!CheckReplaceableFile(path_, error))
            return false;
        if (file_.open(QIODevice::WriteOnly))
            return true;
        *error = QStringLiteral("%1: %2").arg(path_, file_.errorString());
        return false;
    }

    bool Keep(const QStringList& events, bool complete)
    {
        QStringList lines = events;
        if (!complete)
            lines << QStringLiteral("INCOMPLETE: the event history was not read to its end (%1 events read)")
                         .arg(events.size());
        const QByteArray bytes = EventLogAsRtf(lines);
        return file_.seek(0) && file_.resize(0) && file_.write(bytes) == bytes.size()
               && file_.flush();
    }

    bool Commit(const QStringList& events, bool complete, QString* error)
    {
        if (Keep(events, complete) && file_.commit())
            return true;
        *error = QStringLiteral("%1: %2").arg(path_, file_.errorString());
        return false;
    }

private:
    QString path_;
    QSaveFile file_;
};

} // namespace

int RunEventsCommand(const QStringList& args, TCliContext& context)
{
    TTransferArguments arguments;
    if (!ParseTransferArguments(context, args,
                                {QStringLiteral("port"), QStringLiteral("panel"),
                                 QStringLiteral("clear"), QStringLiteral("output"), QStringLiteral("trace")},
                                arguments))
        return ecUsage;
    if (arguments.Output.isEmpty() || !arguments.Files.isEmpty())
        return UsageError(context, QStringLiteral("events needs -o FILE.log and no other file"));

    // The log is open in its folder before the panel is asked anything: the history is
    // never cleared when it could not be kept, and each event is in it before the request
    // that deletes it from the panel goes out.
    QString error;
    TEventLogFile log(arguments.Output);
    if (!log.Open(&error))
        return Failure(context, QStringLiteral("The event log was not saved: %1").arg(error));

    TCommsTrace trace;
    if (!OpenTraceOption(context, arguments, trace))
        return ecFailure;
    TCliPrompts prompts(context.Err, context.In);
    TData data;
    bool kept = true;
    const int code = RunTransfer(context, data, prompts, arguments, ppViewEventLog,
                                 [&](TTransferSequencer& s) {
                                     QObject::connect(&s, &TTransferSequencer::EventLogLine, [&] {
                                         // Not on disk: nothing more is asked (or deleted).
                                         if (kept && !log.Keep(data.EventLog, false)) {
                                             kept = false;
                                             s.Disconnect();
                                         }
                                     });
                                     return s.LoadEvents(arguments.Clear);
                                 });
    if (code != ecSuccess) {
        // Whatever was read is kept, marked incomplete.
        if (!data.EventLog.isEmpty()) {
            if (log.Commit(data.EventLog, false, &error))
                context.Err << "zolctl: " << data.EventLog.size() << " events kept in "
                            << arguments.Output << ", marked incomplete\n";
            else
                context.Err << "zolctl: the events read were not saved: " << error << '\n';
            context.Err.flush();
        }
        return code;
    }
    if (!kept || !log.Commit(data.EventLog, true, &error))
        return Failure(context, QStringLiteral("The event log was not saved: %1").arg(error));
    SuccessSummary(context, QStringLiteral("%1 events written to %2%3")
                                .arg(data.EventLog.size())
                                .arg(arguments.Output)
                                .arg(arguments.Clear ? QStringLiteral(" and cleared from the panel")
                                                     : QString()));
    return ecSuccess;
}
