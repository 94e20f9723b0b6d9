#pragma once

#include <QDialog>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QStringList>

class QComboBox;
class QRadioButton;

// Where and how the report prints: a print queue (none: saved as a PDF file), the paper and
// its orientation.
struct TPrinterChoice {
    QString Queue;
    QPageSize Paper;
    QPageLayout::Orientation Orientation = QPageLayout::Portrait;
};

// "Printer Properties": the installed print queues (and saving as PDF), the paper and the
// orientation, starting from the current choice.
class TPrinterPropertiesDialog : public QDialog {
    Q_OBJECT

public:
    TPrinterPropertiesDialog(const TPrinterChoice& current, const QStringList& queues,
                             QWidget* parent = nullptr);

    TPrinterChoice Choice() const;

private:
    QComboBox* cboPrinter = nullptr;
    QComboBox* cboPaper = nullptr;
    QRadioButton* radPortrait = nullptr;
    QRadioButton* radLandscape = nullptr;
};
