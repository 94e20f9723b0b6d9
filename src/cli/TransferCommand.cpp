#include "cli/TransferCommand.h"
#include "cli/Terminal.h"

#include "cli/CliPrompts.h"
#include "comms/SerialDeviceFactory.h"
#include "comms/ZOLPanelComms.h"
#include "model/Data.h"
#include "panel/PanelLink.h"
#include "panel/TransferProgress.h"
#include "panel/TransferRunner.h"
#include "panel/TransferSequencer.h"
#include "safety/CommsTrace.h"
#include "sim/DemoPanel.h"
#include "storage/ConfigFileNames.h"
#include "storage/PortSettings.h"
#include "storage/ProgramSettings.h"

#include <QCoreApplication>
#include <QTimer>

#include <csignal>


namespace {

volatile std::sig_atomic_t interrupted = 0;

void OnInterrupt(int)
{
    interrupted = 1;
}

// A one-line progress bar with the status text, redrawn in place on a terminal.
class TTerminalProgress : public TTransferProgress {
public:
    explicit TTerminalProgress(QTextStream& err) : err_(err), terminal_(isatty(STDERR_FILENO)) {}

    void SetStatus(const QString& text) override
    {
        status_ = text;
        Draw();
    }
    void SetPosition(int position) override
    {
        position_ = position;
        Draw();
    }
    void SetMaximum(int maximum) override { maximum_ = maximum; }
    int Position() const override { return position_; }
    int Maximum() const override { return maximum_; }
    void SetCancelVisible(bool) override {}
    void SetOverall(int step, int steps, const QString& title) override
    {
        step_ = QStringLiteral("%1/%2 %3").arg(step).arg(steps).arg(title);
        Draw();
    }
    void Show() override { shown_ = true; }
    void Hide() override
    {
        if (terminal_ && shown_)
            err_ << "\r\033[K";
        err_.flush();
        shown_ = false;
        status_.clear();
        step_.clear();
        position_ = 0;
    }
    void Close() override { Hide(); }

private:
    void Draw()
    {
        if (!terminal_ || !shown_)
            return;
        constexpr int width = 30;
        const int filled = maximum_ > 0 ? qBound(0, position_ * width / maximum_, width) : 0;
        err_ << "\r\033[K[" << QString(filled, QLatin1Char('#')) << QString(width - filled, QLatin1Char(' '))
             << "] " << (step_.isEmpty() ? QString() : step_ + QStringLiteral(": ")) << status_.left(50);
        err_.flush();
    }

    QTextStream& err_;
    bool terminal_;
    bool shown_ = false;
    QString status_;
    QString step_;  // where the whole operation is: "4/11 Zone Config"
    int position_ = 0;
    int maximum_ = 100;
};

QString PortDevice(const QString& port)
{
    if (port.compare(TPortSettings::DemoPort, Qt::CaseInsensitive) == 0) {
        if (!HasDemoPanel())
            RegisterDemoPanel();
        return TPortSettings::DemoPort;
    }
    return TPortSettings().ResolvePortName(port);
}

} // namespace

bool ParseTransferArguments(TCliContext& context, const QStringList& args,
                            const QStringList& allowed, TTransferArguments& parsed)
{
    static const QStringList switches = {QStringLiteral("yes"), QStringLiteral("clear"),
                                         QStringLiteral("send-date"), QStringLiteral("verify"),
                                         QStringLiteral("no-verify"), QStringLiteral("changes")};
    QList<TCliOption> known;
    for (const QString& name : allowed)
        known << TCliOption{name, !switches.contains(name)};
    QHash<QString, QString> options;
    if (!ParseOptions(context, args, known, parsed.Files, options))
        return false;

    parsed.Yes = options.contains(QStringLiteral("yes"));
    parsed.Clear = options.contains(QStringLiteral("clear"));
    parsed.SendDate = options.contains(QStringLiteral("send-date"));
    parsed.Verify = options.contains(QStringLiteral("verify"));
    parsed.NoVerify = options.contains(QStringLiteral("no-verify"));
    parsed.Changes = options.contains(QStringLiteral("changes"));
    if (parsed.Verify && parsed.NoVerify) {
        UsageError(context, QStringLiteral("--verify and --no-verify exclude each other"));
        return false;
    }
    parsed.Backup = options.value(QStringLiteral("backup"));
    parsed.TracePath = options.value(QStringLiteral("trace"));
    parsed.Port = options.value(QStringLiteral("port"));
    parsed.Into = options.value(QStringLiteral("into"));
    parsed.Output = options.value(QStringLiteral("output"));
    if (options.contains(QStringLiteral("panel"))) {
        bool ok = false;
        parsed.PanelGiven = true;
        parsed.Panel = options.value(QStringLiteral("panel")).toInt(&ok);
        if (!ok || parsed.Panel < 1 || parsed.Panel > 8) {
            UsageError(context, QStringLiteral("--panel takes a number from 1 to 8"));
            return false;
        }
    }
    if (options.contains(QStringLiteral("block"))) {
        TPanelPage page;
        parsed.Block = options.value(QStringLiteral("block")).toLower();
        if (parsed.Block != QLatin1String("all") && parsed.Block != QLatin1String("names")
            && !BlockPage(parsed.Block, page)) {
            UsageError(context, QStringLiteral("--block takes one of %1").arg(BlockNames));
            return false;
        }
    }
    if (parsed.Port.isEmpty()) {
        UsageError(context, QStringLiteral("--port is needed (COM1..COM8, a device path or demo)"));
        return false;
    }
    return true;
}

