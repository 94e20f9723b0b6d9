#pragma once

#include "Printer/DeviceValues.h"
#include "Printer/KelMetaFileCanvas.h"
#include "Printer/RecordedPage.h"

#include <QObject>
#include <QPageLayout>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

class QPrinter;

enum TStatusType { stPaginating, stPrinting, stPaginationFinished, stPrintFinished };
enum TZoomOption { zoFitToPage, zoFitToWidth, zoTwoPages, zoCustom };

using TPrinterOrientation = QPageLayout::Orientation;
constexpr TPrinterOrientation poPortrait = QPageLayout::Portrait;
constexpr TPrinterOrientation poLandscape = QPageLayout::Landscape;

// A programming error in the use of the engine; nothing in the document has changed.
class TPrinterAssertion : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// The printer refused a job (could not start it or a page of it).
class TPrintError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What the user chose in the print dialog.
struct TPrintChoice {
    bool PageRange = false; // otherwise every page
    int FromPage = 1;       // counted from 1
    int ToPage = 1;
    int Copies = 1;
};

class TPreviewPrinter;

// The windows the engine opens; the desktop program provides them. Without them, Preview
// shows nothing and PrintDialog prints every page once, as a confirmed default dialog would.
struct TPrinterWindows {
    std::function<void(TPreviewPrinter&)> ShowPreview;
    // Asked with the page count; no answer means the user cancelled.
    std::function<std::optional<TPrintChoice>(TPreviewPrinter&, int pageCount)> AskPrint;
};

// A document of recorded pages. Clients draw through Canvas() between BeginDoc and EndDoc;
// the pages are kept in the reference device's units and replayed onto the printer (at the
// negative printable offset, unscaled) or scaled into any rectangle on screen.
class TPreviewPrinter : public QObject {
    Q_OBJECT

public:
    explicit TPreviewPrinter(QObject* owner = nullptr,
                             TReferenceDevice device = rdDefaultPrinter);
    // Records against the given printer, which also receives the print jobs.
    TPreviewPrinter(QObject* owner, std::unique_ptr<QPrinter> reference);
    ~TPreviewPrinter() override;

    TPrinterOrientation Orientation = poPortrait;
    QString Title;
    bool ShowGrid = false;
    TZoomOption ZoomOption = zoFitToPage;
    int ZoomVal = 100;

    static void SetWindows(TPrinterWindows windows);

    void BeginDoc();
    void NewPage();
    // Starts the pages of a part of its own (the comments, the log) on a fresh page in the
    // current orientation; the current page is reused when nothing is drawn on it yet. The
    // preview, the PDF and the printer show them where they were recorded: one Print is one
    // job, named after the part it starts with.
    void BeginJobPages(const QString& title);
    TKelMetaFileCanvas& Canvas();
    void EndDoc();

    bool InDocument() const { return inDocument_; }
    int PageCount() const { return static_cast<int>(pages_.size()); }
    const TRecordedPage& Page(int i) const;

    // The name of the part page (counted from 0) belongs to: Title, or a part's own.
    QString TitleAt(int page) const;
    // The PDF files the last print wrote, in the order they were written.
    const QStringList& WrittenFiles() const { return writtenFiles_; }

    void Preview();
    bool PrintDialog();
    void PrintChosen(const TPrintChoice& choice);
    void PrintAll();
    bool PrintRange(int first, int last);

    // Takes the device values from what a device reports; a device without a physical
    // sheet gets a US letter sheet at the screen's resolution.
    void ReadDeviceValues(const TDeviceCaps& caps);
    const TDeviceValues& DeviceValues() const { return values_; }
    int ResolutionX() const { return values_.ResolutionX; }
    int ResolutionY() const { return values_.ResolutionY; }
    int PageWidth() const { return values_.PageWidth; }
    int PageHeight() const { return values_.PageHeight; }
    int OffsetX() const { return values_.OffsetX; }
    int OffsetY() const { return values_.OffsetY; }

    // The reference device, which also receives the print jobs. On the PDF device a job
    // goes to the printer's output file name.
    QPrinter& Printer() { return *printer_; }
    bool PrintsToPdf() const;
    // On the PDF device, asked for the file of each job by its title; an empty answer
    // skips the job. Without it every job goes to the printer's output file name.
    std::function<QString(const QString& jobTitle)> PdfFileForJob;
    // Names the next job on the printer; false when it is not to be printed.
    bool StartJob(const QString& title);

signals:
    void OnStatus(const QString& message, int pageNumber, TStatusType type);

private:
    void ReadPrinterValues();
    // Sets the printer's orientation to that of page i's sheet and reads its values.
    void OrientFor(int i);
    void PrintJob(const QString& title, int first, int last);

    std::unique_ptr<QPrinter> printer_;
    std::vector<std::unique_ptr<TRecordedPage>> pages_;
    std::unique_ptr<TKelMetaFileCanvas> canvas_;
    bool inDocument_ = false;
    bool pageTouched_ = false;
    TDeviceValues values_;
    // Where each part of its own begins (first page, title), in page order.
    std::vector<std::pair<int, QString>> jobStarts_;
    QStringList writtenFiles_;
};

// The text of an engine assertion: "%s (%s, line %d)".
QString PrinterAssertionText(const QString& assertion, int line);
