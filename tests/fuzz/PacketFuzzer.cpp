// The packet layer on any byte stream, in chunks of any size: only whole packets with a good
// checksum are handed on, and the receive buffer stays within one packet.
#include "FuzzSupport.h"

#include "comms/MemorySerialDevice.h"
#include "comms/PanelComms.h"
#include "comms/ZOLPanelComms.h"
#include "sim/PanelEmulator.h"

namespace {

// The receive path as the port drives it.
class TFedComms : public TZOLPanelComms {
public:
    void Feed(const QByteArray& bytes) { PortReceiveData(nullptr, bytes.constData(), int(bytes.size())); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzApplication();
    if (size < 2)
        return 0;
    TFedComms comms;
    comms.Port().SetDevice(std::make_unique<TMemorySerialDevice>(std::make_shared<TPanelEmulator>()));
    comms.Suspended = true;
    comms.HandshakeStage = static_cast<quint8>(data[0] % 4);
    comms.HandshakeDone = data[0] & 4;
    comms.IsASCIIOnly = (data[0] & 0x18) == 0x18;
    const int chunk = 1 + data[1] % 32;
    comms.OnPacketReceived = [](TPanelComms*, char letter, const QByteArray& packet) {
        FUZZ_CHECK(packet.size() >= 3);
        FUZZ_CHECK(packet[0] == letter);
        // Checked as the stage it arrived in reads it (a packet before the handshake may
        // move the stage on before it is handed over).
        FUZZ_CHECK(PacketChecksumOK(packet, 0) || PacketChecksumOK(packet, -1));
    };
    const QByteArray stream = FuzzBytes(data + 2, size - 2);
    for (qsizetype at = 0; at < stream.size(); at += chunk) {
        comms.Feed(stream.mid(at, chunk));
        FUZZ_CHECK(comms.RxBuffer().size() <= 258);
    }
    return 0;
}
