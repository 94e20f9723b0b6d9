#include "reports/Reports.h"

#include "model/Data.h"

namespace {

QString YesNo(bool value)
{
    return value ? QStringLiteral("Y") : QStringLiteral("N");
}

QString GroupReactionText(int reaction)
{
    switch (reaction) {
    case grOff: return QStringLiteral(" ");
    case grContinuous: return QStringLiteral("O");
    }
    return QStringLiteral("?");
}

QString SetReactionText(int reaction)
{
    switch (reaction) {
    case srNotTriggered: return QStringLiteral(" ");
    case srContinuous: return QStringLiteral("O");
    case srDelayed: return QStringLiteral("#");
    }
    return QStringLiteral("?");
}

} // namespace

void TReports::PrintZoneSection()
{
    StartSection();
    Canvas().SetFontName(QStringLiteral("Times New Roman"));
    DrawTitle(QStringLiteral("Zone Configuration"));
    SetFont(10);

    BeginColumns();
    AddColumn(QString(), 4);
    AddColumn(QString(), 14);
    AddColumn(QStringLiteral("Delays"), 12);
    AddColumn(QStringLiteral("Function With"), 8);
    AddColumn(QStringLiteral(">1 Alarm"), 4);
    EndRow();

    BeginColumns();
    AddColumn(QString(), 4);
    AddColumn(QStringLiteral("Name"), 10);
    AddColumn(QStringLiteral("Sounders"), 4);
    AddColumn(QStringLiteral("Relay 1"), 4);
    AddColumn(QStringLiteral("Relay 2"), 4);
    AddColumn(QStringLiteral("Outputs"), 4);
    AddColumn(QStringLiteral("Detectors"), 4);
    AddColumn(QStringLiteral("MCPs"), 4);
    AddColumn(QStringLiteral("ends Delay"), 4);
    EndRow();

    FitRows(MaxZone);
    DrawTableBox(y_, y_ + MaxZone * h_);
    DrawColumnRules(y_, y_ + MaxZone * h_);

    for (int r = 1; r <= MaxZone; ++r) {
        const TZone& zone = data_.ZoneList.Zone(r);
        CellText(1, RowLabel(r));
        CellText(2, zone.Name);
        CellText(3, DelayText(zone.SounderTimer));
        CellText(4, DelayText(zone.Relay1Timer));
        CellText(5, DelayText(zone.Relay2Timer));
        CellText(6, DelayText(zone.RemoteTimer));
        CellText(7, YesNo(zone.SounderEnable));
        CellText(8, YesNo(zone.MCPEnable));
        CellText(9, YesNo(zone.EndDelays));
        DrawRowRule();
        EndRow();
    }
    DrawPageFooter();
}

void TReports::PrintGroupSection()
{
    StartSection();
    Canvas().SetFontName(QStringLiteral("Times New Roman"));
    DrawTitle(QStringLiteral("Group Configuration"));
    SetFont(10);

    BeginColumns();
    AddColumn(QString(), 3);
    for (int g = 1; g <= MaxGroup; ++g)
        AddColumn(QString::number(g), 2);
    AddColumn(QStringLiteral("KEY"), 8);
    EndRow();

    FitRows(MaxZone);
    DrawTableBox(y_, y_ + MaxZone * h_);
    DrawColumnRules(y_, y_ + MaxZone * h_);

    const int keyColumn = MaxGroup + 2;
    for (int r = 1; r <= MaxZone; ++r) {
        const TZone& zone = data_.ZoneList.Zone(r);
        CellText(1, RowLabel(r));
        for (int g = 1; g <= MaxGroup; ++g) {
            if (zone.GroupConfig[g] == grPulsed)
                PulsedCell(g + 1);
            else
                MarkCell(g + 1, GroupReactionText(zone.GroupConfig[g]));
        }
        if (r == 1)
            PulsedKey(keyColumn);
        else if (r == 2)
            KeyText(keyColumn, QStringLiteral("O = Continuous"));
        DrawRowRule();
        EndRow();
    }
    DrawPageFooter();
}

void TReports::PrintOutputSetSection()
{
    StartSection();
    Canvas().SetFontName(QStringLiteral("Times New Roman"));
    DrawTitle(QStringLiteral("Output Set Configuration"));
    SetFont(10);

    BeginColumns();
    AddColumn(QString(), 3);
    for (int s = 1; s <= 16; ++s)
        AddColumn(QString::number(s), 1);
    AddColumn(QStringLiteral("RLY 1"), 3);
    AddColumn(QStringLiteral("RLY 2"), 3);
    AddColumn(QStringLiteral("KEY"), 8);
    EndRow();

    constexpr int rows = MaxZone + 2;
    constexpr int silenceRow = MaxZone + 2;
    FitRows(rows);
    DrawTableBox(y_, y_ + rows * h_);
    DrawColumnRules(y_, y_ + rows * h_);

    const int keyColumn = MaxSet + 2;
    const TZone& silenceable = data_.ZoneList.Zone(0);
    // Row 41 stays empty; row 42 shows which sets the panel may silence.
    for (int r = 1; r <= rows; ++r) {
        if (r <= MaxZone)
            CellText(1, RowLabel(r));
        else if (r == silenceRow)
            CellText(1, QStringLiteral("Silence"));
        for (int s = 1; s <= MaxSet; ++s) {
            if (r <= MaxZone && data_.ZoneList.Zone(r).SetConfig[s] == srPulsed)
                PulsedCell(s + 1);
            else if (r <= MaxZone)
                MarkCell(s + 1, SetReactionText(data_.ZoneList.Zone(r).SetConfig[s]));
            else if (r == silenceRow && silenceable.SetConfig[s] == 1)
                MarkCell(s + 1, QStringLiteral("Y"));
        }
        if (r == 1)
            PulsedKey(keyColumn);
        else if (r == 2)
            KeyText(keyColumn, QStringLiteral("O = Continuous"));
        else if (r == 3)
            KeyText(keyColumn, QStringLiteral("# = Delayed"));
        DrawRowRule();
        EndRow();
    }
    DrawPageFooter();
}
