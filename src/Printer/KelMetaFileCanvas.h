#pragma once

#include "Printer/RecordedPage.h"

#include <QBrush>
#include <QColor>
#include <QFlags>
#include <QFont>
#include <QFontMetrics>
#include <QPen>
#include <QPoint>
#include <QString>

#include <optional>

enum TFontStyle {
    fsBold = 0x1,
    fsItalic = 0x2,
    fsUnderline = 0x4,
    fsStrikeOut = 0x8,
};
Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
Q_DECLARE_OPERATORS_FOR_FLAGS(TFontStyles)

// The recording canvas of one page. Coordinates are device units of the reference device;
// font sizes are points, turned into device pixels with PixelsPerInch (the device's
// vertical resolution). Text is measured on a fine grid (MeasureResolution) and scaled to
// the device, so a measure is the same share of the page at any resolution: a low one
// rounds each measure once instead of each glyph.
class TKelMetaFileCanvas {
public:
    static constexpr int MeasureResolution = 1200;

    TKelMetaFileCanvas(TRecordedPage& page, int pixelsPerInch);

    TRecordedPage& Page() { return page_; }

    int PixelsPerInch() const { return pixelsPerInch_; }
    void SetPixelsPerInch(int ppi);

    QString FontName() const { return fontName_; }
    void SetFontName(const QString& name);
    int FontSize() const { return fontSize_; }
    void SetFontSize(int points);
    TFontStyles FontStyle() const { return fontStyle_; }
    void SetFontStyle(TFontStyles style);
    QColor FontColor() const { return fontColor_; }
    void SetFontColor(const QColor& color) { fontColor_ = color; }

    QPen Pen() const { return pen_; }
    void SetPen(const QPen& pen) { pen_ = pen; }
    QBrush Brush() const { return brush_; }
    void SetBrush(const QBrush& brush) { brush_ = brush; }

    // Font, brush and pen: what a new page takes over from the page before it.
    void CopyDrawingState(const TKelMetaFileCanvas& from);

    QPoint PenPos() const { return penPos_; }
    void MoveTo(int x, int y) { penPos_ = QPoint(x, y); }
    void LineTo(int x, int y);
    void TextOut(int x, int y, const QString& text);
    int TextWidth(const QString& text);
    int TextHeight(const QString& text);
    // The font's line height in device units, unrounded: rows placed with it keep their
    // places in proportion on any device, where whole pixels would add up row by row.
    qreal LineHeight();

    // The font as drawn: the family and style with the pixel size of the device.
    QFont DeviceFont();

private:
    // The font at the device's pixel size, and the measures of the same font on the fine grid.
    const QFont& Font();
    const QFontMetricsF& Metrics();
    int Scaled(qreal fine) const;
    void FontChanged();

    TRecordedPage& page_;
    int pixelsPerInch_;
    QString fontName_;
    int fontSize_ = 10;
    TFontStyles fontStyle_;
    QColor fontColor_ = Qt::black;
    QPen pen_;
    QBrush brush_;
    QPoint penPos_;
    std::optional<QFont> font_;
    std::optional<QFontMetricsF> metrics_;
};