int FittedPoints(const TData& data)
{
    int fitted = 0;
    for (const TQEMLoop* loop : {&data.Loop1, &data.Loop2})
        for (int p = 1; p <= data.NoLoopDevices(); ++p)
            fitted += loop->IsFitted(p) ? 1 : 0;
    return fitted;
}

bool BlockPage(const QString& block, TPanelPage& page)
{
    static const QHash<QString, TPanelPage> pages = {
        {QStringLiteral("loop1"), ppLoop1},         {QStringLiteral("loop2"), ppLoop2},
        {QStringLiteral("zones"), ppZoneConfig},    {QStringLiteral("groups"), ppGroupConfig},
        {QStringLiteral("sets"), ppSetConfig},      {QStringLiteral("site"), ppSiteConfig},
        {QStringLiteral("cne"), ppCEConfig},        {QStringLiteral("network"), ppNetworkConfig},
    };
    const auto found = pages.constFind(block);
    if (found == pages.constEnd())
        return false;
    page = *found;
    return true;
}

int RunTransfer(TCliContext& context, TData& data, TCliPrompts& prompts,
                const TTransferArguments& arguments, TPanelPage page,
                const std::function<bool(TTransferSequencer&)>& start,
                TTransferResult* ended)
{
    TZOLPanelComms comms;
    ApplyPanelLinkSettings(comms);
    const QString device = PortDevice(arguments.Port);
    comms.Port().SetPortName(device);
    if (arguments.Trace)
        AttachTrace(comms.Port(), device, *arguments.Trace);
    if (arguments.PanelGiven) {
        // Only a file whose name carries a panel number ("_Panel3") can disagree.
        const bool fileNamesPanel = PanelNumberFromFileName(data.FileName, 0) != 0;
        if (fileNamesPanel && data.PanelNumber != arguments.Panel)
            context.Err << "zolctl: " << data.FileName << " is for panel " << data.PanelNumber
                        << "; using panel " << arguments.Panel << " as --panel says\n";
        data.PanelNumber = arguments.Panel;
    } else if (data.FileName.isEmpty()) {
        data.PanelNumber = 1;
    }

    TTerminalProgress progress(context.Err);
    TTransferSequencer sequencer(data, comms, prompts, progress,
                                 TTransferContext{[page] { return page; }, [] { return 1; }});
    sequencer.MaxOutputDelay = LoadProgramSettings().MaxOutputDelay;

    interrupted = 0;
    // Ctrl-C and a polite kill both cancel: nothing more is sent and what was read is kept.
    const auto previous = std::signal(SIGINT, OnInterrupt);
    const auto previousTerm = std::signal(SIGTERM, OnInterrupt);
    bool cancelled = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!interrupted || cancelled)
            return;
        cancelled = true;
        sequencer.Cancel();
    });
    watch.start(50);

    bool started = false;
    const TTransferResult result = TTransferRunner::Run(sequencer, [&] {
        started = start(sequencer);
        return started;
    });
    if (ended)
        *ended = result;
    watch.stop();
    std::signal(SIGINT, previous);
    std::signal(SIGTERM, previousTerm);
    comms.Close();
    progress.Close();

    // Decided on the typed end; its message already says whether the panel is partly saved.
    if (cancelled)
        return ExitCancelled;
    if (!prompts.Unanswered.isEmpty())
        return Failure(context, QStringLiteral("nobody to answer \"%1\"").arg(prompts.Unanswered.trimmed()));
    switch (result.Outcome) {
    case TTransferOutcome::Completed: return ecSuccess;
    case TTransferOutcome::NotStarted:
        // Refused before anything was sent: the check or question that refused said why.
        return Failure(context, prompts.LastError.isEmpty() ? QStringLiteral("the operation did not start")
                                                            : prompts.LastError);
    case TTransferOutcome::Cancelled:
        return Failure(context, result.Message.isEmpty() ? QStringLiteral("the operation was cancelled")
                                                         : result.Message);
    default:
        return Failure(context, result.Message.isEmpty() ? QStringLiteral("the operation did not complete")
                                                         : result.Message);
    }
}
