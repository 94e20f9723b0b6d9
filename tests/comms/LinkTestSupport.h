#pragma once

#include "comms/MemorySerialDevice.h"
#include "comms/PanelEndpoint.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>
#include <memory>

// Timers and queued deliveries need an application object and its event loop.
inline void EnsureApp()
{
    static int argc = 1;
    static char name[] = "tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    (void)app;
}

// Runs the event loop until the condition holds or the time is up; returns the condition.
inline bool PumpUntil(const std::function<bool()>& done, int ms = 3000)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

inline void PumpFor(int ms)
{
    PumpUntil([] { return false; }, ms);
}

// A panel end that records what reaches it and sends what the test scripts.
class TScriptedPanel : public TPanelEndpoint {
public:
    void ReceiveFromTool(const QByteArray& bytes, const TLineSettings&) override
    {
        Received += bytes;
        if (AnswerWith)
            AnswerWith(bytes);
    }
    void Push(const QByteArray& bytes)
    {
        if (SendToTool)
            SendToTool(bytes);
    }

    QByteArray Received;
    std::function<void(const QByteArray&)> AnswerWith;
};

inline QByteArray B(std::initializer_list<int> bytes)
{
    QByteArray out;
    for (int b : bytes)
        out += static_cast<char>(b);
    return out;
}
