#pragma once

#include "reports/PrintSelection.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;
class TPreviewPrinter;
class TPrompts;
class TReports;
struct TEditorContext;
struct TPrintChoice;

// "Select Print Options.": chooses the report sections and the loop options, then prints at
// once or previews the same pages. Created once; its choices last between showings, and
// each showing gates the output-set and network options on the panel software version.
class TfrmPrint : public QDialog {
    Q_OBJECT

public:
    explicit TfrmPrint(TEditorContext& context, QWidget* parent = nullptr);
    ~TfrmPrint() override;

    const TPrintSelection& Selection() const { return selection_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();
    // Loads every control from the selection.
    void Refresh();
    QCheckBox* AddCheck(const char* name, const QString& caption, bool TPrintSelection::*option);
    QRadioButton* AddRadio(QGroupBox* group, const char* name, const QString& caption);

    void OnPrint();
    void OnPreview();
    // Each records every page ticked and refuses an empty report with a message.
    bool PrintToPdf();
    bool PrintToPrinter();
    bool HasPages(TPreviewPrinter& engine);
    // The change record beside the configuration, when it is to be printed.
    void ReadChangeRecord(TReports& reports);
    void ShowPreview(TPreviewPrinter& engine);
    std::optional<TPrintChoice> AskPreviewPrint(TPreviewPrinter& engine, int pageCount);

    // The window above which the preview and its questions open: the dialog's own window,
    // since the dialog steps aside while the preview is shown.
    QWidget* PreviewOwner();

    TEditorContext& context_;
    // The program's prompts raise their messages above the window on top (this dialog).
    TPrompts& prompts_;
    TPrintSelection selection_;

    QGroupBox* radgrpLoopInfo = nullptr;
    QGroupBox* radgrpOrder = nullptr;
    QRadioButton* radAllDevices = nullptr;
    QRadioButton* radFittedDevices = nullptr;
    QRadioButton* radOrderNumber = nullptr;
    QRadioButton* radOrderType = nullptr;
    QRadioButton* radOrderZone = nullptr;
    QCheckBox* chkPrintSite = nullptr;
    QCheckBox* chkPrintLoop = nullptr;
    QCheckBox* chkPrintZone = nullptr;
    QCheckBox* chkPrintGroup = nullptr;
    QCheckBox* chkPrintSet = nullptr;
    QCheckBox* chkPrintNetwork = nullptr;
    QCheckBox* chkPrintC_E = nullptr;
    QCheckBox* chkComments = nullptr;
    QCheckBox* chkPrintLog = nullptr;
    QCheckBox* chkPrintChanges = nullptr;
    QPushButton* AcceptButton = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* btnProperties = nullptr;
    QPushButton* CancelButton = nullptr;
    QWidget* checks_ = nullptr;
};
