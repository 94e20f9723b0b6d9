// zolpanel-sim: an emulated ZOL panel on a pseudo-terminal, for trying the tool without a panel.

#include "model/Data.h"
#include "panel/InProcessUpload.h"
#include "sim/PtyPanel.h"
#include "storage/ConfigFile.h"
#include "storage/Prompts.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QTimer>

#include <csignal>
#include <cstdio>

namespace {

volatile std::sig_atomic_t stopRequested = 0;

// Only sets a flag: a timer on the event loop does the quitting.
void RequestStop(int)
{
    stopRequested = 1;
}

// Reading a file asks nothing that needs a person; messages are kept for the error line.
class TFromFilePrompts : public TPrompts {
public:
    QString Last;
    void information(const QString& text, const QString&) override { Last = text; }
    void warning(const QString& text, const QString&) override { Last = text; }
    void error(const QString& text, const QString&) override { Last = text; }
    TPromptAnswer confirm(const QString&, TPromptButtons, TPromptKind) override { return TPromptAnswer::paYes; }
    void beep() override {}
};

int IntOption(const QCommandLineParser& parser, const QString& name, int fallback, bool& ok)
{
    if (!parser.isSet(name))
        return fallback;
    bool good = false;
    const int value = parser.value(name).toInt(&good);
    if (!good || value < 0) {
        std::fprintf(stderr, "zolpanel-sim: --%s wants a whole number, not \"%s\"\n", qPrintable(name),
                     qPrintable(parser.value(name)));
        ok = false;
    }
    return value;
}

// The emulator takes the configuration the way a panel does: by a Save All from the tool.
bool FillFromConfiguration(const std::shared_ptr<TPanelEmulator>& emulator, const QString& path)
{
    TData data;
    TFromFilePrompts prompts;
    QString error;
    if (!TConfigFile(data, prompts).Open(path)) {
        std::fprintf(stderr, "zolpanel-sim: %s\n", qPrintable(prompts.Last));
        return false;
    }
    emulator->Memory().Protocol = data.Loop1.SystemType;
    emulator->Memory().LoopCount = static_cast<quint8>(data.LoopCount);
    if (!UploadInProcess(data, emulator, &error)) {
        std::fprintf(stderr, "zolpanel-sim: %s: %s\n", qPrintable(path), qPrintable(error));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zolpanel-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Emulated ZOL fire panel on a pseudo-terminal. Open the device it prints (or the --link path) "
        "as the serial port in ZOL Tools or zolctl."));
    parser.addHelpOption();
    const QList<QCommandLineOption> options{
        {QStringLiteral("link"), QStringLiteral("Also make a symbolic link to the device at PATH."), QStringLiteral("PATH")},
        {QStringLiteral("baud"), QStringLiteral("Emulate the wire time of this bit rate (0 = none; default 9600)."), QStringLiteral("RATE"), QStringLiteral("9600")},
        {QStringLiteral("protocol"), QStringLiteral("Loop protocol: apollo, hochiki, syssensor or nittan (or 0..3)."), QStringLiteral("NAME")},
        {QStringLiteral("loops"), QStringLiteral("Loop count, 1 or 2."), QStringLiteral("N")},
        {QStringLiteral("main-version"), QStringLiteral("Main firmware version (5 characters)."), QStringLiteral("TEXT")},
        {QStringLiteral("loop1-version"), QStringLiteral("Loop 1 firmware version."), QStringLiteral("TEXT")},
        {QStringLiteral("loop2-version"), QStringLiteral("Loop 2 firmware version."), QStringLiteral("TEXT")},
        {QStringLiteral("front-panel-version"), QStringLiteral("Front panel firmware version."), QStringLiteral("TEXT")},
        {QStringLiteral("no-nvm-link"), QStringLiteral("Report the NVM program link as not fitted.")},
        {QStringLiteral("memory"), QStringLiteral("Panel memory file: loaded at start when it exists, saved after every change."), QStringLiteral("FILE")},
        {QStringLiteral("nak-every"), QStringLiteral("Answer every K-th write with NAK."), QStringLiteral("K")},
        {QStringLiteral("drop-every"), QStringLiteral("Leave every K-th request unanswered."), QStringLiteral("K")},
        {QStringLiteral("corrupt-every"), QStringLiteral("Corrupt the checksum of every K-th reply."), QStringLiteral("K")},
        {QStringLiteral("silent-handshakes"), QStringLiteral("Stay silent to the first K handshakes."), QStringLiteral("K")},
        {QStringLiteral("late-every"), QStringLiteral("Answer every K-th message late: hold the answer back and send it just before the answer to the next message."), QStringLiteral("K")},
        {QStringLiteral("duplicate-every"), QStringLiteral("Send every K-th answer twice."), QStringLiteral("K")},
        {QStringLiteral("noise-every"), QStringLiteral("Put a noise byte (NAK) in front of every K-th answer."), QStringLiteral("K")},
        {QStringLiteral("repeat-every"), QStringLiteral("Send every K-th answer a second time, as a delivery of its own (see --repeat-after)."), QStringLiteral("K")},
        {QStringLiteral("repeat-after"), QStringLiteral("Milliseconds between an answer and its repeat (default 20)."), QStringLiteral("MS"), QStringLiteral("20")},
        {QStringLiteral("chatter-every"), QStringLiteral("Send a well-formed packet nobody asked for every S seconds."), QStringLiteral("S")},
        {QStringLiteral("lose-every"), QStringLiteral("Lose every K-th write on the line: the panel never sees it."), QStringLiteral("K")},
        {QStringLiteral("forget-every"), QStringLiteral("Acknowledge every K-th write and drop it."), QStringLiteral("K")},
        {QStringLiteral("identical-events"), QStringLiteral("Fill the event history with N identical lines (a fault reported again and again)."), QStringLiteral("N")},
        {QStringLiteral("stop-after"), QStringLiteral("Stop answering after K frames (until a restart)."), QStringLiteral("K")},
        {QStringLiteral("restart-after"), QStringLiteral("Restart once after K frames: close this end of the line and open it again (as a new device, at the --link path)."), QStringLiteral("K")},
        {QStringLiteral("panel"), QStringLiteral("Answer only this panel number (the handshake is always answered)."), QStringLiteral("N")},
        {QStringLiteral("log"), QStringLiteral("Print every frame in hex with a timestamp.")},
        {QStringLiteral("from"), QStringLiteral("Fill the panel with this configuration file by saving it to the panel in-process."), QStringLiteral("FILE.QEM")},
    };
    parser.addOptions(options);
    parser.process(app);

