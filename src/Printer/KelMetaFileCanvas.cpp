#include "Printer/KelMetaFileCanvas.h"

#include <QtMath>

TKelMetaFileCanvas::TKelMetaFileCanvas(TRecordedPage& page, int pixelsPerInch)
    : page_(page), pixelsPerInch_(pixelsPerInch), pen_(Qt::black, 1), brush_(Qt::white)
{
    // A one-pixel pen stays one pixel on any surface, so the preview keeps thin rules.
    pen_.setCosmetic(true);
}

void TKelMetaFileCanvas::SetPixelsPerInch(int ppi)
{
    pixelsPerInch_ = ppi;
    FontChanged();
}

void TKelMetaFileCanvas::SetFontName(const QString& name)
{
    fontName_ = name;
    FontChanged();
}

void TKelMetaFileCanvas::SetFontSize(int points)
{
    fontSize_ = points;
    FontChanged();
}

void TKelMetaFileCanvas::SetFontStyle(TFontStyles style)
{
    fontStyle_ = style;
    FontChanged();
}

void TKelMetaFileCanvas::CopyDrawingState(const TKelMetaFileCanvas& from)
{
    fontName_ = from.fontName_;
    fontSize_ = from.fontSize_;
    fontStyle_ = from.fontStyle_;
    fontColor_ = from.fontColor_;
    pen_ = from.pen_;
    brush_ = from.brush_;
    FontChanged();
}

void TKelMetaFileCanvas::LineTo(int x, int y)
{
    const QPoint to(x, y);
    page_.AddLine({penPos_, to, pen_});
    penPos_ = to;
}

void TKelMetaFileCanvas::TextOut(int x, int y, const QString& text)
{
    if (text.isEmpty())
        return;
    const QFontMetricsF& m = Metrics();
    TPageText t;
    t.TopLeft = QPoint(x, y);
    t.Text = text;
    t.Font = Font();
    t.Color = fontColor_;
    t.Background = brush_;
    t.Ascent = Scaled(m.ascent());
    t.Width = Scaled(m.horizontalAdvance(text));
    t.Height = Scaled(m.height());
    page_.AddText(t);
}

int TKelMetaFileCanvas::TextWidth(const QString& text)
{
    return Scaled(Metrics().horizontalAdvance(text));
}

int TKelMetaFileCanvas::TextHeight(const QString&)
{
    // Every text of a font is as high as the font's cell, as the printer measures it.
    return Scaled(Metrics().height());
}

qreal TKelMetaFileCanvas::LineHeight()
{
    return Metrics().height() * pixelsPerInch_ / MeasureResolution;
}

QFont TKelMetaFileCanvas::DeviceFont()
{
    return Font();
}

int TKelMetaFileCanvas::Scaled(qreal fine) const
{
    return qRound(fine * pixelsPerInch_ / MeasureResolution);
}

namespace {

QFont MakeFont(const QString& name, int points, TFontStyles style, int pixelsPerInch)
{
    QFont f(name);
    f.setPixelSize(qMax(1, qRound(points * pixelsPerInch / 72.0)));
    f.setBold(style.testFlag(fsBold));
    f.setItalic(style.testFlag(fsItalic));
    f.setUnderline(style.testFlag(fsUnderline));
    f.setStrikeOut(style.testFlag(fsStrikeOut));
    // Unhinted glyphs measure the same on the screen and on the printer.
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(false);
    return f;
}

} // namespace

const QFont& TKelMetaFileCanvas::Font()
{
    if (!font_)
        font_ = MakeFont(fontName_, fontSize_, fontStyle_, pixelsPerInch_);
    return *font_;
}

const QFontMetricsF& TKelMetaFileCanvas::Metrics()
{
    if (!metrics_)
        metrics_.emplace(MakeFont(fontName_, fontSize_, fontStyle_, MeasureResolution));
    return *metrics_;
}

void TKelMetaFileCanvas::FontChanged()
{
    font_.reset();
    metrics_.reset();
}
