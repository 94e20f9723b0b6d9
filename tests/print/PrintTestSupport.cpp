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
    return {canvas.TextWidth(sample), canvas.TextHeight(sample)};
}

const TPageText* FindText(const TRecordedPage& page, const QString& text)
{
    for (const TPageItem& item : page.Items())
        if (const auto* t = std::get_if<TPageText>(&item); t && t->Text == text)
            return t;
    return nullptr;
}

std::vector<QString> TextsAt(const TRecordedPage& page, int x, int y)
{
    std::vector<QString> found;
    for (const TPageText& t : page.Texts())
        if (t.TopLeft == QPoint(x, y))
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

bool HasLine(const TRecordedPage& page, int x1, int y1, int x2, int y2)
{
    for (const TPageLine& l : page.Lines())
        if ((l.From == QPoint(x1, y1) && l.To == QPoint(x2, y2)) ||
            (l.From == QPoint(x2, y2) && l.To == QPoint(x1, y1)))
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
