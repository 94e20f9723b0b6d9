#pragma once

#include "editors/common/Page.h"
#include "editors/site/FieldExitChecks.h"

#include <QList>
#include <QString>

#include <functional>

class QCheckBox;
class QDateTime;
class QGridLayout;
class QLabel;
class QLineEdit;
struct TSiteConfig;
enum class TClockPart;

// "Site Config": client and installer details, display texts, maintenance date, access
// codes, day/night change-over, recalibration time, the PC clock and the panel options that
// depend on the panel's firmware.
class TfrmSiteConfig : public TPage {
    Q_OBJECT

public:
    explicit TfrmSiteConfig(TEditorContext& context, QWidget* parent = nullptr);

    void Refresh() override;
    // The main window's one-second clock: the PC's time and date in the clock fields.
    void SetClock(const QDateTime& now);
    // A field refused to be left and its check is reporting why.
    bool FieldCheckFailing() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using TTextValue = std::function<QString&(TSiteConfig&)>;
    struct TTextField {
        QLineEdit* Edit;
        TTextValue Value;
    };
    struct TFlagBox {
        QCheckBox* Box;
        std::function<bool&(TSiteConfig&)> Value;
    };
    struct TClockField {
        QLineEdit* Edit;
        TTextValue Value;
        bool StepsMinutes;
    };

    QWidget* BuildClientBox();
    QWidget* BuildInstallerBox();
    QWidget* BuildPanelBox();
    QWidget* BuildDisplayBox();
    QWidget* BuildAccessBox();
    QWidget* BuildDayNightBox();
    QWidget* BuildFirmwareBox();

    QLineEdit* AddText(QGridLayout* grid, int row, const QString& caption, const QString& name,
                       int limit, TTextValue value);
    QCheckBox* AddFlag(const QString& caption, const QString& name,
                       std::function<bool&(TSiteConfig&)> value);
    QLineEdit* AddClockTime(QGridLayout* grid, int row, const QString& caption,
                            const QString& name, const QString& what, bool stepsMinutes,
                            TTextValue value);
    void AddWeekdays(QGridLayout* grid, int row, const QString& prefix, const QString& what,
                     bool night);
    QLineEdit* AddAccessCode(QGridLayout* grid, int row, QLabel* label, const QString& name,
                             int level);

    void StepClock(const TClockField& field, TClockPart part, int delta);
    void ShowKeyswitchState();
    TFieldExitChecks::TReport LeaveAccessCode(int level);
    TFieldExitChecks::TReport LeaveMaintenanceDate();

    TFieldExitChecks* checks_;
    QList<TTextField> texts_;
    QList<TFlagBox> flags_;
    QList<TClockField> clocks_;
    QList<QCheckBox*> dayBoxes_;
    QList<QCheckBox*> nightBoxes_;

    QLineEdit* txtMaintenanceDate_ = nullptr;
    QCheckBox* chkSendMaintenanceDate_ = nullptr;
    QLabel* lblAL2Code_ = nullptr;
    QLineEdit* txtAL2Code_ = nullptr;
    QLineEdit* txtAL3Code_ = nullptr;
    QCheckBox* chkKeyswitch_ = nullptr;
    QLineEdit* txtFirmwareVersion_ = nullptr;
    QLabel* lblClockTime_ = nullptr;
    QLabel* lblClockDate_ = nullptr;
    QCheckBox* chkBSTAdjustment_ = nullptr;
    QCheckBox* chkPollingLED_ = nullptr;
    QCheckBox* chkRealTimeEvents_ = nullptr;
};
