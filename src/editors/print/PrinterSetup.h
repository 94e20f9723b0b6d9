#pragma once

#include "Printer/DeviceValues.h"
#include "Printer/PrevPrinter.h"
#include "editors/print/PrinterProperties.h"

#include <QPrinter>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QWidget;

// The reference printer every report is recorded against, shared by the print-selection
// dialog, the preview and the main window's "Printer Properties": the default printer, or
// the 600-dpi PDF printer on the locale's paper when none is installed. The dialogs it opens
// are members, so tests answer them without a window.
class TPrinterSetup {
public:
    explicit TPrinterSetup(TReferenceDevice device = rdDefaultPrinter);
    ~TPrinterSetup();
    TPrinterSetup(const TPrinterSetup&) = delete;
    TPrinterSetup& operator=(const TPrinterSetup&) = delete;

    QPrinter& Printer() { return *printer_; }
    bool PrintsToPdf() const;
    // Starts again from the default printer (or the PDF printer), forgetting the set-up.
    void Reset(TReferenceDevice device = rdDefaultPrinter);
    // A printer of its own for one report, set up as this one: printer, paper and margins.
    std::unique_ptr<QPrinter> MakeReference() const;

    // The print queues installed on this computer.
    static QStringList InstalledQueues();
    // The queue (empty: PDF), paper and orientation reports are printed with.
    TPrinterChoice Choice() const;
    // Prints from now on as chosen; a queue that is no longer installed leaves the PDF device.
    void Apply(const TPrinterChoice& choice);

    // "Printer Properties": the queue, paper and orientation, kept until changed again.
    void ShowProperties(QWidget* parent);

    // The "Printer Properties" dialog on the current choice and the installed queues; no
    // answer means the user cancelled.
    std::function<std::optional<TPrinterChoice>(const TPrinterChoice& current,
                                                const QStringList& queues, QWidget* parent)>
        AskPrinter;
    // Where to save a PDF, starting from suggested; an empty answer cancels.
    std::function<QString(QWidget* parent, const QString& suggested)> AskPdfPath;
    // The preview's print dialog on printer for pages 1 to pageCount: printer, range and
    // copies. No answer means the user cancelled.
    std::function<std::optional<TPrintChoice>(QPrinter& printer, int pageCount, QWidget* parent)>
        AskPrint;

private:
    std::unique_ptr<QPrinter> printer_;
};

// Said instead of printing or saving a report without pages.
inline const QString NothingToPrintText =
    QStringLiteral("There is nothing to print: the report has no pages. Tick the sections to "
                   "print and try again.");

// The program's one printer set-up.
TPrinterSetup& PrinterSetup();
// The main window's "Printer Properties" command.
void ShowPrinterProperties(QWidget* parent);

// The PDF a report of the configuration file fileName is saved to by default: its name with
// ".pdf" in place of its extension, beside it; "Report.pdf" in the home folder for a
// configuration that was never saved.
QString SuggestedPdfPath(const QString& fileName);
