#pragma once

#include <QDialog>
#include <QString>

#include <array>

class QButtonGroup;
class QComboBox;
class QLabel;
class QTreeWidget;
class TPortSettings;

// "Select Comm Port ...": the choice of COM1..COM4 the panel is reached through and, beside
// it, the device each of those names stands for on this computer. The system's serial ports
// are listed with their description, maker and USB ids, so an engineer with a USB cable can
// pick it without knowing device names; "demo" is the emulated panel. Accept stores the
// choice as "Port" (1..4) and every mapping in the port settings.
class TCommSelectForm : public QDialog {
    Q_OBJECT

public:
    static constexpr int Choices = 4;

    TCommSelectForm(TPortSettings& settings, QWidget* parent = nullptr);

    // The chosen COM port, 1..4.
    int Choice() const;
    void SetChoice(int port);
    // The device typed or picked for the chosen port (not stored until Accept).
    QString ChosenDevice() const;

    // Re-reads the stored mappings and the system's port list (each time the dialog opens).
    void Reload();

    void accept() override;

private:
    void ChoiceChanged(int port);
    void DeviceEdited(const QString& text);
    void PortListActivated();
    void ListPorts();

    TPortSettings& settings_;
    QButtonGroup* choices_;
    QLabel* lblDevice_;
    QComboBox* cboDevice_;
    QTreeWidget* lstPorts_;
    std::array<QString, Choices> devices_;
    int shown_ = 1;
};
