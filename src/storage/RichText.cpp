#include "storage/RichText.h"

QString TRichParagraph::PlainText() const
{
    QString text;
    for (const TRichRun& run : Runs)
        text += run.Text;
    return text;
}

void TRichParagraph::Append(const QString& text, const TRichFormat& format)
{
    if (text.isEmpty())
        return;
    if (!Runs.isEmpty() && Runs.last().Format == format)
        Runs.last().Text += text;
    else
        Runs.append(TRichRun{text, format});
}

QStringList TRichText::Lines() const
{
    QStringList lines;
    for (const TRichParagraph& p : Paragraphs)
        lines.append(p.PlainText());
    return lines;
}

TRichText TRichText::FromLines(const QStringList& lines)
{
    TRichText rich;
    for (const QString& line : lines) {
        TRichParagraph p;
        p.Append(line, TRichFormat{});
        rich.Paragraphs.append(p);
    }
    return rich;
}
