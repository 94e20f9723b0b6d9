#include "Printer/PrevPrinter.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QScreen>

namespace {

const QString SourceName = QStringLiteral("Printer/PrevPrinter");
constexpr int NewPageLine = 378;
constexpr int PreviewLine = 469;
constexpr int CanvasLine = 581;

TPrinterWindows& Windows()
{
    static TPrinterWindows windows;
    return windows;
}

[[noreturn]] void Fail(const QString& assertion, int line)
{
    throw TPrinterAssertion(PrinterAssertionText(assertion, line).toStdString());
}

int ScreenPixelsPerInch()
{
    const QScreen* screen = qGuiApp ? QGuiApplication::primaryScreen() : nullptr;
    return screen ? qRound(screen->logicalDotsPerInchY()) : 96;
}

// The busy cursor for the length of a print job, restored however the job ends.
class TBusyCursor {
public:
    TBusyCursor()
    {
        if (qGuiApp)
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }
    ~TBusyCursor()
    {
        if (qGuiApp)
            QGuiApplication::restoreOverrideCursor();
    }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};

// Runs an action when the scope ends, however it ends.
class TOnExit {
public:
    explicit TOnExit(std::function<void()> action) : action_(std::move(action)) {}
    ~TOnExit() { action_(); }
    TOnExit(const TOnExit&) = delete;
    TOnExit& operator=(const TOnExit&) = delete;

private:
    std::function<void()> action_;
};

} // namespace

QString PrinterAssertionText(const QString& assertion, int line)
{
    return QStringLiteral("%1 (%2, line %3)").arg(assertion, SourceName).arg(line);
}

TPreviewPrinter::TPreviewPrinter(QObject* owner, TReferenceDevice device)
    : TPreviewPrinter(owner, MakeReferencePrinter(device))
{
}

TPreviewPrinter::TPreviewPrinter(QObject* owner, std::unique_ptr<QPrinter> reference)
    : QObject(owner), printer_(std::move(reference))
{
    // Pages follow the orientation the printer was set up with.
    Orientation = printer_->pageLayout().orientation();
    ReadPrinterValues();
}

TPreviewPrinter::~TPreviewPrinter() = default;

void TPreviewPrinter::SetWindows(TPrinterWindows windows)
{
    Windows() = std::move(windows);
}

void TPreviewPrinter::BeginDoc()
{
    inDocument_ = true;
    canvas_.reset();
    pages_.clear();
    jobStarts_.clear();
    NewPage();
}

void TPreviewPrinter::BeginJobPages(const QString& title)
{
    const bool reuse = !pageTouched_ && !pages_.empty();
    NewPage();
    // The untouched page goes after the new one took over its drawing state.
    if (reuse)
        pages_.erase(pages_.end() - 2);
    jobStarts_.emplace_back(PageCount() - 1, title);
}

void TPreviewPrinter::NewPage()
{
    if (!inDocument_)
        Fail(QStringLiteral("Assertion failure"), NewPageLine);

    printer_->setPageOrientation(Orientation);
    ReadPrinterValues();
    pages_.push_back(
        std::make_unique<TRecordedPage>(QSize(values_.PageWidth, values_.PageHeight)));

    auto canvas = std::make_unique<TKelMetaFileCanvas>(*pages_.back(), values_.ResolutionY);
    if (canvas_) {
        canvas->CopyDrawingState(*canvas_);
    } else {
        canvas->SetFontName(QStringLiteral("Arial"));
        canvas->SetFontSize(10);
        canvas->SetBrush(Qt::NoBrush);
    }
    canvas_ = std::move(canvas);
    pageTouched_ = false;

    emit OnStatus(QStringLiteral("Paginating page %1").arg(PageCount()), PageCount(),
                  stPaginating);
}

TKelMetaFileCanvas& TPreviewPrinter::Canvas()
{
    if (!inDocument_)
        Fail(QStringLiteral("Canvas is not available before BeginDoc"), CanvasLine);
    pageTouched_ = true;
    return *canvas_;
}

void TPreviewPrinter::EndDoc()
{
    // A document ends once; a second call must not drop a page that was drawn on.
    if (!inDocument_)
        return;
    inDocument_ = false;
    canvas_.reset();
    if (!pageTouched_ && !pages_.empty())
        pages_.pop_back();
    // The device values describe the document's own orientation again (a job of its own
    // may have been recorded in another).
    printer_->setPageOrientation(Orientation);
    ReadPrinterValues();
    emit OnStatus(QStringLiteral("Pagination Complete"), -1, stPaginationFinished);
}

