#include "editors/print/PageBox.h"

#include "Printer/PrevPrinter.h"

#include <QPaintEvent>
#include <QPainter>
#include <QtMath>

namespace {

const QColor GridColour(192, 192, 192);

qint64 Bytes(QSize size, qreal pixelRatio)
{
    return qint64(size.width() * pixelRatio + 1) * qint64(size.height() * pixelRatio + 1) * 4;
}

} // namespace

void DrawPage(QPainter& painter, const TPreviewPrinter& engine, int page, QSize box)
{
    if (page < 0 || page >= engine.PageCount())
        return;
    // The frame has the document's sheet; a page on another sheet (the log's landscape
    // pages) keeps its proportions, centred in the frame.
    const TRecordedPage& recorded = engine.Page(page);
    const QSizeF sheet(recorded.Sheet());
    const QSizeF frame(qMax(1, engine.PageWidth()), qMax(1, engine.PageHeight()));
    const double k = qMin(frame.width() / qMax(1.0, sheet.width()),
                          frame.height() / qMax(1.0, sheet.height()));
    const QSizeF fitted(box.width() * sheet.width() * k / frame.width(),
                        box.height() * sheet.height() * k / frame.height());
    const QPointF corner((box.width() - fitted.width()) / 2, (box.height() - fitted.height()) / 2);
    const QRectF sheetRect(corner, fitted);
    recorded.ReplayScaled(painter, sheetRect);
    if (k < 1.0) {
        // The edge of the smaller sheet, so its shape shows on the frame.
        painter.save();
        QPen edge(Qt::darkGray);
        edge.setCosmetic(true);
        painter.setPen(edge);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(sheetRect.adjusted(0, 0, -1, -1));
        painter.restore();
    }
}

void DrawInchGrid(QPainter& painter, const TPreviewPrinter& engine, QSize box)
{
    const int pw = engine.PageWidth();
    const int ph = engine.PageHeight();
    const int rx = engine.ResolutionX();
    const int ry = engine.ResolutionY();
    if (pw <= 0 || ph <= 0 || rx <= 0 || ry <= 0)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.scale(double(box.width()) / pw, double(box.height()) / ph);
    QPen pen(GridColour);
    pen.setCosmetic(true);
    pen.setWidth(1);
    painter.setPen(pen);
    for (int k = 1; k <= pw / rx; ++k)
        painter.drawLine(k * rx, 0, k * rx, ph);
    for (int k = 1; k <= ph / ry; ++k)
        painter.drawLine(0, k * ry, pw, k * ry);
    painter.restore();
}

const QPixmap* TPageCache::Rendering(int page, QSize size, qreal pixelRatio)
{
    if (size != size_ || pixelRatio != pixelRatio_) {
        entries_.clear();
        size_ = size;
        pixelRatio_ = pixelRatio;
    }
    if (size.isEmpty() || Bytes(size, pixelRatio) > MaxRenderingBytes)
        return nullptr;
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (it->Page == page) {
            entries_.splice(entries_.begin(), entries_, it);
            return &entries_.front().Pixmap;
        }
    }

    QPixmap pixmap(QSize(qCeil(size.width() * pixelRatio), qCeil(size.height() * pixelRatio)));
    pixmap.setDevicePixelRatio(pixelRatio);
    pixmap.fill(Qt::white);
    {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::TextAntialiasing);
        DrawPage(painter, engine_, page, size);
    }
    entries_.push_front({page, std::move(pixmap)});
    while (qint64(entries_.size()) * Bytes(size, pixelRatio) > BudgetBytes && entries_.size() > 1)
        entries_.pop_back();
    return &entries_.front().Pixmap;
}

bool TPageCache::Holds(int page) const
{
    for (const TEntry& e : entries_)
        if (e.Page == page)
            return true;
    return false;
}

TPageBox::TPageBox(const TPreviewPrinter& engine, TPageCache& cache, QWidget* parent)
    : QWidget(parent), engine_(engine), cache_(cache)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPageBox::SetPage(int page)
{
    if (page == page_)
        return;
    page_ = page;
    update();
}

void TPageBox::SetGrid(bool grid)
{
    if (grid == grid_)
        return;
    grid_ = grid;
    update();
}

void TPageBox::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const bool shown = page_ >= 0 && page_ < engine_.PageCount();
    const QPixmap* rendering =
        shown ? cache_.Rendering(page_, size(), devicePixelRatioF()) : nullptr;
    if (rendering) {
        painter.drawPixmap(event->rect(), *rendering,
                           QRectF(QPointF(event->rect().topLeft()) * devicePixelRatioF(),
                                  QSizeF(event->rect().size()) * devicePixelRatioF()));
    } else {
        // Blank, or too large to keep: only the exposed part is drawn.
        painter.fillRect(event->rect(), Qt::white);
        if (shown) {
            painter.setClipRect(event->rect());
            painter.setRenderHint(QPainter::TextAntialiasing);
            DrawPage(painter, engine_, page_, size());
        }
    }
    if (grid_)
        DrawInchGrid(painter, engine_, size());
}
