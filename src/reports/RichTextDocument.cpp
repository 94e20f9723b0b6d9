#include "reports/RichTextDocument.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace {

Qt::Alignment AlignmentOf(TRichAlignment alignment)
{
    switch (alignment) {
    case TRichAlignment::raLeft: return Qt::AlignLeft;
    case TRichAlignment::raCenter: return Qt::AlignHCenter;
    case TRichAlignment::raRight: return Qt::AlignRight;
    case TRichAlignment::raJustify: return Qt::AlignJustify;
    }
    return Qt::AlignLeft;
}

QTextCharFormat CharFormatOf(const TRichFormat& f)
{
    QTextCharFormat c;
    c.setFontWeight(f.Bold ? QFont::Bold : QFont::Normal);
    c.setFontItalic(f.Italic);
    c.setFontUnderline(f.Underline);
    if (f.PointSize > 0)
        c.setFontPointSize(f.PointSize);
    if (f.Color >= 0)
        c.setForeground(QColor::fromRgb(static_cast<QRgb>(f.Color)));
    if (!f.FontName.isEmpty())
        c.setFontFamilies({f.FontName});
    return c;
}

} // namespace

void FillDocument(QTextDocument& document, const TRichText& text)
{
    document.clear();
    QTextCursor cursor(&document);
    bool first = true;
    for (const TRichParagraph& paragraph : text.Paragraphs) {
        QTextBlockFormat block;
        block.setAlignment(AlignmentOf(paragraph.Alignment));
        if (first)
            cursor.setBlockFormat(block);
        else
            cursor.insertBlock(block);
        first = false;
        for (const TRichRun& run : paragraph.Runs)
            cursor.insertText(run.Text, CharFormatOf(run.Format));
    }
}