const TRecordedPage& TPreviewPrinter::Page(int i) const
{
    return *pages_.at(static_cast<std::size_t>(i));
}

void TPreviewPrinter::Preview()
{
    if (inDocument_)
        Fail(QStringLiteral("Assertion failure"), PreviewLine);
    if (Windows().ShowPreview)
        Windows().ShowPreview(*this);
}

bool TPreviewPrinter::PrintDialog()
{
    TPrintChoice choice;
    if (Windows().AskPrint) {
        const std::optional<TPrintChoice> answer = Windows().AskPrint(*this, PageCount());
        if (!answer)
            return false;
        choice = *answer;
    }
    PrintChosen(choice);
    return true;
}

void TPreviewPrinter::PrintChosen(const TPrintChoice& choice)
{
    int first = 0;
    int last = PageCount() - 1;
    if (choice.PageRange) {
        first = choice.FromPage - 1;
        last = choice.ToPage - 1;
    }
    for (int copy = 0; copy < choice.Copies; ++copy)
        PrintRange(first, last);
}

void TPreviewPrinter::PrintAll()
{
    PrintRange(0, PageCount() - 1);
}

QString TPreviewPrinter::TitleAt(int page) const
{
    QString title = Title;
    for (const auto& [start, name] : jobStarts_)
        if (start <= page)
            title = name;
    return title;
}

bool TPreviewPrinter::PrintRange(int first, int last)
{
    const TBusyCursor busy;
    writtenFiles_.clear();
    // Only recorded pages are ever replayed; a job without pages sends no sheet (a painter
    // on a printer always opens one page).
    // One job, its pages in the order the preview shows them.
    first = qMax(first, 0);
    last = qMin(last, PageCount() - 1);
    if (first <= last)
        PrintJob(TitleAt(first), first, last);
    emit OnStatus(QStringLiteral("Print Job Complete"), -1, stPrintFinished);
    return true;
}

void TPreviewPrinter::PrintJob(const QString& title, int first, int last)
{
    if (!StartJob(title))
        return;
    // However the job ends, the device values are the document's own again.
    const TOnExit restore([this] {
        printer_->setPageOrientation(Orientation);
        ReadPrinterValues();
    });
    OrientFor(first);
    QPainter painter;
    if (!painter.begin(printer_.get()))
        throw TPrintError(PrintsToPdf()
                              ? QStringLiteral("The PDF file %1 could not be written.")
                                    .arg(printer_->outputFileName())
                                    .toStdString()
                              : std::string("The printer could not start the print job."));
    for (int i = first; i <= last; ++i) {
        emit OnStatus(QStringLiteral("Printing page %1").arg(i + 1), i + 1, stPrinting);
        pages_[static_cast<std::size_t>(i)]->Replay(painter,
                                                    QPoint(-values_.OffsetX, -values_.OffsetY));
        if (i < last) {
            OrientFor(i + 1);
            if (!printer_->newPage())
                throw TPrintError("The printer could not start a new page.");
        }
    }
    if (!painter.end())
        throw TPrintError("The printer could not finish the print job.");
    if (PrintsToPdf())
        writtenFiles_ << printer_->outputFileName();
}

void TPreviewPrinter::OrientFor(int i)
{
    const QSize sheet = pages_[static_cast<std::size_t>(i)]->Sheet();
    printer_->setPageOrientation(sheet.width() > sheet.height() ? poLandscape : poPortrait);
    ReadPrinterValues();
}

bool TPreviewPrinter::StartJob(const QString& title)
{
    printer_->setDocName(title);
    if (!PrintsToPdf())
        return true;
    if (PdfFileForJob)
        printer_->setOutputFileName(PdfFileForJob(title));
    return !printer_->outputFileName().isEmpty();
}

bool TPreviewPrinter::PrintsToPdf() const
{
    return printer_->outputFormat() == QPrinter::PdfFormat;
}

void TPreviewPrinter::ReadDeviceValues(const TDeviceCaps& caps)
{
    values_ = ::ReadDeviceValues(caps, ScreenPixelsPerInch());
}

void TPreviewPrinter::ReadPrinterValues()
{
    ReadDeviceValues(PrinterCaps(*printer_));
}
