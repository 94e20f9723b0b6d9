#include "reports/RichTextPages.h"

#include "Printer/PrevPrinter.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetrics>
#include <QPrinter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <list>

namespace {

// The pixel font of a fragment on a device of resolutionY dots per inch: the document's
// face unless the fragment names its own, with the fragment's size and style.
QFont DeviceFont(const QTextCharFormat& format, const QFont& base, int resolutionY)
{
    QFont font = base;
    if (format.hasProperty(QTextFormat::FontFamilies))
        font.setFamilies(format.fontFamilies().toStringList());
    font.setBold(format.fontWeight() >= QFont::DemiBold);
    font.setItalic(format.fontItalic());
    font.setUnderline(format.fontUnderline());
    const double points = format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize()
                                                                          : base.pointSizeF();
    font.setPixelSize(qMax(1, qRound((points > 0 ? points : 10.0) * resolutionY / 72.0)));
    return font;
}

} // namespace

void RecordRichText(TPreviewPrinter& engine, QTextDocument& document)
{
    if (document.toPlainText().trimmed().isEmpty())
        return;
    const int left = engine.ResolutionX();
    const int top = engine.ResolutionY();
    const double width = engine.PageWidth() - 2.0 * left;
    const double height = engine.PageHeight() - 2.0 * top;
    if (width <= 0 || height <= 0)
        return;

    // Laid out in the printer's own units, page by page.
    document.documentLayout()->setPaintDevice(&engine.Printer());
    document.setDocumentMargin(0);
    document.setPageSize(QSizeF(width, height));

    const QFont base = document.defaultFont();
    int page = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextLayout* layout = block.layout();
        const QRectF bounds = document.documentLayout()->blockBoundingRect(block);
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            const double lineTop = bounds.top() + line.y();
            const int linePage = int(lineTop / height);
            for (; page < linePage; ++page)
                engine.NewPage();
            const double baseline = top + lineTop - linePage * height + line.ascent();
            std::list<TPageText> pieces;
            TPageText* previous = nullptr;
            const int lineStart = block.position() + line.textStart();
            const int lineEnd = lineStart + line.textLength();
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                const int from = qMax(lineStart, fragment.position());
                const int to = qMin(lineEnd, fragment.position() + fragment.length());
                if (from >= to)
                    continue;
                const QTextCharFormat format = fragment.charFormat();
                const QFont font = DeviceFont(format, base, engine.ResolutionY());
                const QFontMetrics metrics(font);
                const QColor color = format.foreground().style() == Qt::NoBrush
                    ? QColor(Qt::black)
                    : format.foreground().color();
                // A piece starts at its first visible character; the blank before it ends
                // the piece before, so a PDF reader still finds the words apart.
                const QString text = fragment.text();
                int at = from;
                while (at < to && text.at(at - fragment.position()).isSpace())
                    ++at;
                if (at > from && previous)
                    previous->Text += QLatin1Char(' ');
                if (at == to)
                    continue;
                TPageText piece;
                piece.Text = text.mid(at - fragment.position(), to - at);
                piece.Text.replace(QChar::LineSeparator, QLatin1Char(' '));
                piece.Font = font;
                piece.Color = color;
                piece.Ascent = metrics.ascent();
                piece.Width = metrics.horizontalAdvance(piece.Text);
                piece.Height = metrics.height();
                const double x = left + bounds.left() + line.cursorToX(at - block.position());
                piece.TopLeft = QPoint(qRound(x), qRound(baseline) - piece.Ascent);
                pieces.push_back(piece);
                previous = &pieces.back();
            }
            for (const TPageText& piece : pieces)
                engine.Canvas().Page().AddText(piece);
        }
    }
}
