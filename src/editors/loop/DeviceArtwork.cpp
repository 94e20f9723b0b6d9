#include "editors/loop/DeviceArtwork.h"

#include <QFont>
#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

#include <array>
#include <memory>
#include <span>

namespace {

enum TArt {
    arRemove,
    arOptical,
    arIon,
    arHeat,
    arMulti,
    arCO,
    arCOHeat,
    arFlame,
    arBeam,
    arSensor,
    arCallPoint,
    arSounder,
    arSoundBeacon,
    arBeacon,
    arIndicator,
    arIO,
    arZoneMonitor,
    arSwitch,
    arRelay,
    arBase,
    arSounderControl,
    arUnknown,
    arBaseSounderBadge,
    arCount
};

constexpr std::array<const char*, arCount> ArtFiles = {
    "remove",   "optical", "ion",        "heat",       "multi",          "co",
    "coheat",   "flame",   "beam",       "sensor",     "callpoint",      "sounder",
    "soundbeacon", "beacon", "indicator", "io",        "zonemonitor",    "switch",
    "relay",    "base",    "soundercontrol", "unknown", "basesounder",
};

// A picture: the drawing and, to tell variants of one kind apart, a short label.
struct TPicture {
    TArt Art;
    const char* Label;
};

// Grid and drop-down sets, index 0 being the removal tool.
constexpr TPicture ApolloSet[] = {
    {arRemove, ""},        {arOptical, ""},    {arOptical, "D"},      {arHeat, ""},
    {arHeat, "HT"},        {arHeat, "D"},      {arIon, ""},           {arCO, "D"},
    {arCOHeat, "D"},       {arMulti, ""},      {arMulti, "D"},        {arBeam, ""},
    {arFlame, ""},         {arCallPoint, "S90"}, {arCallPoint, "XP"}, {arCallPoint, "D"},
    {arSounder, ""},       {arSoundBeacon, "D"}, {arSounder, "I/O"},  {arIO, ""},
    {arIO, "NL"},          {arZoneMonitor, ""}, {arSwitch, "Mini"},
};
constexpr TPicture HochikiSet[] = {
    {arRemove, ""},          {arOptical, ""},       {arHeat, ""},          {arIon, ""},
    {arMulti, ""},           {arCallPoint, ""},     {arSounder, ""},       {arSounderControl, "G"},
    {arSounderControl, "S"}, {arSounder, "I/O"},    {arBeacon, ""},        {arIndicator, ""},
    {arBase, ""},            {arBase, "M"},         {arZoneMonitor, "Mini"}, {arZoneMonitor, "2"},
    {arSwitch, ""},          {arRelay, ""},         {arIO, ""},            {arIO, "NL"},
};
constexpr TPicture SysSensorSet[] = {
    {arRemove, ""},    {arHeat, ""},    {arIon, ""},         {arOptical, ""}, {arMulti, ""},
    {arCallPoint, ""}, {arSounder, ""}, {arZoneMonitor, ""}, {arRelay, ""},
};
constexpr TPicture NittanSet[] = {
    {arRemove, ""},  {arIon, ""},   {arOptical, ""},     {arHeat, ""},   {arCallPoint, ""},
    {arSounder, ""}, {arRelay, ""}, {arZoneMonitor, ""}, {arSwitch, ""},
};

// Toolbar sets, index 1 first (index 0 is unused).
constexpr TPicture ApolloToolbar[] = {
    {arUnknown, ""}, {arOptical, ""},   {arHeat, ""},    {arIon, ""}, {arMulti, ""},
    {arCallPoint, ""}, {arSounder, ""}, {arIO, ""},      {arRemove, ""},
};
constexpr TPicture HochikiToolbar[] = {
    {arUnknown, ""},   {arOptical, ""}, {arHeat, ""}, {arIon, ""},    {arMulti, ""},
    {arCallPoint, ""}, {arSounder, ""}, {arBase, ""}, {arSwitch, ""}, {arRemove, ""},
};
constexpr TPicture SysSensorToolbar[] = {
    {arUnknown, ""}, {arSensor, ""}, {arCallPoint, ""}, {arSounder, ""}, {arZoneMonitor, ""},
    {arRemove, ""},
};
constexpr TPicture NittanToolbar[] = {
    {arUnknown, ""}, {arSensor, ""}, {arCallPoint, ""}, {arSounder, ""}, {arIO, ""}, {arRemove, ""},
};

std::span<const TPicture> GridSet(TSystemType type)
{
    switch (type) {
    case stApolloLoop: return ApolloSet;
    case stHochikiLoop: return HochikiSet;
    case stSysSensorLoop: return SysSensorSet;
    case stNittanLoop: return NittanSet;
    }
    return {};
}

std::span<const TPicture> ToolbarSet(TSystemType type)
{
    switch (type) {
    case stApolloLoop: return ApolloToolbar;
    case stHochikiLoop: return HochikiToolbar;
    case stSysSensorLoop: return SysSensorToolbar;
    case stNittanLoop: return NittanToolbar;
    }
    return {};
}

const TPicture* Lookup(std::span<const TPicture> set, int index, bool skipFirst)
{
    if (index < (skipFirst ? 1 : 0) || index >= static_cast<int>(set.size()))
        return nullptr;
    return &set[static_cast<std::size_t>(index)];
}

QSvgRenderer& Renderer(TArt art)
{
    static std::array<std::unique_ptr<QSvgRenderer>, arCount> renderers;
    auto& r = renderers[static_cast<std::size_t>(art)];
    if (!r)
        r = std::make_unique<QSvgRenderer>(QStringLiteral(":/icons/%1.svg")
                                               .arg(QLatin1String(ArtFiles[static_cast<std::size_t>(art)])));
    return *r;
}

// The drawing scaled into the box with its own proportions, centred.
void DrawArt(QPainter& p, TArt art, const QRectF& box)
{
    QSvgRenderer& r = Renderer(art);
    const QSizeF size = QSizeF(r.defaultSize()).scaled(box.size(), Qt::KeepAspectRatio);
    const QRectF target(box.center().x() - size.width() / 2, box.center().y() - size.height() / 2,
                        size.width(), size.height());
    r.render(&p, target);
}

void DrawLabel(QPainter& p, const QString& label, const QSizeF& size)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(std::max(7, qRound(size.height() * 0.17)));
    p.setFont(font);
    const QFontMetricsF fm(font);
    const qreal pad = font.pixelSize() * 0.25;
    const QRectF box(0.5, 0.5, fm.horizontalAdvance(label) + 2 * pad, fm.height());
    p.setPen(QPen(QColor(0x22, 0x22, 0x22), 1));
    p.setBrush(QColor(0x1f, 0x4e, 0x9c));
    p.drawRoundedRect(box, 3, 3);
    p.setPen(Qt::white);
    p.drawText(box, Qt::AlignCenter, label);
}

