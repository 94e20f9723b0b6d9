#pragma once

#include "Printer/PrevPrinter.h"
#include "reports/Reports.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <ostream>
#include <vector>

// Readable texts in failure messages.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

class TData;

// A report on the PDF reference device with the footer clock fixed at 05/03/2024 14:07:09.
std::unique_ptr<TReports> MakeReports(const TData& data);

// The measures of a font as the report draws it on the 600-dpi device.
struct TFontMeasure {
    int W = 0;      // width of the sample text
    double H = 0;   // height of the font, unrounded: rows are placed a multiple of it apart
};
TFontMeasure Measure(const QString& sample, int points, TFontStyles style = {},
                     const QString& family = QStringLiteral("Times New Roman"));

// The first recorded text equal to text, or null.
const TPageText* FindText(const TRecordedPage& page, const QString& text);
// Every recorded text at x and at y rounded to its pixel (one pixel either way).
std::vector<QString> TextsAt(const TRecordedPage& page, int x, double y);
// Texts drawn at x, in drawing order.
std::vector<TPageText> TextsInColumn(const TRecordedPage& page, int x);
// A line between the points, its heights rounded to their pixel (one pixel either way).
bool HasLine(const TRecordedPage& page, int x1, double y1, int x2, double y2);

// PDF inspection without a parser: pages counted from their dictionaries, the first
// page's media box, and the text through poppler's pdftotext when it is installed.
int PdfPageCount(const QByteArray& pdf);
QSizeF PdfFirstMediaBox(const QByteArray& pdf);
bool HaveTextExtractor();
QString PdfText(const QString& path);
