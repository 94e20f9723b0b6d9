#pragma once

#include "editors/common/Page.h"
#include "model/Data.h"
#include "model/IndexedArray.h"
#include "model/Zones.h"

#include <QCheckBox>
#include <QLineEdit>

#include <functional>

class QLabel;
class TTimeSpinButton;

// A check box of the zone table: yellow while it has the focus.
class TFocusCheckBox : public QCheckBox {
    Q_OBJECT
public:
    using QCheckBox::QCheckBox;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

// The read-only dependency field of a zone row: a click, Enter or Space opens the dialog.
class TDependancyField : public QLineEdit {
    Q_OBJECT
public:
    explicit TDependancyField(QWidget* parent = nullptr);

signals:
    void Activated();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// "Zone Config": per zone its description, what it functions with, its dependency options
// and four output delays, and the two investigation times. Warns when a zone using the
// Investigation option gets a total output delay above the maximum.
class TfrmZoneConfig : public TPage {
    Q_OBJECT

public:
    explicit TfrmZoneConfig(TEditorContext& context, QWidget* parent = nullptr);

    void Refresh() override;

    // Opens the dependency dialog of zone 1..32 and refreshes the page after it.
    void EditDependancy(int zone);

    // Controls of row 1..40 (null where the row has none), for the main window and tests.
    QLineEdit* Description(int zone) const { return rows_[zone].Description; }
    TTimeSpinButton* SounderSpin(int zone) const { return rows_[zone].Sounders; }
    TTimeSpinButton* OutputSpin(int zone) const { return rows_[zone].Outputs; }
    TTimeSpinButton* Relay1Spin(int zone) const { return rows_[zone].Relay1; }
    TTimeSpinButton* Relay2Spin(int zone) const { return rows_[zone].Relay2; }
    QCheckBox* DetectorsBox(int zone) const { return rows_[zone].Detectors; }
    QCheckBox* MCPsBox(int zone) const { return rows_[zone].MCPs; }
    QCheckBox* EndDelaysBox(int zone) const { return rows_[zone].EndDelays; }
    TDependancyField* DependancyField(int zone) const { return rows_[zone].Dependancy; }
    TTimeSpinButton* InvestigationPeriodSpin() const { return spnInvestigationPeriod_; }
    TTimeSpinButton* InputDelaySpin() const { return spnInputDelay_; }
    // Whether the spin's text is red (total output delay too long).
    static bool ShowsTooLong(const TTimeSpinButton* spin);
    // The "Do Not show this message again" choice of the delay prompt, for this session.
    bool DelayPromptSuppressed() const { return delayPromptSuppressed_; }

private:
    struct TRow {
        QLabel* Label = nullptr;
        QLineEdit* Description = nullptr;
        TFocusCheckBox* Detectors = nullptr;
        TFocusCheckBox* MCPs = nullptr;
        TDependancyField* Dependancy = nullptr;
        TTimeSpinButton* Sounders = nullptr;
        TTimeSpinButton* Outputs = nullptr;
        TTimeSpinButton* Relay1 = nullptr;
        TTimeSpinButton* Relay2 = nullptr;
        TFocusCheckBox* EndDelays = nullptr;
        bool DependancyHighlighted = false;
        bool SoundersRed = false;
        bool OutputsRed = false;
    };

    void BuildRow(int zone, class QGridLayout* grid, int gridRow);
    TTimeSpinButton* MakeDelaySpin(int zone, const QString& column, const QString& objectName);
    void ShowDependancy(int zone);
    // Colours the sounder and output spins of a zone; true when either is too long.
    bool CheckRow(int zone);
    void ShowDelayPrompt();
    // One edit of the page: write changes parts, named label for undo.
    void Edited(TDocParts parts, const QString& label, const std::function<void()>& write);

    TIndexedArray<TRow, 1, MaxZone> rows_;
    TTimeSpinButton* spnInvestigationPeriod_ = nullptr;
    TTimeSpinButton* spnInputDelay_ = nullptr;
    bool delayPromptSuppressed_ = false;
    bool promptOpen_ = false;
};
