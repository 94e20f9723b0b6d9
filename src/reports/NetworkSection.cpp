#include "reports/Reports.h"

#include "model/Data.h"

namespace {

QString YesNo(bool value)
{
    return value ? QStringLiteral("Y") : QStringLiteral("N");
}

} // namespace

void TReports::PrintNetworkSection()
{
    StartSection();
    Canvas().SetFontName(QStringLiteral("Times New Roman"));
    DrawTitle(QStringLiteral("Network Configuration"));
    SetFont(10);

    BeginColumns();
    AddColumn(QStringLiteral("Panel"), 4);
    AddColumn(QStringLiteral("Name"), 14);
    AddColumn(QStringLiteral("Fitted"), 4);
    EndRow();
    DrawTableBox(y_, y_ + MaxNetworkPanels * h_);
    DrawColumnRules(y_, y_ + MaxNetworkPanels * h_);

    // This panel's own row is bold; the style of the last row stays for the rest.
    for (int n = 1; n <= MaxNetworkPanels; ++n) {
        const TNetwork& panel = data_.RepeaterList.Repeaters[n];
        Canvas().SetFontStyle(n == data_.PanelNumber ? TFontStyles(fsBold) : TFontStyles());
        CellText(1, QString::number(n));
        CellText(2, panel.Name);
        CellText(3, YesNo(panel.Fitted));
        DrawRowRule();
        EndRow();
    }

    y_ += 4 * h_;
    BeginColumns();
    AddColumn(QStringLiteral("Accepts"), 15);
    AddColumn(QStringLiteral("From Panel"), 24);
    EndRow();
    BeginColumns();
    AddColumn(QString(), 15);
    for (int p = 1; p <= MaxNetworkPanels; ++p)
        AddColumn(QString::number(p), 3);
    y_ += 2 * h_;
    DrawTableBox(y_, y_ + 5 * h_);
    DrawColumnRules(y_, y_ + 5 * h_);

    const TZOL_Network& net = data_.Network;
    const struct {
        const char* Label;
        const TIndexedArray<bool, 1, MaxNetworkPanels>& Flags;
    } rows[] = {
        {"Faults", net.AcceptFaults},
        {"Alarms", net.AcceptAlarms},
        {"Controls", net.AcceptControls},
        {"Disablements", net.AcceptDisablements},
        {"Occupied/Un-Uccupied", net.AcceptOccupied},
    };
    for (const auto& row : rows) {
        CellText(1, QString::fromLatin1(row.Label));
        for (int p = 1; p <= MaxNetworkPanels; ++p)
            CellText(p + 1, YesNo(row.Flags[p]));
        DrawRowRule();
        EndRow();
    }
    DrawPageFooter();
}
