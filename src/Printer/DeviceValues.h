#pragma once

#include <QPageSize>

#include <memory>

class QPrinter;

// What a device reports about itself, as the printer driver gives it.
struct TDeviceCaps {
    int LogPixelsX = 0;
    int LogPixelsY = 0;
    int PhysicalWidth = 0;
    int PhysicalHeight = 0;
    int PhysicalOffsetX = 0;
    int PhysicalOffsetY = 0;
};

// The reference device's values that every page and every report distance is measured in.
struct TDeviceValues {
    int ResolutionX = 0;
    int ResolutionY = 0;
    int PageWidth = 0;
    int PageHeight = 0;
    int OffsetX = 0;
    int OffsetY = 0;

    bool operator==(const TDeviceValues&) const = default;
};

// A device without a physical sheet (width 0) is given a US letter sheet at the screen's
// resolution.
TDeviceValues ReadDeviceValues(const TDeviceCaps& caps, int screenPixelsPerInch);
TDeviceCaps PrinterCaps(const QPrinter& printer);

// Which device the pages are recorded against.
enum TReferenceDevice {
    rdDefaultPrinter, // the default printer; the PDF device when none is installed
    rdPdf,            // always the PDF device
};

constexpr int PdfResolution = 600;
// The PDF device leaves a quarter inch round the sheet unprinted, as a laser printer does,
// so the report's distances from the printable offsets look as they do on paper.
constexpr double PdfMarginInches = 0.25;

// The paper of the user's locale: letter where the US measures are used, A4 elsewhere.
QPageSize LocalePaperSize();
bool HasInstalledPrinter();
// A PDF printer at 600 dpi on the given paper, its margins set explicitly.
std::unique_ptr<QPrinter> MakePdfPrinter(const QPageSize& paper = LocalePaperSize());
// The default printer, or the PDF printer when none is installed or wanted.
std::unique_ptr<QPrinter> MakeReferencePrinter(TReferenceDevice device);
