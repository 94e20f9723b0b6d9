#pragma once

#include "editors/devices/DeviceDialogResult.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class TQEMLoop;
struct TEditorContext;

// "Device Configuration": the description, zone (group or set) and, for detectors and
// sounders, the options frame (sensitivities or volumes, multi-sensor mode, remote LED,
// base sounder) of one loop address. Writes into the loop on "Accept", "Next ->" and
// "<- Prev"; "Cancel" writes nothing.
class TDeviceConfig : public QDialog {
    Q_OBJECT

public:
    explicit TDeviceConfig(TEditorContext& context, QWidget* parent = nullptr);

    // Loads address of loop (1 or 2). An address above the loop's points opens on 1, one of 0
    // or below on the last.
    void Open(int loop, int address);
    int Address() const { return address_; }
    // False for an empty or unsupported point, which opens with editing disabled.
    bool Editable() const { return editable_; }
    // Writes the dialog's values into the point (nothing for an empty or unsupported one).
    void Save();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Build();
    TQEMLoop& Loop() const;
    void LoadOptions();
    void SetRange(int minimum, int maximum);
    void ShowBaseSounderGroup();
    void ChooseName();
    void Finish(TDeviceDialogResult result);

    TEditorContext& context_;
    int loop_ = 1;
    int address_ = 1;
    bool editable_ = false;
    bool levelsShown_ = false;
    bool baseSounderOffered_ = false;
    // The name-table index last chosen through "Device Name", -1 when none.
    int chosenNameIndex_ = -1;

    QLabel* lblAddress_ = nullptr;
    QLabel* lblType_ = nullptr;
    QLineEdit* txtName_ = nullptr;
    QPushButton* btnChooseName_ = nullptr;
    QLabel* lblZone_ = nullptr;
    QComboBox* cmbZone_ = nullptr;
    QStackedWidget* options_ = nullptr;
    QGroupBox* grpLevels_ = nullptr;
    QSpinBox* spnDay_ = nullptr;
    QSpinBox* spnNight_ = nullptr;
    QLabel* lblLegend_ = nullptr;
    QLabel* lblMode_ = nullptr;
    QComboBox* cmbMode_ = nullptr;
    QCheckBox* chkRemoteLED_ = nullptr;
    QCheckBox* chkBaseSounder_ = nullptr;
    QLabel* lblIn_ = nullptr;
    QComboBox* cmbBaseSounderGroup_ = nullptr;
};
