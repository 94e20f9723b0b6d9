#include "reports/Reports.h"

#include "model/Data.h"

namespace {

// Distances in points: where the values start (from the sheet's left edge), the boxes' indent
// and gap, the room kept for the footer, and how much shorter or taller than a third of the
// rest the boxes are.
constexpr double ValueColumnPoints = 264;
constexpr double IndentPoints = 7.2;
constexpr double FooterRoomPoints = 54;
constexpr double ShorterBoxPoints = 24;
constexpr double TallerBoxPoints = 66;
constexpr int MaxSitePoints = 14;
// A sheet too short for the boxes at 14 pt gets a smaller face, down to this size.
constexpr int MinSitePoints = 8;
// Lines of each box, blank ones included (the panel box with every optional line).
constexpr int ClientLines = 11;
constexpr int InstallerLines = 10;
constexpr int PanelLines = 17;
const QString DateFormat = QStringLiteral("dd/MM/yyyy");

} // namespace

double TReports::SiteLine(int x, double y, const QString& label, const QString& value)
{
    SetFont(sitePoints_, fsBold);
    const double advance = Canvas().LineHeight();
    Text(x, y, label);
    SetFont(sitePoints_);
    Text(Across(ValueColumnPoints), y, (label.isEmpty() ? QStringLiteral(" ") : QStringLiteral(":")) + value);
    return y + advance;
}

double TReports::SecondsLine(int x, double y, const QString& label, int seconds)
{
    const QString value = seconds == InfiniteDelay
        ? QStringLiteral("Infinity")
        : QString::number(seconds) + QStringLiteral("  Seconds");
    return SiteLine(x, y, label, value);
}

double TReports::BlankLine(double y)
{
    SetFont(sitePoints_, fsBold);
    const double advance = Canvas().LineHeight();
    SetFont(sitePoints_);
    Text(0, y, QStringLiteral(" "));
    return y + advance;
}

double TReports::SwitchLine(int boxLeft, double y, const QString& label, bool enabled)
{
    // Unlike the labelled lines, a switch line is indented by two "T" of the bold face.
    SetFont(sitePoints_, fsBold);
    const double advance = Canvas().LineHeight();
    Text(boxLeft + 2 * Canvas().TextWidth(QStringLiteral("T")), y, label);
    SetFont(sitePoints_);
    Text(Across(ValueColumnPoints), y, enabled ? QStringLiteral(":ENABLED") : QStringLiteral(":disabled"));
    return y + advance;
}

void TReports::FitSiteFont()
{
    // Every line, "Software Version" too, stays inside its box. Measured on the canvas's fine
    // grid, so every device chooses the same size.
    TRecordedPage scratch(QSize(1, 1));
    TKelMetaFileCanvas fine(scratch, TKelMetaFileCanvas::MeasureResolution);
    fine.SetFontName(Canvas().FontName());
    const double scale = double(TKelMetaFileCanvas::MeasureResolution) / engine_->ResolutionY();
    const auto height = [scale](const TReportBox& box) { return (box.Bottom - box.Top) * scale; };
    for (sitePoints_ = MaxSitePoints; sitePoints_ > MinSitePoints; --sitePoints_) {
        fine.SetFontSize(sitePoints_);
        fine.SetFontStyle(fsBold);
        const int hW = fine.TextHeight(QStringLiteral("W"));
        fine.SetFontStyle({});
        const int hT = fine.TextHeight(QStringLiteral("T"));
        if (2 * hT + ClientLines * hW <= height(clientBox_)
            && 2 * hT + InstallerLines * hW <= height(installerBox_)
            && hT + PanelLines * hW <= height(panelBox_))
            return;
    }
}

