#include "reports/RichTextPages.h"

#include "Printer/PrevPrinter.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetrics>
#include <QPrinter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace {

// The pixel font of a fragment on a device of resolutionY dots per inch.
QFont DeviceFont(const QTextCharFormat& format, const QFont& base, int resolutionY)
{
    QFont font = format.font().resolve(base);
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : 10.0;
    font.setPixelSize(qMax(1, qRound(points * resolutionY / 72.0)));
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
            const int lineStart = block.position() + line.textStart();
            const int lineEnd = lineStart + line.textLength();
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                const int from = qMax(lineStart, fragment.position());
                const int to = qMin(lineEnd, fragment.position() + fragment.length());
                if (from >= to)
                    continue;
                QString text = fragment.text().mid(from - fragment.position(), to - from);
                text.replace(QChar::LineSeparator, QLatin1Char(' '));
                if (text.trimmed().isEmpty())
                    continue;
                const QTextCharFormat format = fragment.charFormat();
                const QFont font = DeviceFont(format, base, engine.ResolutionY());
                const QFontMetrics metrics(font);
                TPageText piece;
                piece.Text = text;
                piece.Font = font;
                piece.Color = format.foreground().style() == Qt::NoBrush
                    ? QColor(Qt::black)
                    : format.foreground().color();
                piece.Ascent = metrics.ascent();
                piece.Width = metrics.horizontalAdvance(text);
                piece.Height = metrics.height();
                const double x = left + bounds.left() + line.cursorToX(from - block.position());
                piece.TopLeft = QPoint(qRound(x), qRound(baseline) - piece.Ascent);
                engine.Canvas().Page().AddText(piece);
            }
        }
    }
}
