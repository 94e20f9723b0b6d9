#include "reports/Reports.h"

#include "model/Data.h"

#include <QPrinter>

namespace {

const QString TitleFontName = QStringLiteral("Times New Roman");
constexpr int TitlePoints = 14;
constexpr int FooterPoints = 10;
// From each edge of the sheet to the footer band.
constexpr double FooterMarginPoints = 18;
// From the printable area's left edge to a table or box.
constexpr double LeftIndentPoints = 7.2;
// Kept clear between a table and the footer band.
constexpr double FooterGapPoints = 3;
// Cell texts are made smaller down to this size to stay inside their column.
constexpr int MinFittedPoints = 6;
const QString FooterTimeFormat = QStringLiteral("HH:mm:ss");
const QString FooterDateFormat = QStringLiteral("dd/MM/yyyy");

} // namespace

TReports::TReports(const TData& data, TReferenceDevice device)
    : TReports(data, MakeReferencePrinter(device))
{
}

TReports::TReports(const TData& data, std::unique_ptr<QPrinter> reference)
    : data_(data), engine_(std::make_unique<TPreviewPrinter>(nullptr, std::move(reference)))
{
    engine_->BeginDoc();
    pw_ = engine_->PageWidth();
    ph_ = engine_->PageHeight();
    ox_ = engine_->OffsetX();
    oy_ = engine_->OffsetY();
}

TReports::~TReports() = default;

int TReports::Across(double points) const
{
    return qRound(points * engine_->ResolutionX() / 72.0);
}

int TReports::Down(double points) const
{
    return qRound(points * engine_->ResolutionY() / 72.0);
}

void TReports::FinishAndPrint()
{
    engine_->EndDoc();
    engine_->PrintAll();
}

void TReports::FinishAndPreview()
{
    engine_->EndDoc();
    engine_->Preview();
}

QString TReports::DelayText(int seconds)
{
    if (seconds == -1)
        return QStringLiteral("-.-");
    return QString::number(seconds / 60) + QLatin1Char(':') + QString::number(seconds % 60);
}

QString TReports::RowLabel(int zoneEntry)
{
    return zoneEntry <= MaxFireZone
        ? QStringLiteral("Zone ") + QString::number(zoneEntry)
        : QStringLiteral("Panel ") + QString::number(zoneEntry - MaxFireZone);
}

void TReports::SetFont(int points, TFontStyles style)
{
    TKelMetaFileCanvas& c = Canvas();
    c.SetFontSize(points);
    c.SetFontStyle(style);
}

void TReports::Line(int x1, double y1, int x2, double y2)
{
    TKelMetaFileCanvas& c = Canvas();
    c.MoveTo(x1, qRound(y1));
    c.LineTo(x2, qRound(y2));
}

void TReports::StartSection()
{
    // The first section uses the page the document opened with; the page is only touched
    // once something is drawn on it.
    if (!firstSection_) {
        engine_->NewPage();
        y_ = oy_;
    }
    firstSection_ = false;
}

void TReports::DrawTitle(const QString& title)
{
    TKelMetaFileCanvas& c = Canvas();
    c.SetFontName(TitleFontName);
    SetFont(TitlePoints, fsBold | fsItalic | fsUnderline);
    y_ = oy_;
    Text((pw_ - c.TextWidth(title)) / 2, y_, title);
    h_ = c.LineHeight();
    y_ = oy_ + 2 * h_;
}

void TReports::BeginColumns()
{
    x_[1] = ox_ + Across(LeftIndentPoints);
    n_ = 0;
    cells_ = 0;
}

void TReports::AddColumn(const QString& heading, int cells)
{
    // Each rule is placed from the table's edge, so rounding does not add up across columns.
    cells_ += cells;
    x_[n_ + 2] = ox_ + Across(LeftIndentPoints + CellPoints * cells_);
    const int w = x_[n_ + 2] - x_[n_ + 1];
    Text(x_[n_ + 1] + (w - Canvas().TextWidth(heading)) / 2, y_, heading);
    ++n_;
}

void TReports::DrawTableBox(double top, double bottom)
{
    TKelMetaFileCanvas& c = Canvas();
    const int left = x_[1];
    const int right = x_[n_ + 1];
    const int t = qRound(top);
    const int b = qRound(bottom);
    c.MoveTo(left, t);
    c.LineTo(right, t);
    c.LineTo(right, b);
    c.LineTo(left, b);
    c.LineTo(left, t);
    tableLeft_ = left;
    tableRight_ = right;
}

void TReports::DrawColumnRules(double top, double bottom)
{
    for (int i = 1; i <= n_ + 1; ++i)
        Line(x_[i], top, x_[i], bottom);
}

void TReports::FitRows(int rows)
{
    TKelMetaFileCanvas& c = Canvas();
    const int points = c.FontSize();
    const TFontStyles style = c.FontStyle();
    SetFont(FooterPoints);
    const double footerTop = ph_ - Down(FooterMarginPoints) - 2 * c.LineHeight();
    SetFont(points, style);
    const double pitch = (footerTop - Down(FooterGapPoints) - y_) / rows;
    if (pitch >= h_)
        return;
    h_ = pitch;
    for (int size = points; size > MinFittedPoints && c.LineHeight() > h_; --size)
        c.SetFontSize(size - 1);
}

