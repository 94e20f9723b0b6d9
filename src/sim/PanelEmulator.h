#pragma once

#include "comms/PanelEndpoint.h"
#include "sim/PanelMemory.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <functional>
#include <optional>

// Faults the emulated panel can be told to make. A count k means every k-th; 0 means never.
struct TEmulatorFaults {
    int NakEveryWrite = 0;       // answer every k-th write with NAK (nothing stored)
    int DropEveryRequest = 0;    // no answer at all to every k-th message
    int CorruptEveryReply = 0;   // wrong checksum on every k-th packet reply
    int SilentHandshakes = 0;    // the first k handshakes go unanswered
    int LateEveryAnswer = 0;     // hold every k-th answer back and send it just before the
                                 // answer to the next message (a busy panel answering after
                                 // the tool's time-out)
    int DuplicateEveryAnswer = 0;  // send every k-th answer twice, back to back
    int DuplicateFirstAnswers = 0; // send each of the first k answers twice
    int NoiseEveryAnswer = 0;      // put NoiseByte in front of every k-th answer
    quint8 NoiseByte = 0x15;       // NAK: the worst a noisy line can make of one byte
    int RepeatEveryAnswer = 0;     // send every k-th answer again, RepeatAfterMs later, as a
    int RepeatAfterMs = 20;        // delivery of its own (a panel or repeater repeating itself)
    int ChatterEveryMs = 0;        // a well-formed packet nobody asked for, this often
    int LoseEveryWrite = 0;        // every k-th write never reaches the panel (no answer)
    int ForgetEveryWrite = 0;      // every k-th write is acknowledged and not stored
    int StopAfterFrames = 0;       // answer nothing after this many frames (until Restart)
    int OnlyPanelNumber = -1;    // answer only frames to this panel number (-1: any); the
                                 // handshake, always sent to panel 0, is answered regardless
    // Understand only bytes sent at this parity (others arrive garbled and are ignored).
    std::optional<TComPortParity> ListenParity;
};

// The panel side of the whole message catalogue against a memory of its own. Frames from the
// tool (SOH, panel number, letter, length, payload, checksum) are answered with packets
// (letter, length, payload, checksum) for reads and ACK or NAK for writes.
//
// In-process: give it to a TMemorySerialDevice (or register it as the "demo" port, see
// sim/DemoPanel.h). On a pseudo-terminal: TPtyPanel, as zolpanel-sim does.
class TPanelEmulator : public TPanelEndpoint {
public:
    TPanelEmulator();

    void ReceiveFromTool(const QByteArray& bytes, const TLineSettings& settings) override;
    int WireBitRate() const override { return bitRate_; }
    // Emulate the wire time of this bit rate (10 bit times per byte each way); 0 = none.
    void SetWireBitRate(int bitsPerSecond) { bitRate_ = bitsPerSecond; }

    TPanelMemory& Memory() { return memory_; }
    const TPanelMemory& Memory() const { return memory_; }
    TEmulatorFaults Faults;

    // Every complete frame from the tool and every answer, as raw bytes.
    std::function<void(bool fromTool, const QByteArray& bytes)> OnFrame;
    // Called after every accepted write (for saving the memory).
    std::function<void()> OnMemoryChanged;

    // Counts, for tests and the log.
    int FramesReceived() const { return framesReceived_; }
    int HandshakesReceived() const { return handshakesReceived_; }
    int WritesReceived() const { return writesReceived_; }

    // The panel starts again (power cycle): a frame half received, a held answer and the
    // count of StopAfterFrames are forgotten; the memory is kept.
    void Restart();
    // Starts (or stops, at 0) the stray packets of Faults.ChatterEveryMs.
    void StartChatter();

    // The answer to one message (letter, length, payload) to this panel, as it would go on the
    // line, faults included; empty when the panel stays silent.
    QByteArray Answer(const QByteArray& message);

private:
    void FeedByte(quint8 b);
    void FrameComplete();
    void Send(const QByteArray& bytes);
    QByteArray Reply(char letter, const QByteArray& payload);
    QByteArray AnswerWrite(char letter, const QByteArray& payload);
    QByteArray AnswerRead(char letter, const QByteArray& payload);
    QByteArray Delay(const QByteArray& answer);
    // Doubles or prefixes an answer as the line faults say.
    QByteArray Garble(QByteArray answer);

    TPanelMemory memory_;
    int bitRate_ = 0;
    QByteArray frame_;
    qint64 lastByteMs_ = 0;
    int framesReceived_ = 0;
    int handshakesReceived_ = 0;
    int writesReceived_ = 0;
    int messagesCounted_ = 0;
    int repliesSent_ = 0;
    int lastNameWritten_ = -1;
    int answersCounted_ = 0;
    QByteArray held_;  // a late answer, sent with the next one
    int repeats_ = 0;
    int lostWrites_ = 0;
    QTimer chatter_;
    QObject context_;  // the delayed repeats die with the emulator
    int framesSinceRestart_ = 0;
    int answersSent_ = 0;
};
