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

#include <QFile>
#include <QtGlobal>
#include <QSaveFile>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <unistd.h>
#else
#include <io.h>
#endif

namespace {

// What was written reaches the disk before the panel is told to delete it.
bool SyncToDisk(int descriptor)
{
#ifdef Q_OS_UNIX
    return ::fsync(descriptor) == 0;
#else
    return ::_commit(descriptor) == 0;
#endif
}

const QString IncompleteMark =
    QStringLiteral("INCOMPLETE: the event history was not read to its end");

// The log being written. The target itself holds every event as it arrives, under a first
// line that marks it incomplete, so that even a killed process leaves in it every event it
// read (and so may have deleted from the panel). Each write changes only what follows the
// events already there, and is on disk before the next request goes out. The finished log
// then replaces it whole, without the mark.
class TEventLogFile {
public:
    explicit TEventLogFile(const QString& path) : path_(path), live_(path), final_(path) {}

    // The final file is staged in the target's folder now, so a folder that cannot be written
    // fails before the panel is asked anything; the target is untouched until an event comes.
    bool Open(QString* error)
    {
        if (!CheckReplaceableFile(path_, error))
            return false;
        if (final_.open(QIODevice::WriteOnly))
            return true;
        *error = QStringLiteral("%1: %2").arg(path_, final_.errorString());
        return false;
    }

    // False, with the file and the reason in error, when the events are not all on disk.
    bool Keep(const QStringList& events, QString* error)
    {
        if (!live_.isOpen() && !live_.open(QIODevice::WriteOnly))
            return Failed(live_, error);
        const QByteArray bytes = EventLogAsRtf(QStringList(IncompleteMark) + events);
        qsizetype same = 0;
        while (same < bytes.size() && same < written_.size() && bytes[same] == written_[same])
            ++same;
        if (!live_.seek(same) || live_.write(bytes.mid(same)) != bytes.size() - same
            || !live_.flush() || !live_.resize(bytes.size()))
            return Failed(live_, error);
        if (!SyncToDisk(live_.handle()) || live_.size() != bytes.size()) {
            *error = QStringLiteral("%1: %2").arg(path_, qt_error_string(errno));
            return false;
        }
        written_ = bytes;
        return true;
    }

    bool Commit(const QStringList& events, bool complete, QString* error)
    {
        QStringList lines = events;
        if (!complete)
            lines.prepend(IncompleteMark);
        const QByteArray bytes = EventLogAsRtf(lines);
        // Only a copy wholly written replaces the target; otherwise the target keeps the
        // events as they arrived.
        if (final_.write(bytes) == bytes.size() && final_.flush()
            && final_.error() == QFileDevice::NoError && final_.commit())
            return true;
        final_.cancelWriting();
        return Failed(final_, error);
    }


private:
    bool Failed(const QFileDevice& file, QString* error) const
    {
        // A write the system refused may leave the device's own text unset.
        const QString reason = file.error() == QFileDevice::NoError || file.errorString().isEmpty()
                                       || file.errorString() == QLatin1String("Unknown error")
                                   ? qt_error_string(errno)
                                   : file.errorString();
        *error = QStringLiteral("%1: %2").arg(path_, reason);
        return false;
    }

    QString path_;
    QFile live_;
    QByteArray written_;
    QSaveFile final_;
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
    QString keepError;
    const int code = RunTransfer(context, data, prompts, arguments, ppViewEventLog,
                                 [&](TTransferSequencer& s) {
                                     QObject::connect(&s, &TTransferSequencer::EventLogLine, [&] {
                                         // Not on disk: nothing more is asked (or deleted).
                                         if (kept && !log.Keep(data.EventLog, &keepError)) {
                                             kept = false;
                                             s.Disconnect();
                                         }
                                     });
                                     return s.LoadEvents(arguments.Clear);
                                 });
    if (!kept)
        return Failure(context, QStringLiteral("The event log could not be written: %1; the "
                                               "clearing stopped there, and what was written "
                                               "is kept")
                                    .arg(keepError));
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
    if (!log.Commit(data.EventLog, true, &error))
        return Failure(context, QStringLiteral("The event log was not saved: %1").arg(error));
    SuccessSummary(context, QStringLiteral("%1 events written to %2%3")
                                .arg(data.EventLog.size())
                                .arg(arguments.Output)
                                .arg(arguments.Clear ? QStringLiteral(" and cleared from the panel")
                                                     : QString()));
    return ecSuccess;
}