void TReports::DrawRowRule()
{
    // A sixth of the pitch above the row, or in the middle of the gap between the rows where
    // they stand closer than that.
    const double gap = h_ - Canvas().LineHeight();
    const double ry = y_ - (gap >= h_ / 6 ? h_ / 6 : qMax(0.0, gap / 2));
    Line(tableLeft_, ry, tableRight_, ry);
}

void TReports::EndRow()
{
    y_ += h_;
}

void TReports::CellText(int column, const QString& text)
{
    Text(x_[column], y_, text);
}

void TReports::FittedCellText(int column, const QString& text)
{
    TKelMetaFileCanvas& c = Canvas();
    const int points = c.FontSize();
    // A little room before the next column's rule.
    const int room = x_[column + 1] - x_[column] - Across(CellPoints / 10);
    for (int size = points; size > MinFittedPoints && c.TextWidth(text) > room; --size)
        c.SetFontSize(size - 1);
    CellText(column, text);
    c.SetFontSize(points);
}

void TReports::PulsedMark(int centreX, int halfLength)
{
    TKelMetaFileCanvas& c = Canvas();
    const QPen before = c.Pen();
    QPen bar(before.color());
    bar.setWidth(qMax(2, int(h_ / 7)));
    bar.setCapStyle(Qt::FlatCap);
    c.SetPen(bar);
    const double y = y_ + (2 * h_) / 5;
    Line(centreX - halfLength, y, centreX + halfLength, y);
    c.SetPen(before);
}

void TReports::PulsedCell(int column)
{
    const int width = x_[column + 1] - x_[column];
    PulsedMark(x_[column] + width / 2, qMin(width / 3, int(h_ / 2)));
}

void TReports::PulsedKey(int column)
{
    // Where the other keys' letter stands, clear of the column's rule.
    const int wO = Canvas().TextWidth(QStringLiteral("O"));
    PulsedMark(x_[column] + wO, wO / 2);
    Text(x_[column] + 2 * wO, y_, QStringLiteral(" = Pulsed"));
}

void TReports::MarkCell(int column, const QString& mark)
{
    const int width = x_[column + 1] - x_[column];
    Text(x_[column] + (width - Canvas().TextWidth(mark)) / 2, y_, mark);
}

void TReports::KeyText(int column, const QString& text)
{
    Text(x_[column] + Canvas().TextWidth(QStringLiteral("O")) / 2, y_, text);
}

void TReports::DrawBox(const TReportBox& box)
{
    TKelMetaFileCanvas& c = Canvas();
    c.MoveTo(box.Left, box.Top);
    c.LineTo(box.Right, box.Top);
    c.LineTo(box.Right, box.Bottom);
    c.LineTo(box.Left, box.Bottom);
    c.LineTo(box.Left, box.Top);
}

void TReports::DrawPageFooter()
{
    ++pageNumber_;
    SetFont(FooterPoints);
    TKelMetaFileCanvas& c = Canvas();
    // n widths of "F", measured as one text so that the rounding does not multiply.
    const auto wF = [&c](int n) { return c.TextWidth(QString(n, QLatin1Char('F'))); };
    const int marginX = Across(FooterMarginPoints);
    const int marginY = Down(FooterMarginPoints);
    const double hF = c.LineHeight();
    const TReportBox band{marginX, qRound(ph_ - marginY - 2 * hF), pw_ - marginX, ph_ - marginY};
    DrawBox(band);

    const QDateTime now = Clock();
    const double ty = ph_ - marginY - 1.5 * hF;
    const QString page = QStringLiteral("Page ") + QString::number(pageNumber_);
    Text(marginX + wF(1), ty,
         QStringLiteral("Service Number : ") + data_.SiteConfig.EngineerNo);
    Text((pw_ - c.TextWidth(page)) / 2, ty, page);
    Text(pw_ - marginX - wF(32), ty, now.time().toString(FooterTimeFormat));
    Text(pw_ - marginX - wF(13), ty, now.date().toString(FooterDateFormat));

    for (const int x : {pw_ - marginX - wF(16), pw_ - marginX - wF(35), marginX + wF(40)})
        Line(x, band.Top, x, band.Bottom);
}

QString TReports::ZoneName(int zone) const
{
    return TIndexedArray<TZone, 0, MaxZone>::Contains(zone) ? data_.ZoneList.Zone(zone).Name
                                                            : QString();
}

QString TReports::GroupName(int group) const
{
    return group >= 0 && group <= MaxGroup ? data_.GroupList.GroupName(group) : QString();
}

QString TReports::SetName(int set) const
{
    return set >= 0 && set <= MaxSet ? data_.GroupList.SetName(set) : QString();
}

QString TReports::PlaceName(int nameIndex) const
{
    return data_.NameTable.Name(nameIndex);
}
