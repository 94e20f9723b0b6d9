#pragma once

#include <QHash>
#include <QPixmap>
#include <QProxyStyle>

// The program's style: the application's own, except that the frames and indicators drawn most
// often (line edit and group box frames, check box indicators) are drawn once per size, state
// and palette into a picture and copied from it afterwards. A page change with the largest
// configuration draws about two hundred of them. Only a painter without scaling or rotation
// uses the pictures, so the copy lands on whole pixels exactly where the style would draw;
// at a scale factor such as 1.5 everything is drawn directly.
class TCachedStyle : public QProxyStyle {
public:
    // Takes over base (the style that draws everything).
    explicit TCachedStyle(QStyle* base);

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;

    // Sets this style on the application (which owns it from then on).
    static void Install();

    struct TKey {
        int Element = 0;
        QSize Size;
        uint State = 0;
        int Direction = 0;
        qint64 Palette = 0;
        int FontHeight = 0;
        int LineWidth = 0;
        int MidLineWidth = 0;
        int Features = 0;
        const void* WidgetClass = nullptr;
        const void* ParentClass = nullptr;
        bool operator==(const TKey&) const = default;
    };

private:
    // True when the element was drawn from (or into) the cache.
    bool DrawCached(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                    const QWidget* widget) const;

    bool caching_ = false;
    mutable QHash<TKey, QPixmap> cache_;
    mutable qint64 cachedBytes_ = 0;
};

size_t qHash(const TCachedStyle::TKey& key, size_t seed = 0);
