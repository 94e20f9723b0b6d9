#pragma once

#include <QDialog>

class QCheckBox;

// "Version Dependancy Message": the C&E choices that need newer panel firmware, with
// "Do Not show this message again" and "OK".
class TfrmVersionDependancy : public QDialog {
    Q_OBJECT

public:
    explicit TfrmVersionDependancy(QWidget* parent = nullptr);

    bool DoNotShowAgain() const;

private:
    QCheckBox* chkDoNotShow_;
};