void TReports::PrintSiteSection()
{
    const TSiteConfig& site = data_.SiteConfig;
    StartSection();
    Canvas().SetFontName(QStringLiteral("Times New Roman"));
    DrawPageFooter();

    const int g = (ph_ - Down(FooterRoomPoints) - 6 * oy_) / 3;
    const int gap = Down(IndentPoints);
    const int left = ox_ + Across(IndentPoints);
    const int right = (pw_ - ox_) - Across(IndentPoints);
    clientBox_ = {left, oy_ + gap, right, oy_ + gap + g - Down(ShorterBoxPoints)};
    installerBox_.Left = left;
    installerBox_.Right = right;
    installerBox_.Top = clientBox_.Bottom + gap + oy_;
    installerBox_.Bottom = installerBox_.Top + g - Down(ShorterBoxPoints);
    panelBox_.Left = left;
    panelBox_.Right = right;
    panelBox_.Top = installerBox_.Bottom + gap + oy_;
    panelBox_.Bottom = panelBox_.Top + g + Down(TallerBoxPoints);
    DrawBox(clientBox_);
    DrawBox(installerBox_);
    DrawBox(panelBox_);

    FitSiteFont();
    SetFont(sitePoints_);
    const int wT = Canvas().TextWidth(QStringLiteral("T"));
    const double hT = Canvas().LineHeight();
    const int x = left + 2 * wT;
    const QString version = site.GetMainVersion();

    double y = clientBox_.Top + 2 * hT;
    y = SiteLine(x, y, QStringLiteral("Clients Name"), site.ClientName);
    y = SiteLine(x, y, QStringLiteral("Clients Address"), site.ClientAddress1);
    y = SiteLine(x, y, QString(), site.ClientAddress2);
    y = SiteLine(x, y, QString(), site.ClientAddress3);
    y = SiteLine(x, y, QString(), site.ClientAddress4);
    y = SiteLine(x, y, QStringLiteral("Postcode"), site.ClientAddress5);
    y = BlankLine(y);
    y = BlankLine(y);
    y = SiteLine(x, y, QStringLiteral("Location of Panel"), site.PanelLocation);
    y = BlankLine(y);
    SiteLine(x, y, QStringLiteral("Software Version"), version);

    y = installerBox_.Top + 2 * hT;
    y = SiteLine(x, y, QStringLiteral("Installers Name"), site.InstallerName);
    y = SiteLine(x, y, QStringLiteral("Installers Address"), site.InstallerAddress1);
    y = SiteLine(x, y, QString(), site.InstallerAddress2);
    y = SiteLine(x, y, QString(), site.InstallerAddress3);
    y = SiteLine(x, y, QString(), site.InstallerAddress4);
    y = SiteLine(x, y, QStringLiteral("Postcode"), site.InstallerAddress5);
    y = BlankLine(y);
    y = BlankLine(y);
    y = SiteLine(x, y, QStringLiteral("Service Number"), site.EngineerNo);
    SiteLine(x, y, QStringLiteral("Engineer Name"), site.Engineer);

    y = panelBox_.Top + hT;
    y = SiteLine(x, y, QStringLiteral("Normal String"), site.QuiescentString);
    y = SiteLine(x, y, QStringLiteral("Maintenance String"), site.MaintenanceString);
    y = SiteLine(x, y, QStringLiteral("Maintenance Date"),
                 site.MaintenanceDate.isValid() ? site.MaintenanceDate.toString(DateFormat)
                                                : QString());
    y = BlankLine(y);
    y = SecondsLine(x, y, QStringLiteral("Phased Delay"), site.PhasedDelay);
    // Each value under the name the Zone Config page gives it.
    y = SecondsLine(x, y, QStringLiteral("Input Delay"), site.InvestigationPeriod1);
    y = SecondsLine(x, y, QStringLiteral("Investigation Period"), site.InvestigationPeriod);
    y = BlankLine(y);
    y = SiteLine(x, y, QStringLiteral("Night (Un-Occupied) Time"), site.NightBegin);
    y = SiteLine(x, y, QStringLiteral("Day (Occupied) Time"), site.NightEnd);
    y = SiteLine(x, y, QStringLiteral("Re-Calibration Time"), site.ReCalTime);

    // Versions compare as text; a configuration no panel has reported yet offers everything.
    const bool notAvailable = version == NotAvailableVersion;
    if (version > QStringLiteral("09A00") || notAvailable)
        y = SwitchLine(left, y, QStringLiteral("Auto BST correction"), site.BST_Adjustment);
    if (version >= QStringLiteral("09A07") || notAvailable)
        y = SwitchLine(left, y, QStringLiteral("Real Time Event Output"),
                       site.RealTime_Event_Output);
    const double afterLed =
        SwitchLine(left, y, QStringLiteral("Polling LED"), site.Discovery_Polling_LED);

    if (version > QStringLiteral("08A43") || notAvailable) {
        y = afterLed;
        y = SiteLine(x, y, QStringLiteral("MCP Confirmation Delay"),
                     QString::number(site.MCP_Delay));
        y = SiteLine(x, y, QStringLiteral("IO Confirmation Delay"), QString::number(site.IO_Delay));
        SiteLine(x, y, QStringLiteral("Detector Confirmation Delay"),
                 QString::number(site.Detector_Delay));
    }
}
