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
    int W = 0; // width of the sample text
    int H = 0; // height of the font
};
TFontMeasure Measure(const QString& sample, int points, TFontStyles style = {},
                     const QString& family = QStringLiteral("Times New Roman"));

// The first recorded text equal to text, or null.
const TPageText* FindText(const TRecordedPage& page, const QString& text);
// Every recorded text at exactly (x, y).
std::vector<QString> TextsAt(const TRecordedPage& page, int x, int y);
// Texts drawn at x, in drawing order.
std::vector<TPageText> TextsInColumn(const TRecordedPage& page, int x);
bool HasLine(const TRecordedPage& page, int x1, int y1, int x2, int y2);

// PDF inspection without a parser: pages counted from their dictionaries, the first
// page's media box, and the text through poppler's pdftotext when it is installed.
int PdfPageCount(const QByteArray& pdf);
QSizeF PdfFirstMediaBox(const QByteArray& pdf);
bool HaveTextExtractor();
QString PdfText(const QString& path);
