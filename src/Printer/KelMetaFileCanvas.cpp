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
    const QFontMetrics& m = Metrics();
    TPageText t;
    t.TopLeft = QPoint(x, y);
    t.Text = text;
    t.Font = *font_;
    t.Color = fontColor_;
    t.Background = brush_;
    t.Ascent = m.ascent();
    t.Width = m.horizontalAdvance(text);
    t.Height = m.height();
    page_.AddText(t);
}

int TKelMetaFileCanvas::TextWidth(const QString& text)
{
    return Metrics().horizontalAdvance(text);
}

int TKelMetaFileCanvas::TextHeight(const QString&)
{
    // Every text of a font is as high as the font's cell, as the printer measures it.
    return Metrics().height();
}

QFont TKelMetaFileCanvas::DeviceFont()
{
    Metrics();
    return *font_;
}

const QFontMetrics& TKelMetaFileCanvas::Metrics()
{
    if (!font_) {
        QFont f(fontName_);
        f.setPixelSize(qMax(1, qRound(fontSize_ * pixelsPerInch_ / 72.0)));
        f.setBold(fontStyle_.testFlag(fsBold));
        f.setItalic(fontStyle_.testFlag(fsItalic));
        f.setUnderline(fontStyle_.testFlag(fsUnderline));
        f.setStrikeOut(fontStyle_.testFlag(fsStrikeOut));
        // Unhinted glyphs measure the same on the screen and on the printer.
        f.setHintingPreference(QFont::PreferNoHinting);
        f.setKerning(false);
        font_ = f;
        metrics_.emplace(f);
    }
    return *metrics_;
}

void TKelMetaFileCanvas::FontChanged()
{
    font_.reset();
    metrics_.reset();
}
