#pragma once

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QPen>
#include <QPoint>
#include <QRectF>
#include <QSize>
#include <QString>

#include <variant>
#include <vector>

class QPainter;

// A straight line drawn with the pen of its moment.
struct TPageLine {
    QPoint From;
    QPoint To;
    QPen Pen;
};

// A text drawn at its top-left corner. The font carries a pixel size of the reference device;
// ascent, width and height are the measures taken when the text was recorded, so replay
// places the baseline exactly where the recording measured it.
struct TPageText {
    QPoint TopLeft;
    QString Text;
    QFont Font;
    QColor Color;
    QBrush Background;
    int Ascent = 0;
    int Width = 0;
    int Height = 0;
};

using TPageItem = std::variant<TPageLine, TPageText>;

// One recorded page: an ordered display list in the reference device's units, origin at the
// top-left corner of the physical sheet.
class TRecordedPage {
public:
    explicit TRecordedPage(QSize sheet) : sheet_(sheet) {}

    QSize Sheet() const { return sheet_; }
    void SetSheet(QSize sheet) { sheet_ = sheet; }

    const std::vector<TPageItem>& Items() const { return items_; }
    bool IsEmpty() const { return items_.empty(); }

    void AddLine(const TPageLine& line) { items_.emplace_back(line); }
    void AddText(const TPageText& text) { items_.emplace_back(text); }

    // Onto a device with the same units (the printer): the sheet origin lands at offset.
    void Replay(QPainter& painter, QPoint offset) const;
    // Onto any surface: the whole sheet is stretched into target, each direction on its own.
    void ReplayScaled(QPainter& painter, const QRectF& target) const;

    // Convenience views for callers that only look at one kind of item.
    std::vector<TPageText> Texts() const;
    std::vector<TPageLine> Lines() const;

private:
    void Draw(QPainter& painter) const;

    QSize sheet_;
    std::vector<TPageItem> items_;
};
