#include "Printer/RecordedPage.h"

#include <QPainter>

void TRecordedPage::Replay(QPainter& painter, QPoint offset) const
{
    painter.save();
    painter.translate(offset);
    Draw(painter);
    painter.restore();
}

void TRecordedPage::ReplayScaled(QPainter& painter, const QRectF& target) const
{
    if (sheet_.isEmpty())
        return;
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / sheet_.width(), target.height() / sheet_.height());
    Draw(painter);
    painter.restore();
}

void TRecordedPage::Draw(QPainter& painter) const
{
    for (const TPageItem& item : items_) {
        if (const auto* line = std::get_if<TPageLine>(&item)) {
            painter.setPen(line->Pen);
            painter.drawLine(line->From, line->To);
            continue;
        }
        const auto& text = std::get<TPageText>(item);
        if (text.Background.style() != Qt::NoBrush)
            painter.fillRect(QRect(text.TopLeft, QSize(text.Width, text.Height)), text.Background);
        painter.setFont(text.Font);
        painter.setPen(text.Color);
        painter.drawText(QPoint(text.TopLeft.x(), text.TopLeft.y() + text.Ascent), text.Text);
    }
}

std::vector<TPageText> TRecordedPage::Texts() const
{
    std::vector<TPageText> texts;
    for (const TPageItem& item : items_)
        if (const auto* text = std::get_if<TPageText>(&item))
            texts.push_back(*text);
    return texts;
}

std::vector<TPageLine> TRecordedPage::Lines() const
{
    std::vector<TPageLine> lines;
    for (const TPageItem& item : items_)
        if (const auto* line = std::get_if<TPageLine>(&item))
            lines.push_back(*line);
    return lines;
}