    auto emulator = std::make_shared<TPanelEmulator>();
    TPanelMemory& memory = emulator->Memory();
    const QString memoryFile = parser.value(QStringLiteral("memory"));
    if (!memoryFile.isEmpty() && QFile::exists(memoryFile)) {
        QString error;
        if (!memory.Load(memoryFile, &error)) {
            std::fprintf(stderr, "zolpanel-sim: %s\n", qPrintable(error));
            return 1;
        }
    } else if (memoryFile.isEmpty()) {
        memory.Events = {"12/03/2024 09:14 Fire   Zone 3  Loop 1 Point 12",
                         "12/03/2024 09:20 Reset  Panel",
                         "13/03/2024 14:02 Fault  Loop 2 Point 7 missing"};
    }

    if (parser.isSet(QStringLiteral("from")) && !FillFromConfiguration(emulator, parser.value(QStringLiteral("from"))))
        return 1;

    bool ok = true;
    emulator->SetWireBitRate(IntOption(parser, QStringLiteral("baud"), 9600, ok));
    emulator->Faults.NakEveryWrite = IntOption(parser, QStringLiteral("nak-every"), 0, ok);
    emulator->Faults.DropEveryRequest = IntOption(parser, QStringLiteral("drop-every"), 0, ok);
    emulator->Faults.CorruptEveryReply = IntOption(parser, QStringLiteral("corrupt-every"), 0, ok);
    emulator->Faults.SilentHandshakes = IntOption(parser, QStringLiteral("silent-handshakes"), 0, ok);
    emulator->Faults.LateEveryAnswer = IntOption(parser, QStringLiteral("late-every"), 0, ok);
    emulator->Faults.DuplicateEveryAnswer = IntOption(parser, QStringLiteral("duplicate-every"), 0, ok);
    emulator->Faults.NoiseEveryAnswer = IntOption(parser, QStringLiteral("noise-every"), 0, ok);
    emulator->Faults.StopAfterFrames = IntOption(parser, QStringLiteral("stop-after"), 0, ok);
    emulator->Faults.RepeatEveryAnswer = IntOption(parser, QStringLiteral("repeat-every"), 0, ok);
    emulator->Faults.RepeatAfterMs = IntOption(parser, QStringLiteral("repeat-after"), 20, ok);
    emulator->Faults.ChatterEveryMs = IntOption(parser, QStringLiteral("chatter-every"), 0, ok) * 1000;
    emulator->Faults.LoseEveryWrite = IntOption(parser, QStringLiteral("lose-every"), 0, ok);
    emulator->Faults.ForgetEveryWrite = IntOption(parser, QStringLiteral("forget-every"), 0, ok);
    if (parser.isSet(QStringLiteral("identical-events"))) {
        const int count = IntOption(parser, QStringLiteral("identical-events"), 0, ok);
        memory.Events.clear();
        for (int i = 0; i < count; ++i)
            memory.Events.push_back("14/03/2024 08:00 Fault  Loop 1 Point 3 missing");
    }
    const int restartAfter = IntOption(parser, QStringLiteral("restart-after"), 0, ok);
    if (parser.isSet(QStringLiteral("panel")))
        emulator->Faults.OnlyPanelNumber = IntOption(parser, QStringLiteral("panel"), -1, ok);
    if (parser.isSet(QStringLiteral("loops"))) {
        const int loops = IntOption(parser, QStringLiteral("loops"), 2, ok);
        if (loops < 1 || loops > 2) {
            std::fprintf(stderr, "zolpanel-sim: --loops is 1 or 2\n");
            ok = false;
        }
        memory.LoopCount = static_cast<quint8>(loops);
    }
    if (parser.isSet(QStringLiteral("protocol"))) {
        static const QStringList names{QStringLiteral("apollo"), QStringLiteral("hochiki"),
                                       QStringLiteral("syssensor"), QStringLiteral("nittan")};
        const QString value = parser.value(QStringLiteral("protocol")).toLower();
        int protocol = names.indexOf(value);
        if (protocol < 0 && value.size() == 1 && value[0] >= QLatin1Char('0') && value[0] <= QLatin1Char('3'))
            protocol = value.toInt();
        if (protocol < 0) {
            std::fprintf(stderr, "zolpanel-sim: unknown protocol \"%s\"\n", qPrintable(value));
            ok = false;
        }
        memory.Protocol = static_cast<quint8>(std::max(protocol, 0));
    }
    const std::pair<const char*, QByteArray*> versions[] = {{"main-version", &memory.MainVersion},
                                                            {"loop1-version", &memory.Loop1Version},
                                                            {"loop2-version", &memory.Loop2Version},
                                                            {"front-panel-version", &memory.FrontPanelVersion}};
    for (const auto& [name, field] : versions)
        if (parser.isSet(QLatin1String(name)))
            *field = parser.value(QLatin1String(name)).toLatin1();
    if (parser.isSet(QStringLiteral("no-nvm-link")))
        memory.NvmLinkFitted = false;
    if (!ok)
        return 2;

