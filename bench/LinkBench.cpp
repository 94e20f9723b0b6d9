// Request/reply exchanges over the packet link against the emulated panel with 9600-baud wire
// time, each run compared with its wire-time floor: every byte sent and received, 10 bits each.
// Reads are "I" requests answered by point packets; writes are "J" messages answered by ACK.
// Then, on a pseudo-terminal, the CPU time the link uses while it waits on a silent panel and
// after the far end has closed (a dead line): both should stay far below 5 % of a core.
// Usage: bench_link [exchanges per run, default 100]

#include "comms/MemorySerialDevice.h"
#include "comms/ZOLPanelComms.h"
#include "sim/PanelEmulator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace {

constexpr int BitRate = 9600;
constexpr int GiveUpMs = 120'000;

QByteArray ReadPoint(int point)
{
    return QByteArray("I\x02", 2) + static_cast<char>(point) + '\0';
}

QByteArray WritePoint(int point)
{
    QByteArray message("J\x0B", 2);
    message += static_cast<char>(point);
    message += '\x01';
    message += '\x14';                            // type code
    message += static_cast<char>(point % 32 + 1); // zone
    message += QByteArray(7, '\x00');
    return message;
}

struct TRun {
    double Seconds = 0;
    qint64 Bytes = 0;
    int Exchanges = 0;
};

class TLinkBench {
public:
    TLinkBench() : emulator_(std::make_shared<TPanelEmulator>())
    {
        emulator_->SetWireBitRate(BitRate);
        // The tool's own link settings.
        comms_.SetTickInterval(200);
        comms_.SetInputTimeOut(4000);
        comms_.Port().SetDevice(std::make_unique<TMemorySerialDevice>(emulator_));
        comms_.OnPacketReceived = [this](TPanelComms*, char, const QByteArray&) { Answered(); };
        comms_.OnAck = [this](TCommPanel*) { Answered(); };
        comms_.OnNak = [this](TCommPanel*) { failed_ = true; loop_.quit(); };
        comms_.OnTimeout = [this](TPanelComms*) { failed_ = true; loop_.quit(); };
    }

    // The handshake waits for the first poll: it is done before anything is measured.
    bool Connect()
    {
        comms_.OnHandshakeReceived = [this](TPanelComms*) { loop_.quit(); };
        if (!comms_.Open())
            return false;
        QTimer::singleShot(GiveUpMs, &loop_, &QEventLoop::quit);
        loop_.exec();
        comms_.OnHandshakeReceived = nullptr;
        return comms_.HandshakeDone;
    }

    bool Measure(bool writes, int exchanges, TRun& run)
    {
        writes_ = writes;
        left_ = exchanges;
        done_ = 0;
        failed_ = false;
        run = {};
        emulator_->OnFrame = [&run](bool, const QByteArray& bytes) { run.Bytes += bytes.size(); };
        QElapsedTimer clock;
        clock.start();
        SendNext();
        QTimer::singleShot(GiveUpMs, &loop_, &QEventLoop::quit);
        loop_.exec();
        run.Seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        run.Exchanges = done_;
        emulator_->OnFrame = nullptr;
        return !failed_ && done_ == exchanges;
    }

private:
    void SendNext()
    {
        const int point = done_ % 253 + 1;
        comms_.SendPacket(writes_ ? WritePoint(point) : ReadPoint(point));
    }

    void Answered()
    {
        ++done_;
        if (--left_ > 0)
            SendNext();
        else
            loop_.quit();
    }

    std::shared_ptr<TPanelEmulator> emulator_;
    TZOLPanelComms comms_;
    QEventLoop loop_;
    bool writes_ = false;
    int left_ = 0;
    int done_ = 0;
    bool failed_ = false;
};

void Report(const char* name, bool ok, const TRun& run)
{
    const double floor = static_cast<double>(run.Bytes) * 10.0 / BitRate;
    std::printf("%-7s %s %4d exchanges  %7.3f s  %6lld bytes  floor %7.3f s  ratio %.3f\n", name,
                ok ? "ok    " : "FAILED", run.Exchanges, run.Seconds, static_cast<long long>(run.Bytes), floor,
                floor > 0 ? run.Seconds / floor : 0.0);
}

#ifdef Q_OS_UNIX
double CpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
           + static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Runs the event loop for ms and returns the share of one core used meanwhile.
double CoreShareDuring(int ms)
{
    const double before = CpuSeconds();
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
    return (CpuSeconds() - before) * 1000.0 / ms;
}

// The link trying to reach a panel that never answers, then the far end going away.
void MeasureWaiting()
{
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) {
        std::printf("waiting  skipped: no pseudo-terminal\n");
        return;
    }
    TZOLPanelComms comms;
    comms.Port().SetPortName(QString::fromLocal8Bit(::ptsname(master)));
    bool lost = false;
    comms.OnDeviceLost = [&lost](TCommPanel*) { lost = true; };
    if (!comms.Open()) {
        std::printf("waiting  skipped: %s\n", qPrintable(comms.OpenErrorText()));
        ::close(master);
        return;
    }
    // The tick keeps sending the handshake into the silent line, as during a real wait.
    const double silent = CoreShareDuring(3000);
    ::close(master);
    const double dead = CoreShareDuring(3000);
    std::printf("waiting  silent line %5.2f %% of a core, dead line %5.2f %% of a core, loss %s\n",
                silent * 100.0, dead * 100.0, lost ? "reported" : "NOT reported");
}
#endif

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int exchanges = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;

    TLinkBench bench;
    if (!bench.Connect()) {
        std::fprintf(stderr, "bench_link: no handshake with the emulated panel\n");
        return 1;
    }
    TRun reads;
    const bool readsOk = bench.Measure(false, exchanges, reads);
    Report("reads", readsOk, reads);
    TRun writes;
    const bool writesOk = bench.Measure(true, exchanges, writes);
    Report("writes", writesOk, writes);
#ifdef Q_OS_UNIX
    MeasureWaiting();
#endif
    return readsOk && writesOk ? 0 : 1;
}
