#pragma once

#include "Printer/PrevPrinter.h"
#include "model/IndexedArray.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class TData;
class TQEMLoop;
struct TDeviceType;

enum TLoopOrder { loDeviceNumber, loDeviceType, loZoneNumber };

// A rectangle of the site page, edges as drawn.
struct TReportBox {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

// Draws the report of one Print or Print Preview command onto the pages of its own engine.
// Every distance is given in points (1/72 inch) from the sheet and turned into the device's
// units at its own resolution, as the font sizes are: the pages are the same, in proportion,
// on any printer, in the preview, the PDF and zolctl's report.
class TReports {
public:
    // The width of one table cell; columns are whole cells.
    static constexpr double CellPoints = 13.2;
    static constexpr int MaxStops = 32;

    explicit TReports(const TData& data, TReferenceDevice device = rdDefaultPrinter);
    // On a reference printer of the caller's choice (a paper size of its own).
    TReports(const TData& data, std::unique_ptr<QPrinter> reference);
    ~TReports();
    TReports(const TReports&) = delete;
    TReports& operator=(const TReports&) = delete;

    TPreviewPrinter& Engine() { return *engine_; }

    bool OnlyFitted = false;
    TLoopOrder Order = loDeviceNumber;
    // The moment the footers show; the wall clock unless a caller fixes it.
    std::function<QDateTime()> Clock = [] { return QDateTime::currentDateTime(); };

    void PrintSiteSection();
    void PrintLoopSections();
    void PrintZoneSection();
    void PrintGroupSection();
    void PrintOutputSetSection();
    void PrintCauseEffectSection();
    void PrintNetworkSection();
    // Parts of their own after the report's pages, in the same job: the preview, the PDF
    // and the printer show them in the order they were recorded.
    void PrintCommentsPage();
    void PrintEventLog();
    void PrintChangeRecord();

    // The change record kept beside the configuration, as its text lines; the caller reads it
    // (the report does not know where records live).
    QStringList ChangeRecord;

    void FinishAndPrint();
    void FinishAndPreview();

    int PW() const { return pw_; }
    int PH() const { return ph_; }
    int OX() const { return ox_; }
    int OY() const { return oy_; }
    int PageNumber() const { return pageNumber_; }
    TReportBox ClientBox() const { return clientBox_; }
    TReportBox InstallerBox() const { return installerBox_; }
    TReportBox PanelBox() const { return panelBox_; }
    // The site page's text size, in points (14 unless the sheet is too short for it).
    int SitePoints() const { return sitePoints_; }

    static QString DelayText(int seconds);
    static QString RowLabel(int zoneEntry);

private:
    TKelMetaFileCanvas& Canvas() { return engine_->Canvas(); }
    // A distance in points as device units across and down the sheet.
    int Across(double points) const;
    int Down(double points) const;
    void SetFont(int points, TFontStyles style = {});
    // Heights down the sheet are kept unrounded and rounded once, where they are drawn.
    void Text(int x, double y, const QString& text) { Canvas().TextOut(x, qRound(y), text); }
    void Line(int x1, double y1, int x2, double y2);

    // Shared drawing steps.
    void StartSection();
    void DrawTitle(const QString& title);
    void BeginColumns();
    void AddColumn(const QString& heading, int cells);
    void DrawTableBox(double top, double bottom);
    void DrawColumnRules(double top, double bottom);
    // A table of a fixed number of rows stays above the footer band: on a short sheet (a
    // landscape one) its rows come closer, and its face gets smaller where they must.
    void FitRows(int rows);
    void DrawRowRule();
    void EndRow();
    void CellText(int column, const QString& text);
    // Cell text in a smaller size where the section's size would run past the column.
    void FittedCellText(int column, const QString& text);
    // The pulsed mark: a bold bar centred at x on the current row, readable on paper and
    // on screen alike.
    void PulsedMark(int centreX, int halfLength);
    void PulsedCell(int column);
    // Row 1 of a KEY column: the pulsed mark, then " = Pulsed".
    void PulsedKey(int column);
    // The marks of the group and set tables stand in the middle of their cells, and the KEY
    // lines clear of the column's rule, so no mark touches a rule.
    void MarkCell(int column, const QString& mark);
    void KeyText(int column, const QString& text);
    void DrawPageFooter();
    void DrawBox(const TReportBox& box);

    // Names, with an empty text for numbers the tables do not hold.
    QString ZoneName(int zone) const;
    QString GroupName(int group) const;
    QString SetName(int set) const;
    QString PlaceName(int nameIndex) const;

    // Loop sections.
    void PrintLoop(int loopNumber);
    bool LoopHasRows(const TQEMLoop& loop, int count) const;
    void LoopPageHead(int loopNumber);
    void CloseLoopPage();
    void PrintPoint(const TQEMLoop& loop, int point);
    void PrintChannelPoint(const TQEMLoop& loop, int point);
    QString PointTypeText(const TQEMLoop& loop, int point) const;
    QString PointZoneText(const TQEMLoop& loop, int point) const;

    // Site section.
    double SiteLine(int x, double y, const QString& label, const QString& value);
    double SecondsLine(int x, double y, const QString& label, int seconds);
    double BlankLine(double y);
    double SwitchLine(int boxLeft, double y, const QString& label, bool enabled);
    // The largest size up to 14 pt at which every box holds its lines.
    void FitSiteFont();

    const TData& data_;
    std::unique_ptr<TPreviewPrinter> engine_;
    int pw_ = 0;
    int ph_ = 0;
    int ox_ = 0;
    int oy_ = 0;
    TReportBox clientBox_;
    TReportBox installerBox_;
    TReportBox panelBox_;
    bool firstSection_ = true;
    double y_ = 0;
    double h_ = 0;
    double tableTop_ = 0;
    int tableLeft_ = 0;
    int tableRight_ = 0;
    TIndexedArray<int, 1, MaxStops> x_;
    int n_ = 0;
    int cells_ = 0;
    int pageNumber_ = 0;
    int sitePoints_ = 14;
};
