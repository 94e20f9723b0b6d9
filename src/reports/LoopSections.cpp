#include "reports/Reports.h"

#include "model/Data.h"

namespace {

constexpr int ChannelCount = 4;
constexpr int NotUsedChannel = 63;
constexpr int OutputChannelBit = 128;
// Between the headings and the table, and the room kept under it for the footer.
constexpr double HeadingGapPoints = 6;
constexpr double FooterRoomPoints = 54;

} // namespace

void TReports::PrintLoopSections()
{
    PrintLoop(1);
    PrintLoop(2);
}

void TReports::LoopPageHead(int loopNumber)
{
    StartSection();
    Canvas().SetFontName(QStringLiteral("Times New Roman"));
    DrawTitle(QStringLiteral("Loop ") + QString::number(loopNumber) +
              QStringLiteral(" Configuration"));
    BeginColumns();
    AddColumn(QStringLiteral("Dev"), 3);
    AddColumn(QStringLiteral("Sub"), 3);
    AddColumn(QStringLiteral("Type"), 16);
    AddColumn(QStringLiteral("Zone/Group"), 10);
    AddColumn(QStringLiteral("Place Name"), 10);
    y_ += h_ + Down(HeadingGapPoints);
    SetFont(10);
    tableTop_ = y_;
    tableLeft_ = x_[1];
    tableRight_ = x_[6];
}

void TReports::CloseLoopPage()
{
    DrawTableBox(tableTop_, y_);
    DrawColumnRules(tableTop_, y_);
    DrawPageFooter();
}

bool TReports::LoopHasRows(const TQEMLoop& loop, int count) const
{
    for (int p = 1; p <= count; ++p) {
        const TDeviceType& d = loop.Devices[p];
        const bool fitted = loop.IsFitted(p);
        switch (Order) {
        case loDeviceNumber:
            if (!OnlyFitted || fitted)
                return true;
            break;
        case loDeviceType:
            if (fitted)
                return true;
            break;
        case loZoneNumber:
            if (d.Zone >= 1 && d.Zone <= MaxFireZone && (!OnlyFitted || fitted))
                return true;
            break;
        }
    }
    return false;
}

void TReports::PrintLoop(int loopNumber)
{
    const TQEMLoop& loop = data_.Loop(loopNumber);
    // Both loops share the protocol, so loop 1 gives the number of points for both.
    const int count = data_.Loop1.MaxCellCount();
    // A loop without a row to print (no fitted device) gets no empty page.
    if (!LoopHasRows(loop, count))
        return;
    LoopPageHead(loopNumber);
    const double rowLimit = ph_ - Down(FooterRoomPoints);

    // Every point considered runs the page-full test, printed or not: a point with channels
    // needs room for its four extra rows. A page that has no row yet is never closed: on a
    // sheet too short for one row that would open a page for every point considered.
    auto consider = [&](int point, bool passes) {
        const double need = loop.HasChannelNames(point) ? 4 * h_ : 0;
        if (y_ + need >= rowLimit && y_ > tableTop_) {
            CloseLoopPage();
            LoopPageHead(loopNumber);
        }
        if (passes)
            PrintPoint(loop, point);
    };
    auto fitted = [&](int point) { return loop.IsFitted(point); };

    switch (Order) {
    case loDeviceNumber:
        for (int p = 1; p <= count; ++p)
            consider(p, !OnlyFitted || fitted(p));
        break;
    case loDeviceType:
        for (int t = 0; t <= 253; ++t)
            for (int p = 1; p <= count; ++p)
                consider(p, loop.Devices[p].TypeCode == t);
        break;
    case loZoneNumber:
        for (int z = 1; z <= MaxFireZone; ++z)
            for (int p = 1; p <= count; ++p)
                consider(p, loop.Devices[p].Zone == z && (!OnlyFitted || fitted(p)));
        break;
    }
    CloseLoopPage();
}

void TReports::PrintPoint(const TQEMLoop& loop, int point)
{
    if (loop.HasChannelNames(point)) {
        PrintChannelPoint(loop, point);
    } else {
        const TDeviceType& d = loop.Devices[point];
        CellText(1, QString::number(point));
        CellText(3, PointTypeText(loop, point));
        CellText(4, PointZoneText(loop, point));
        CellText(5, PlaceName(d.SharedData[2]));
    }
    if (y_ > tableTop_)
        DrawRowRule();
    EndRow();
}

void TReports::PrintChannelPoint(const TQEMLoop& loop, int point)
{
    const TDeviceType& d = loop.Devices[point];
    CellText(1, QString::number(point));
    for (int k = 0; k < ChannelCount; ++k) {
        const int u = d.SharedData[2 * k + 1];
        const int nameIndex = d.SharedData[2 * k + 2];
        QString zoneText;
        QString place;
        if ((u & 63) == NotUsedChannel) {
            zoneText = QStringLiteral("Not Used");
        } else {
            if (u & OutputChannelBit) {
                zoneText = SetName(u & 31);
            } else {
                if (d.Zone > 0)
                    zoneText = QStringLiteral("Zone ") + QString::number(u & 63) +
                               QStringLiteral("- ");
                zoneText += ZoneName(u & 63);
            }
            place = PlaceName(nameIndex);
        }
        CellText(2, QString::number(k));
        if (k == 0)
            CellText(3, loop.DeviceShortName(d.TypeCode));
        CellText(4, zoneText);
        CellText(5, place);
        DrawRowRule();
        EndRow();
    }
}

QString TReports::PointTypeText(const TQEMLoop& loop, int point) const
{
    const TDeviceType& d = loop.Devices[point];
    QString text = loop.DeviceShortName(d.TypeCode);
    if (loop.BaseSounderFitted(point))
        text += QStringLiteral(" + Base Sounder (Group ")
            + QString::number(loop.Devices[point + TQEMLoop::BaseSounderOffset].Zone)
            + QLatin1Char(')');
    return text;
}

QString TReports::PointZoneText(const TQEMLoop& loop, int point) const
{
    const int zone = loop.Devices[point].Zone;
    if (loop.IsSounderClass(point))
        return GroupName(zone & 31);
    if (loop.IsIOClass(point))
        return SetName(zone & 31);
    if (zone > 0)
        return QStringLiteral("Zone ") + QString::number(zone & 63) + QStringLiteral("- ") +
               ZoneName(zone & 63);
    return ZoneName(zone & 63);
}
