#include "Printer/DeviceValues.h"

#include <QLocale>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QtMath>

TDeviceValues ReadDeviceValues(const TDeviceCaps& caps, int screenPixelsPerInch)
{
    TDeviceValues v;
    v.ResolutionX = caps.LogPixelsX;
    v.ResolutionY = caps.LogPixelsY;
    if (caps.PhysicalWidth == 0) {
        v.PageWidth = qRound(screenPixelsPerInch * 8.5);
        v.PageHeight = qRound(screenPixelsPerInch * 11.0);
    } else {
        v.PageWidth = caps.PhysicalWidth;
        v.PageHeight = caps.PhysicalHeight;
    }
    v.OffsetX = caps.PhysicalOffsetX;
    v.OffsetY = caps.PhysicalOffsetY;
    return v;
}

TDeviceCaps PrinterCaps(const QPrinter& printer)
{
    TDeviceCaps caps;
    const int resolution = printer.resolution();
    const QPageLayout layout = printer.pageLayout();
    const QRect sheet = layout.fullRectPixels(resolution);
    const QRect printable = printer.fullPage() ? sheet : layout.paintRectPixels(resolution);
    caps.LogPixelsX = printer.logicalDpiX();
    caps.LogPixelsY = printer.logicalDpiY();
    caps.PhysicalWidth = sheet.width();
    caps.PhysicalHeight = sheet.height();
    caps.PhysicalOffsetX = printable.left() - sheet.left();
    caps.PhysicalOffsetY = printable.top() - sheet.top();
    return caps;
}

QPageSize LocalePaperSize()
{
    return QLocale::system().measurementSystem() == QLocale::ImperialUSSystem
        ? QPageSize(QPageSize::Letter)
        : QPageSize(QPageSize::A4);
}

bool HasInstalledPrinter()
{
    return !QPrinterInfo::defaultPrinter().isNull();
}

std::unique_ptr<QPrinter> MakePdfPrinter(const QPageSize& paper)
{
    // Qt's PDF printer starts at 1200 dpi with margins of its own: set everything.
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setResolution(PdfResolution);
    printer->setFullPage(false);
    printer->setPageLayout(QPageLayout(paper, QPageLayout::Portrait,
                                       QMarginsF(PdfMarginInches, PdfMarginInches,
                                                 PdfMarginInches, PdfMarginInches),
                                       QPageLayout::Inch));
    return printer;
}

std::unique_ptr<QPrinter> MakeReferencePrinter(TReferenceDevice device)
{
    if (device == rdDefaultPrinter) {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (!info.isNull()) {
            auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
            if (printer->isValid() && PrinterCaps(*printer).PhysicalWidth > 0)
                return printer;
        }
    }
    return MakePdfPrinter();
}
