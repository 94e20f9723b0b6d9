#pragma once

#include "editors/devices/ChannelSetting.h"
#include "editors/devices/DeviceDialogResult.h"
#include "model/IndexedArray.h"

#include <QDialog>

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class TQEMLoop;
struct TEditorContext;

// "I/O Configuration": the four sub-addresses of a multi-channel input/output unit, each an
// input, an output or not used, with its channel, zone (set or group) and description. The
// dialog edits a copy of the point's eight option bytes and four descriptions and writes
// them back on "Accept", "Next ->" and "<- Prev".
class TIOConfig : public QDialog {
    Q_OBJECT

public:
    static constexpr int SubAddresses = 4;

    explicit TIOConfig(TEditorContext& context, QWidget* parent = nullptr);

    void Open(int loop, int address);
    int Address() const { return address_; }
    // The channel setting byte of sub-address 0..3 as the dialog holds it.
    int Setting(int subAddress) const;
    void Save();

    // The panel of the eight option words in base 2 (a diagnostic switched on from the
    // about box).
    static void SetDiagnosticsVisible(bool visible);
    static bool DiagnosticsVisible();

private:
    struct TRow {
        QComboBox* Use = nullptr;
        QComboBox* Channel = nullptr;
        QComboBox* Number = nullptr;
        QLineEdit* Description = nullptr;
    };

    void Build();
    TQEMLoop& Loop() const;
    void FillRow(int sub);
    void UseChosen(int sub, int index);
    void ChannelChosen(int sub, int index);
    void NumberChosen(int sub, int index);
    void ShowOptionWords();
    void Finish(TDeviceDialogResult result);

    TEditorContext& context_;
    int loop_ = 1;
    int address_ = 1;
    bool groups_ = false;
    TIndexedArray<int, 1, 8> options_;
    std::array<TRow, SubAddresses> rows_;
    QLineEdit* txtAddress_ = nullptr;
    QLineEdit* txtType_ = nullptr;
    QGroupBox* grpOptionWords_ = nullptr;
    std::array<QLabel*, 8> optionWords_{};
};
