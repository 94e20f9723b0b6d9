#pragma once

#include "comms/WirePacer.h"
#include "sim/PanelEmulator.h"

#include <QSocketNotifier>
#include <QString>
#include <memory>

// Runs an emulator on the master side of a pseudo-terminal; the tool opens the slave side
// (DeviceName) like any serial port. Wire time, when the emulator asks for it, is kept here.
class TPtyPanel {
public:
    explicit TPtyPanel(std::shared_ptr<TPanelEmulator> emulator);
    ~TPtyPanel();
    TPtyPanel(const TPtyPanel&) = delete;
    TPtyPanel& operator=(const TPtyPanel&) = delete;

    bool Start(QString* error = nullptr);
    // The device path to open, e.g. /dev/pts/3.
    QString DeviceName() const { return deviceName_; }
    // A symbolic link at path pointing to the device (replacing an old link there).
    bool LinkAt(const QString& path, QString* error = nullptr);

    TPanelEmulator& Emulator() { return *emulator_; }
    // The panel restarts: its end of the line closes (the tool sees the device go) and opens
    // again as a new device, at the same link path when there is one.
    bool Restart(QString* error = nullptr);

private:
    void CloseEnd();
    void ReadMaster();
    void WriteMaster(const QByteArray& bytes);

    std::shared_ptr<TPanelEmulator> emulator_;
    int master_ = -1;
    int slaveKeeper_ = -1;
    QString deviceName_;
    QString link_;
    std::unique_ptr<QSocketNotifier> notifier_;
    TWirePacer toPanel_;
    TWirePacer toTool_;
};
