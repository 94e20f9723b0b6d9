#pragma once

#include "comms/ComPortTypes.h"

#include <QByteArray>
#include <functional>

// The panel's end of the in-memory line. The emulator implements it; comms only knows this
// interface, so the link layers never depend on the emulator.
class TPanelEndpoint {
public:
    virtual ~TPanelEndpoint() = default;

    // Bytes from the tool reaching the panel, with the line settings they were sent with.
    virtual void ReceiveFromTool(const QByteArray& bytes, const TLineSettings& settings) = 0;
    // Bit rate whose wire time the line emulates: each byte costs 10 bit times in each
    // direction. 0 = no wire time (answers come on the next turn of the event loop).
    virtual int WireBitRate() const { return 0; }

    // The panel sends through this. The in-memory backend installs it while it is open and
    // queues what it gets; calling it from inside ReceiveFromTool is allowed.
    std::function<void(const QByteArray& bytes)> SendToTool;
};
