#include "editors/print/PrinterSetup.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

std::optional<TPrinterChoice> ExecPrinterProperties(const TPrinterChoice& current,
                                                    const QStringList& queues, QWidget* parent)
{
    TPrinterPropertiesDialog dialog(current, queues, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Choice();
}

QString ExecPdfFileDialog(QWidget* parent, const QString& suggested)
{
    QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("Save the report as PDF"),
                                                suggested, QStringLiteral("PDF files (*.pdf)"));
    if (!path.isEmpty() &&
        QFileInfo(path).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) != 0)
        path += QStringLiteral(".pdf");
    return path;
}

std::optional<TPrintChoice> ExecPrintDialog(QPrinter& printer, int pageCount, QWidget* parent)
{
    const int last = qMax(1, pageCount);
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setMinMax(1, last);
    printer.setFromTo(1, last);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;

    TPrintChoice choice;
    choice.PageRange = printer.printRange() == QPrinter::PageRange;
    choice.FromPage = printer.fromPage();
    choice.ToPage = printer.toPage();
    // Each copy is a job of its own; the printer must not multiply them again.
    choice.Copies = qMax(1, printer.copyCount());
    printer.setCopyCount(1);
    return choice;
}

} // namespace

TPrinterSetup::TPrinterSetup(TReferenceDevice device)
    : AskPrinter(ExecPrinterProperties), AskPdfPath(ExecPdfFileDialog), AskPrint(ExecPrintDialog)
{
    Reset(device);
}

TPrinterSetup::~TPrinterSetup() = default;

void TPrinterSetup::Reset(TReferenceDevice device)
{
    printer_ = MakeReferencePrinter(device);
}

bool TPrinterSetup::PrintsToPdf() const
{
    return printer_->outputFormat() == QPrinter::PdfFormat;
}

std::unique_ptr<QPrinter> TPrinterSetup::MakeReference() const
{
    std::unique_ptr<QPrinter> printer;
    if (!PrintsToPdf()) {
        const QPrinterInfo info = QPrinterInfo::printerInfo(printer_->printerName());
        if (!info.isNull()) {
            printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
            printer->setDuplex(printer_->duplex());
            printer->setColorMode(printer_->colorMode());
        }
    }
    // A printer that has gone away since it was chosen leaves the PDF device.
    if (!printer || !printer->isValid())
        printer = MakePdfPrinter(printer_->pageLayout().pageSize());
    printer->setFullPage(printer_->fullPage());
    printer->setPageLayout(printer_->pageLayout());
    printer->setOutputFileName(printer_->outputFileName());
    return printer;
}

QStringList TPrinterSetup::InstalledQueues()
{
    return QPrinterInfo::availablePrinterNames();
}

TPrinterChoice TPrinterSetup::Choice() const
{
    const QPageLayout layout = printer_->pageLayout();
    return {PrintsToPdf() ? QString() : printer_->printerName(), layout.pageSize(),
            layout.orientation()};
}

void TPrinterSetup::Apply(const TPrinterChoice& choice)
{
    std::unique_ptr<QPrinter> printer;
    const QPrinterInfo info = choice.Queue.isEmpty() ? QPrinterInfo()
                                                      : QPrinterInfo::printerInfo(choice.Queue);
    if (!info.isNull()) {
        printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        printer->setPageSize(choice.Paper);
    }
    if (!printer || !printer->isValid())
        printer = MakePdfPrinter(choice.Paper);
    printer->setPageOrientation(choice.Orientation);
    printer_ = std::move(printer);
}

void TPrinterSetup::ShowProperties(QWidget* parent)
{
    if (const std::optional<TPrinterChoice> choice =
            AskPrinter(Choice(), InstalledQueues(), parent))
        Apply(*choice);
}

TPrinterSetup& PrinterSetup()
{
    // Never destroyed: a printer must not outlive the application object at exit.
    static auto* setup = new TPrinterSetup;
    return *setup;
}

void ShowPrinterProperties(QWidget* parent)
{
    PrinterSetup().ShowProperties(parent);
}

QString SuggestedPdfPath(const QString& fileName)
{
    if (fileName.isEmpty())
        return QDir::home().filePath(QStringLiteral("Report.pdf"));
    const QFileInfo file(fileName);
    return file.dir().filePath(file.completeBaseName() + QStringLiteral(".pdf"));
}