    if (parser.isSet(QStringLiteral("log"))) {
        emulator->OnFrame = [](bool fromTool, const QByteArray& bytes) {
            std::fprintf(stdout, "%s %s %s\n",
                         qPrintable(QDateTime::currentDateTime().toString(QStringLiteral("HH:mm:ss.zzz"))),
                         fromTool ? "tool->panel" : "panel->tool", bytes.toHex(' ').toUpper().constData());
            std::fflush(stdout);
        };
    }
    if (!memoryFile.isEmpty()) {
        // Save shortly after the last change, not once per message of a long transfer.
        auto* saveTimer = new QTimer(&app);
        saveTimer->setSingleShot(true);
        saveTimer->setInterval(300);
        QObject::connect(saveTimer, &QTimer::timeout, [&memory, memoryFile] {
            QString error;
            if (!memory.Save(memoryFile, &error))
                std::fprintf(stderr, "zolpanel-sim: cannot save %s: %s\n", qPrintable(memoryFile), qPrintable(error));
        });
        emulator->OnMemoryChanged = [saveTimer] { saveTimer->start(); };
    }

    emulator->StartChatter();
    TPtyPanel pty(emulator);
    QString error;
    if (!pty.Start(&error)) {
        std::fprintf(stderr, "zolpanel-sim: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("ZOL panel emulator on %s\n", qPrintable(pty.DeviceName()));
    if (parser.isSet(QStringLiteral("link"))) {
        if (!pty.LinkAt(parser.value(QStringLiteral("link")), &error)) {
            std::fprintf(stderr, "zolpanel-sim: %s\n", qPrintable(error));
            return 1;
        }
        std::printf("linked at %s\n", qPrintable(parser.value(QStringLiteral("link"))));
    }
    std::fflush(stdout);
    if (restartAfter > 0) {
        auto log = emulator->OnFrame;
        emulator->OnFrame = [log, restartAfter, &pty, frames = 0](bool fromTool, const QByteArray& bytes) mutable {
            if (log)
                log(fromTool, bytes);
            if (fromTool && ++frames == restartAfter)
                QTimer::singleShot(0, [&pty] {
                    QString why;
                    if (pty.Restart(&why))
                        std::printf("restarted on %s\n", qPrintable(pty.DeviceName()));
                    else
                        std::fprintf(stderr, "zolpanel-sim: %s\n", qPrintable(why));
                    std::fflush(stdout);
                });
        };
    }

    std::signal(SIGINT, RequestStop);
    std::signal(SIGTERM, RequestStop);
    QTimer stopWatch;
    QObject::connect(&stopWatch, &QTimer::timeout, [] {
        if (stopRequested)
            QCoreApplication::quit();
    });
    stopWatch.start(100);
    const int rc = app.exec();
    if (!memoryFile.isEmpty())
        memory.Save(memoryFile);
    return rc;
}
