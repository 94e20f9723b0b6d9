#pragma once

#include "model/Zones.h"

#include <QDialog>

class QComboBox;
class QLabel;
class TData;
class TPrompts;
class TTimeSpinButton;

// "Dependency Options" of one zone: the day and night option with their detector and alarm
// reset times. Accept stores them into the zone; Cancel stores nothing.
class TfrmDependancy : public QDialog {
    Q_OBJECT

public:
    TfrmDependancy(TData& data, TPrompts& prompts, int zone, QWidget* parent = nullptr);

    QComboBox* OptionList(bool day) const { return Row(day).Option; }
    TTimeSpinButton* DetectorSpin(bool day) const { return Row(day).Detector; }
    TTimeSpinButton* AlarmSpin(bool day) const { return Row(day).Alarm; }

    void Accept();

private:
    struct TRow {
        QComboBox* Option = nullptr;
        TTimeSpinButton* Detector = nullptr;
        TTimeSpinButton* Alarm = nullptr;
        TDependancyRowLimits Limits;
        int StoredOption = 0;
        explicit TRow(bool day) : Limits(day) {}
    };

    const TRow& Row(bool day) const { return day ? day_ : night_; }
    void BuildRow(TRow& row, bool day, int gridRow, class QGridLayout* grid);
    // Enables the spins the row's option uses and applies its limits to them.
    void ApplyRules(TRow& row);
    int ChosenOption(const TRow& row) const;

    TData& data_;
    int zone_;
    TRow day_{true};
    TRow night_{false};
};