QPixmap Render(const TPicture& picture, QSize size, qreal dpr, bool baseSounder)
{
    QPixmap pixmap(size * dpr);
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    DrawArt(p, picture.Art, QRectF(QPointF(0, 0), QSizeF(size)));
    if (*picture.Label)
        DrawLabel(p, QString::fromLatin1(picture.Label), QSizeF(size));
    if (baseSounder) {
        const qreal s = size.height() * 0.42;
        DrawArt(p, arBaseSounderBadge, QRectF(size.width() - s, size.height() - s, s, s));
    }
    return pixmap;
}

enum TSetKind { skGrid, skToolbar, skDropDown };

QPixmap Cached(TSetKind kind, TSystemType type, int index, bool baseSounder, qreal dpr)
{
    // Looked up for every cell of every paint: an integer key, no text to build.
    static QHash<quint64, QPixmap> cache;
    const quint64 key = quint64(kind) | quint64(type) << 8 | quint64(quint32(index)) << 16
        | quint64(baseSounder) << 48 | quint64(qRound(dpr * 100) & 0x7FFF) << 49;
    const auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return *it;

    static constexpr TPicture Unknown{arUnknown, ""};
    QPixmap result;
    switch (kind) {
    case skGrid: {
        const TPicture* pic = Lookup(GridSet(type), index, false);
        result = Render(pic ? *pic : Unknown, {DeviceArtwork::GridWidth, DeviceArtwork::GridHeight},
                        dpr, baseSounder);
        break;
    }
    case skToolbar:
        if (const TPicture* pic = Lookup(ToolbarSet(type), index, true))
            result = Render(*pic, {DeviceArtwork::ToolbarWidth, DeviceArtwork::ToolbarHeight}, dpr,
                            false);
        break;
    case skDropDown:
        if (const TPicture* pic = Lookup(GridSet(type), index, false))
            result = Render(*pic, {DeviceArtwork::DropDownSize, DeviceArtwork::DropDownSize}, dpr,
                            false);
        break;
    }
    cache.insert(key, result);
    return result;
}

} // namespace

namespace DeviceArtwork {

QPixmap GridIcon(TSystemType type, int index, bool baseSounder, qreal dpr)
{
    return Cached(skGrid, type, index, baseSounder, dpr);
}

QPixmap ToolbarPicture(TSystemType type, int index, qreal dpr)
{
    return Cached(skToolbar, type, index, false, dpr);
}

QPixmap DropDownPicture(TSystemType type, int index, qreal dpr)
{
    return Cached(skDropDown, type, index, false, dpr);
}

bool HasGridPicture(TSystemType type, int index)
{
    return Lookup(GridSet(type), index, false) != nullptr;
}

} // namespace DeviceArtwork
