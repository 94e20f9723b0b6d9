#pragma once

#include <QString>

class TPreviewPrinter;

// Writes every page of a closed document to a PDF at the document's own resolution and
// sheet, each page replayed unscaled from the sheet's corner, so the file shows exactly what
// is printed. Returns an error text, empty on success.
QString SavePagesAsPdf(const TPreviewPrinter& engine, const QString& path);
