#include "PrintTestSupport.h"

#include "Printer/KelMetaFileCanvas.h"

#include <QDateTime>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

std::unique_ptr<TReports> MakeReports(const TData& data)
{
    auto reports = std::make_unique<TReports>(data, rdPdf);
    reports->Clock = [] { return QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9)); };
    return reports;
}

TFontMeasure Measure(const QString& sample, int points, TFontStyles style, const QString& family)
{
    TRecordedPage scratch(QSize(1, 1));
    TKelMetaFileCanvas canvas(scratch, PdfResolution);
    canvas.SetFontName(family);
    canvas.SetFontSize(points);
    canvas.SetFontStyle(style);
    return {canvas.TextWidth(sample), canvas.LineHeight()};
}

const TPageText* FindText(const TRecordedPage& page, const QString& text)
{
    for (const TPageItem& item : page.Items())
        if (const auto* t = std::get_if<TPageText>(&item); t && t->Text == text)
            return t;
    return nullptr;
}

namespace {

bool Near(int at, double y)
{
    return qAbs(at - y) <= 1.0;
}

} // namespace

std::vector<QString> TextsAt(const TRecordedPage& page, int x, double y)
{
    std::vector<QString> found;
    for (const TPageText& t : page.Texts())
        if (t.TopLeft.x() == x && Near(t.TopLeft.y(), y))
            found.push_back(t.Text);
    return found;
}

std::vector<TPageText> TextsInColumn(const TRecordedPage& page, int x)
{
    std::vector<TPageText> found;
    for (const TPageText& t : page.Texts())
        if (t.TopLeft.x() == x)
            found.push_back(t);
    return found;
}

bool HasLine(const TRecordedPage& page, int x1, double y1, int x2, double y2)
{
    const auto at = [](const QPoint& p, int x, double y) { return p.x() == x && Near(p.y(), y); };
    for (const TPageLine& l : page.Lines())
        if ((at(l.From, x1, y1) && at(l.To, x2, y2)) || (at(l.From, x2, y2) && at(l.To, x1, y1)))
            return true;
    return false;
}

int PdfPageCount(const QByteArray& pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    return static_cast<int>(QString::fromLatin1(pdf).count(page));
}

QSizeF PdfFirstMediaBox(const QByteArray& pdf)
{
    static const QRegularExpression box(
        QStringLiteral("/MediaBox\\s*\\[\\s*0\\s+0\\s+([0-9.]+)\\s+([0-9.]+)\\s*\\]"));
    const QRegularExpressionMatch m = box.match(QString::fromLatin1(pdf));
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

bool HaveTextExtractor()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

QString PdfText(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}
