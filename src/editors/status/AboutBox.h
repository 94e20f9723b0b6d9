#pragma once

#include <QDialog>

class QLabel;

// "About": the product name, the version line the main window sets before showing it, and OK.
// A click on the one-character label at its foot switches on the hidden diagnostic fields.
class TAboutBox : public QDialog {
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* parent = nullptr);

    void SetVersion(const QString& text);

signals:
    void DiagnosticsRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* lblVersion_;
    QLabel* lblDiagnostics_;
};
