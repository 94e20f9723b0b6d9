#include "sim/PanelEmulator.h"

#include "comms/PanelComms.h"

#include <QDateTime>
#include <algorithm>

namespace {

constexpr qint64 FrameGapMs = 1000;  // a frame left unfinished this long is abandoned
constexpr int MaxText = 255;

QByteArray Bytes(const quint8* data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

template <std::size_t N>
QByteArray Bytes(const std::array<quint8, N>& block)
{
    return Bytes(block.data(), N);
}

QByteArray Le16(quint16 value)
{
    QByteArray b;
    b += static_cast<char>(value & 0xFF);
    b += static_cast<char>(value >> 8);
    return b;
}

quint8 At(const QByteArray& p, int i)
{
    return static_cast<quint8>(p[i]);
}

template <std::size_t N>
void CopyInto(std::array<quint8, N>& block, const QByteArray& p, int from)
{
    for (std::size_t i = 0; i < N; ++i)
        block[i] = At(p, from + static_cast<int>(i));
}

// A text sent as "text, 0x00": the terminator is not part of it.
QByteArray TextOf(const QByteArray& p, int from)
{
    QByteArray text = p.mid(from);
    const qsizetype nul = text.indexOf('\0');
    return nul >= 0 ? text.left(nul) : text;
}

QByteArray Version(const QByteArray& text)
{
    return text.left(TPanelMemory::VersionLength).leftJustified(TPanelMemory::VersionLength, ' ');
}

bool IsWrite(char letter)
{
    static const QByteArray writes("WJDF[lNjHLPRYUTnp^bvhft");
    return writes.contains(letter);
}

} // namespace

TPanelEmulator::TPanelEmulator()
{
    // A packet with a reply letter, well formed, that answers nothing the tool asked.
    QObject::connect(&chatter_, &QTimer::timeout, &context_,
                     [this] { Send(Reply('B', QByteArray(1, static_cast<char>(0xFF)))); });
}

void TPanelEmulator::StartChatter()
{
    if (Faults.ChatterEveryMs > 0)
        chatter_.start(Faults.ChatterEveryMs);
    else
        chatter_.stop();
}

void TPanelEmulator::ReceiveFromTool(const QByteArray& bytes, const TLineSettings& settings)
{
    if (Faults.ListenParity && settings.Parity != *Faults.ListenParity) {
        // Bytes at the wrong parity arrive as garbage: whatever frame was building is lost.
        frame_.clear();
        return;
    }
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (!frame_.isEmpty() && now - lastByteMs_ > FrameGapMs)
        frame_.clear();
    lastByteMs_ = now;
    for (char b : bytes)
        FeedByte(static_cast<quint8>(b));
}

void TPanelEmulator::FeedByte(quint8 b)
{
    if (frame_.isEmpty() && b != static_cast<quint8>(SOH))
        return;
    frame_ += static_cast<char>(b);
    // SOH, panel, letter, length, payload, checksum.
    if (frame_.size() >= 4 && frame_.size() == At(frame_, 3) + 5)
        FrameComplete();
}

void TPanelEmulator::FrameComplete()
{
    const QByteArray frame = frame_;
    frame_.clear();
    ++framesReceived_;
    ++framesSinceRestart_;
    if (OnFrame)
        OnFrame(true, frame);
    if (Faults.StopAfterFrames > 0 && framesSinceRestart_ > Faults.StopAfterFrames)
        return;
    const quint8 panel = At(frame, 1);
    const QByteArray body = frame.mid(1, frame.size() - 2);
    const QByteArray message = frame.mid(2, frame.size() - 3);
    if (ZolChecksum(body) != At(frame, frame.size() - 1)) {
        Send(Garble(QByteArray(1, NAK)));
        return;
    }
    if (message[0] != 'A' && Faults.OnlyPanelNumber >= 0 && panel != Faults.OnlyPanelNumber)
        return;
    Send(Garble(Answer(message)));
}

QByteArray TPanelEmulator::Garble(QByteArray answer)
{
    if (answer.isEmpty())
        return answer;
    ++answersSent_;
    auto every = [this](int k) { return k > 0 && answersSent_ % k == 0; };
    if (every(Faults.DuplicateEveryAnswer) || answersSent_ <= Faults.DuplicateFirstAnswers)
        answer += answer;
    if (every(Faults.NoiseEveryAnswer))
        answer.prepend(static_cast<char>(Faults.NoiseByte));
    if (Faults.RepeatEveryAnswer > 0 && ++repeats_ % Faults.RepeatEveryAnswer == 0)
        QTimer::singleShot(std::max(Faults.RepeatAfterMs, 0), Qt::PreciseTimer, &context_,
                           [this, answer] { Send(answer); });
    return answer;
}

void TPanelEmulator::Restart()
{
    frame_.clear();
    held_.clear();
    framesSinceRestart_ = 0;
}

void TPanelEmulator::Send(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return;
    if (OnFrame)
        OnFrame(false, bytes);
    if (SendToTool)
        SendToTool(bytes);
}

QByteArray TPanelEmulator::Reply(char letter, const QByteArray& payload)
{
    QByteArray packet(1, letter);
    const QByteArray body = payload.left(MaxText);
    packet += static_cast<char>(body.size());
    packet += body;
    quint8 sum = ZolChecksum(packet);
    ++repliesSent_;
    if (Faults.CorruptEveryReply > 0 && repliesSent_ % Faults.CorruptEveryReply == 0)
        sum = static_cast<quint8>(sum ^ 0xFF);
    packet += static_cast<char>(sum);
    return packet;
}

QByteArray TPanelEmulator::Answer(const QByteArray& message)
{
    if (message.size() < 2 || message.size() != At(message, 1) + 2)
        return QByteArray(1, NAK);
    ++messagesCounted_;
    if (Faults.DropEveryRequest > 0 && messagesCounted_ % Faults.DropEveryRequest == 0)
        return std::exchange(held_, {});
    const char letter = message[0];
    const QByteArray payload = message.mid(2);
    if (letter == 'A') {
        ++handshakesReceived_;
        if (handshakesReceived_ <= Faults.SilentHandshakes)
            return {};
        held_.clear();
        return Reply('A', {});
    }
    if (IsWrite(letter)) {
        if (Faults.LoseEveryWrite > 0 && ++lostWrites_ % Faults.LoseEveryWrite == 0)
            return std::exchange(held_, {});
        ++writesReceived_;
        if (Faults.NakEveryWrite > 0 && writesReceived_ % Faults.NakEveryWrite == 0)
            return Delay(QByteArray(1, NAK));
        if (Faults.ForgetEveryWrite > 0 && writesReceived_ % Faults.ForgetEveryWrite == 0)
            return Delay(QByteArray(1, ACK));
        const QByteArray answer = AnswerWrite(letter, payload);
        if (answer == QByteArray(1, ACK) && OnMemoryChanged)
            OnMemoryChanged();
        return Delay(answer);
    }
    return Delay(AnswerRead(letter, payload));
}

QByteArray TPanelEmulator::Delay(const QByteArray& answer)
{
    QByteArray out = std::exchange(held_, {});
    ++answersCounted_;
    if (Faults.LateEveryAnswer > 0 && answersCounted_ % Faults.LateEveryAnswer == 0)
        held_ = answer;
    else
        out += answer;
    return out;
}

QByteArray TPanelEmulator::AnswerWrite(char letter, const QByteArray& p)
{
    TPanelMemory& m = memory_;
    const int n = static_cast<int>(p.size());
    bool ok = true;
    switch (letter) {
    case 'W':
        ok = n == 1;
        if (ok)
            m.Protocol = At(p, 0);
        break;
    case 'J':
        ok = n == 11 && (At(p, 1) == 1 || At(p, 1) == 2);
        if (ok)
            CopyInto(m.Points[At(p, 1)][At(p, 0)], p, 2);
        break;
    case 'D': {
        ok = n >= 3;
        const int index = ok ? At(p, 0) | At(p, 1) << 8 : -1;
        if (index == 999) {
            // End of the list: what follows the last entry written is gone.
            if (lastNameWritten_ >= 0)
                m.Names.resize(static_cast<std::size_t>(lastNameWritten_) + 1);
            lastNameWritten_ = -1;
        } else if (ok && index < TPanelMemory::MaxNames) {
            if (static_cast<int>(m.Names.size()) <= index)
                m.Names.resize(static_cast<std::size_t>(index) + 1);
            m.Names[static_cast<std::size_t>(index)] = TextOf(p, 2);
            lastNameWritten_ = index;
        } else if (ok && TextOf(p, 2).isEmpty()) {
            // The empty record after a full table of 256 names: there is no room for it and
            // nothing to keep, so it is accepted and the table stays as it is.
        } else {
            ok = false;
        }
        break;
    }
    case 'F':
        ok = n >= 1 && At(p, 0) <= 40;
        if (ok)
            m.ZoneNames[At(p, 0)] = TextOf(p, 1);
        break;
    case '[':
        ok = n == 20 && At(p, 0) <= 40;
        if (ok)
            CopyInto(m.ZoneData[At(p, 0)], p, 1);
        break;
    case 'l':
        ok = n == 40;
        if (ok)
            CopyInto(m.NonFireFlags, p, 0);
        break;
    case 'N':
        ok = n == 22 && At(p, 0) <= 40;
        if (ok) {
            CopyInto(m.Groups[At(p, 0)], p, 1);
            m.PulsedTone = At(p, 19);
            m.ContinuousTone = At(p, 20);
            m.ReSound = At(p, 21);
        }
        break;
    case 'j':
        // Written as sets 17, 18, 1..16; kept (and read) as 1..18.
        ok = n == 21 && At(p, 0) <= 40;
        if (ok) {
            auto& sets = m.Sets[At(p, 0)];
            for (int i = 0; i < 16; ++i)
                sets[static_cast<std::size_t>(i)] = At(p, 3 + i);
            sets[16] = At(p, 1);
            sets[17] = At(p, 2);
            m.SetDelay = static_cast<quint16>(At(p, 19) | At(p, 20) << 8);
        }
        break;
    case 'H':
        m.MaintenanceText = TextOf(p, 0);
        break;
    case 'L':
        ok = n >= 3;
        if (ok)
            CopyInto(m.MaintenanceDate, p, 0);
        break;
    case 'P':
        ok = n == 2;
        if (ok)
            m.Level2Code = static_cast<quint16>(At(p, 0) | At(p, 1) << 8);
        break;
    case 'R':
        ok = n == 6;
        if (ok)
            CopyInto(m.Level3, p, 0);
        break;
    case 'Y':
        ok = n == 1;
        if (ok)
            m.FaultLockout = At(p, 0);
        break;
    case 'U':
        ok = n == 6;
        if (ok)
            CopyInto(m.Clock, p, 0);
        break;
    case 'T':
        ok = n == 6;
        if (ok)
            CopyInto(m.PhasedDelays, p, 0);
        break;
    case 'n':
        m.QuiescentText = TextOf(p, 0);
        break;
    case 'p':
        // The recalibration time is written hour first and kept (and read) minute first.
        ok = n == 10;
        if (ok) {
            CopyInto(m.Times, p, 0);
            std::swap(m.Times[4], m.Times[5]);
        }
        break;
    case '^':
        ok = n >= 1 && At(p, 0) >= 1 && At(p, 0) <= 8;
        if (ok)
            m.NetworkNames[At(p, 0)] = TextOf(p, 1);
        break;
    case 'b':
        ok = n == 2 && At(p, 0) >= 1 && At(p, 0) <= 8;
        if (ok)
            m.NetworkFitted[At(p, 0)] = At(p, 1);
        break;
    case 'v':
        ok = n == 8;
        if (ok)
            CopyInto(m.NetworkMatrix, p, 0);
        break;
    case 'h':
        m.PanelName = p;
        break;
    case 'f':
        ok = n == 1;
        if (ok)
            m.Segment = At(p, 0);
        break;
    case 't':
        ok = n == 12 && At(p, 0) >= 1 && At(p, 0) <= 16;
        if (ok)
            CopyInto(m.CEEvents[At(p, 0)], p, 1);
        break;
    default:
        ok = false;
        break;
    }
    return QByteArray(1, ok ? ACK : NAK);
}

QByteArray TPanelEmulator::AnswerRead(char letter, const QByteArray& p)
{
    TPanelMemory& m = memory_;
    const int n = static_cast<int>(p.size());
    const QByteArray nak(1, NAK);
    switch (letter) {
    case 'B':
        return Reply(letter, QByteArray(1, static_cast<char>(m.NvmLinkFitted ? 0xFF : 0x00)));
    case '\\':
        return Reply(letter, Version(m.MainVersion) + Version(m.Loop1Version) + Version(m.Loop2Version)
                                 + Version(m.FrontPanelVersion));
    case 'V': {
        QByteArray b;
        b += static_cast<char>(m.Protocol);
        b += static_cast<char>(m.LoopCount);
        return Reply(letter, b);
    }
    case 'I': {
        if (n != 2 || At(p, 1) > 1)
            return nak;
        return Reply(letter, p + Bytes(m.Points[At(p, 1) + 1][At(p, 0)]));
    }
    case 'C': {
        if (n < 1)
            return nak;
        const std::size_t index = At(p, 0);
        return Reply(letter, index < m.Names.size() ? m.Names[index] : QByteArray());
    }
    case 'E':
        if (n != 1 || At(p, 0) > 40)
            return nak;
        return Reply(letter, m.ZoneNames[At(p, 0)]);
    case 'Z':
        if (n != 1 || At(p, 0) > 40)
            return nak;
        return Reply(letter, Bytes(m.ZoneData[At(p, 0)]));
    case 'M': {
        // Index 41 only ends the tool's read; it is answered with an empty zone.
        if (n != 1 || At(p, 0) > 41)
            return nak;
        const TPanelMemory::TBlock<18> groups = At(p, 0) <= 40 ? m.Groups[At(p, 0)] : TPanelMemory::TBlock<18>{};
        const std::array<quint8, 3> tail{m.PulsedTone, m.ContinuousTone, m.ReSound};
        return Reply(letter, Bytes(groups) + Bytes(tail));
    }
    case 'i': {
        if (n != 1 || At(p, 0) > 41)
            return nak;
        const TPanelMemory::TBlock<18> sets = At(p, 0) <= 40 ? m.Sets[At(p, 0)] : TPanelMemory::TBlock<18>{};
        return Reply(letter, Bytes(sets) + Le16(m.SetDelay));
    }
    case 'G':
        return Reply(letter, m.MaintenanceText);
    case 'K':
        return Reply(letter, Bytes(m.MaintenanceDate));
    case 'O':
        return Reply(letter, Le16(m.Level2Code));
    case 'Q':
        return Reply(letter, Bytes(m.Level3));
    case 'X':
    case 'e':
        return Reply(letter, {});
    case 'S':
        return Reply(letter, Bytes(m.PhasedDelays));
    case 'm':
        return Reply(letter, m.QuiescentText);
    case 'o':
        return Reply(letter, Bytes(m.Times));
    case ']':
        if (n != 1 || At(p, 0) < 1 || At(p, 0) > 8)
            return nak;
        return Reply(letter, m.NetworkNames[At(p, 0)]);
    case 'a':
        if (n != 1 || At(p, 0) < 1 || At(p, 0) > 8)
            return nak;
        return Reply(letter, QByteArray(1, static_cast<char>(m.NetworkFitted[At(p, 0)])));
    case 'u':
        return Reply(letter, Bytes(m.NetworkMatrix));
    case 'g':
        return Reply(letter, m.PanelName);
    case 's':
        if (n != 1 || At(p, 0) < 1 || At(p, 0) > 16)
            return nak;
        return Reply(letter, Bytes(m.CEEvents[At(p, 0)]));
    case 'q': {
        // With the clear flag the panel hands over its oldest event and forgets it.
        if (n != 3)
            return nak;
        if (At(p, 2) != 0) {
            if (m.Events.empty())
                return Reply(letter, {});
            const QByteArray event = m.Events.front();
            m.Events.pop_front();
            if (OnMemoryChanged)
                OnMemoryChanged();
            return Reply(letter, event);
        }
        const std::size_t number = At(p, 0) | At(p, 1) << 8;
        return Reply(letter, number < m.Events.size() ? m.Events[number] : QByteArray());
    }
    default:
        return nak;
    }
}
