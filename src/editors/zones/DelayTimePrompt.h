#pragma once

#include <QDialog>

class QCheckBox;
class TPrompts;

// The delay-limit warning of the zone page: "Total output delay cannot exceed" the maximum
// output delay in minutes, with "Do Not show this message again" and "OK".
class TfrmDelay_Time_Prompt : public QDialog {
    Q_OBJECT

public:
    TfrmDelay_Time_Prompt(TPrompts& prompts, int maxOutputDelaySeconds, QWidget* parent = nullptr);

    bool DoNotShowAgain() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    TPrompts& prompts_;
    QCheckBox* chkDoNotShow_;
};
