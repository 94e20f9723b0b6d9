#pragma once

#include <QString>

#include <memory>
#include <optional>

class QSettings;

// The serial port choice and the device behind each port name, in the per-user settings
// store (organisation "Brenmoor", application "QEM Tools"). Port names are COM1..COM8 as the
// engineer knows them; each maps to a device path (/dev/ttyS0../dev/ttyS7 unless changed).
class TPortSettings {
public:
    static constexpr int MaxComPort = 8;
    static inline const QString DemoPort = QStringLiteral("demo");

    // The user's own store.
    TPortSettings();
    // Another store (tests).
    explicit TPortSettings(QSettings& store);
    ~TPortSettings();

    // The stored choice "Port", 1 when there is none.
    int StoredPort() const;
    // What a stored choice selects: 1, 2 and 3 select COM1..COM3; 4, 5 and 6 select COM4;
    // anything else leaves the port as it is (no value).
    static std::optional<int> ComPortForChoice(int stored);
    // The port dialog's accepted choice, 1 to 4.
    void SavePortChoice(int port);

    QString DevicePath(int comPort) const;
    void SetDevicePath(int comPort, const QString& path);
    // The device a port name stands for: "COMn" maps through the store, "demo" and full
    // device paths stay as they are.
    QString ResolvePortName(const QString& name) const;

private:
    std::unique_ptr<QSettings> own_;
    QSettings& store_;
};
