#include "editors/common/CachedStyle.h"

#include <QApplication>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>

#include <cmath>

namespace {

// Pictures kept at most: far more than the program's frames and indicators at one size, few
// enough that a window resized again and again cannot grow the cache without end.
constexpr qint64 MaxCachedBytes = 8 * 1024 * 1024;

bool Cacheable(QStyle::PrimitiveElement element)
{
    return element == QStyle::PE_FrameLineEdit || element == QStyle::PE_FrameGroupBox
        || element == QStyle::PE_IndicatorCheckBox;
}

// A painter that only moves by whole pixels: a copied picture lands exactly where the style
// would have drawn. Scaled painters (a scale factor of 1.5, printing) draw directly.
bool WholePixelPainter(const QPainter* painter)
{
    const QTransform& t = painter->deviceTransform();
    return t.type() <= QTransform::TxTranslate && std::floor(t.dx()) == t.dx()
        && std::floor(t.dy()) == t.dy() && painter->opacity() == 1.0
        && painter->compositionMode() == QPainter::CompositionMode_SourceOver
        && painter->device()->devicePixelRatio() == 1.0;
}

} // namespace

size_t qHash(const TCachedStyle::TKey& key, size_t seed)
{
    return qHashMulti(seed, key.Element, key.Size.width(), key.Size.height(), key.State,
                      key.Direction, key.Palette, key.FontHeight, key.LineWidth, key.MidLineWidth,
                      key.Features, key.WidgetClass, key.ParentClass);
}

TCachedStyle::TCachedStyle(QStyle* base)
    : QProxyStyle(base),
      // Styles that animate a frame from one state to the next draw it differently for the same
      // state; only a style known to draw a state alike every time is copied.
      caching_(base && base->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0)
{
}

void TCachedStyle::Install()
{
    // The style chosen for the application (the platform's, or one named with -style) stays.
    QApplication::setStyle(new TCachedStyle(QStyleFactory::create(QApplication::style()->name())));
}

void TCachedStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                 QPainter* painter, const QWidget* widget) const
{
    if (caching_ && Cacheable(element) && DrawCached(element, option, painter, widget))
        return;
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

bool TCachedStyle::DrawCached(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                              const QWidget* widget) const
{
    if (!option || option->rect.isEmpty() || !WholePixelPainter(painter))
        return false;
    TKey key;
    key.Element = element;
    key.Size = option->rect.size();
    key.State = uint(option->state);
    key.Direction = option->direction;
    key.Palette = option->palette.cacheKey();
    key.FontHeight = option->fontMetrics.height();
    if (const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option)) {
        key.LineWidth = frame->lineWidth;
        key.MidLineWidth = frame->midLineWidth;
        key.Features = int(frame->features) | (int(frame->frameShape) << 8);
    }
    // The same element may be drawn differently inside another control (a spin box's editor).
    if (widget) {
        key.WidgetClass = widget->metaObject();
        key.ParentClass = widget->parentWidget() ? widget->parentWidget()->metaObject() : nullptr;
    }

    auto found = cache_.constFind(key);
    if (found == cache_.constEnd()) {
        QPixmap picture(key.Size);
        picture.fill(Qt::transparent);
        {
            QPainter into(&picture);
            into.setFont(painter->font());
            into.setPen(painter->pen());
            into.setBrush(painter->brush());
            into.setRenderHints(painter->renderHints());
            into.translate(-option->rect.topLeft());
            QProxyStyle::drawPrimitive(element, option, &into, widget);
        }
        const qint64 bytes = qint64(key.Size.width()) * key.Size.height() * 4;
        if (cachedBytes_ + bytes > MaxCachedBytes) {
            cache_.clear();
            cachedBytes_ = 0;
        }
        cachedBytes_ += bytes;
        found = cache_.insert(key, picture);
    }
    painter->drawPixmap(option->rect.topLeft(), *found);
    return true;
}
