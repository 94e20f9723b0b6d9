#include "storage/Rtf.h"

#include <QStringList>

namespace {

const QString DefaultFont = QStringLiteral("Arial");

void AppendEscaped(QByteArray& out, const QString& text)
{
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += static_cast<char>(u);
        } else if (u == '\t') {
            out += "\\tab ";
        } else if (u >= 0x20 && u < 0x7F) {
            out += static_cast<char>(u);
        } else if (u >= 0xA0 && u <= 0xFF) {
            // Latin-1 and Windows-1252 agree here.
            out += "\\'" + QByteArray::number(u, 16).rightJustified(2, '0');
        } else if (u >= 0x80) {
            // \uN takes a signed 16-bit number; "?" stands in for readers without Unicode.
            const int n = u > 32767 ? static_cast<int>(u) - 65536 : static_cast<int>(u);
            out += "\\u" + QByteArray::number(n) + '?';
        }
        // Other control characters carry nothing a word processor would show.
    }
}

} // namespace

QByteArray WriteRtf(const TRichText& text)
{
    QStringList fonts{DefaultFont};
    QList<int> colors;
    for (const TRichParagraph& p : text.Paragraphs) {
        for (const TRichRun& run : p.Runs) {
            // Entry 0 is the document's default; a run that names a font, even the default
            // one, gets an entry of its own so that it reads back naming it.
            if (!run.Format.FontName.isEmpty() && fonts.indexOf(run.Format.FontName, 1) < 0)
                fonts.append(run.Format.FontName);
            if (run.Format.Color >= 0 && !colors.contains(run.Format.Color))
                colors.append(run.Format.Color);
        }
    }

    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
    for (int i = 0; i < fonts.size(); ++i) {
        out += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset0 ";
        AppendEscaped(out, fonts.at(i));
        out += ";}";
    }
    out += '}';
    if (!colors.isEmpty()) {
        out += "{\\colortbl ;";
        for (const int c : colors)
            out += "\\red" + QByteArray::number((c >> 16) & 0xFF) + "\\green"
                + QByteArray::number((c >> 8) & 0xFF) + "\\blue" + QByteArray::number(c & 0xFF)
                + ';';
        out += '}';
    }
    out += "\r\n\\uc1\\pard\\plain\\f0";

    for (int pi = 0; pi < text.Paragraphs.size(); ++pi) {
        const TRichParagraph& p = text.Paragraphs.at(pi);
        out += "\r\n\\pard";
        switch (p.Alignment) {
        case TRichAlignment::raLeft: break;
        case TRichAlignment::raCenter: out += "\\qc"; break;
        case TRichAlignment::raRight: out += "\\qr"; break;
        case TRichAlignment::raJustify: out += "\\qj"; break;
        }
        for (const TRichRun& run : p.Runs) {
            const TRichFormat& f = run.Format;
            out += "{\\plain";
            if (!f.FontName.isEmpty())
                out += "\\f" + QByteArray::number(fonts.indexOf(f.FontName, 1));
            else
                out += "\\f0";
            if (f.PointSize > 0)
                out += "\\fs" + QByteArray::number(f.PointSize * 2);
            if (f.Bold)
                out += "\\b";
            if (f.Italic)
                out += "\\i";
            if (f.Underline)
                out += "\\ul";
            if (f.Color >= 0)
                out += "\\cf" + QByteArray::number(colors.indexOf(f.Color) + 1);
            out += ' ';
            AppendEscaped(out, run.Text);
            out += '}';
        }
        // A last paragraph without \par is one only when it has text: an empty last one
        // (a trailing blank line) needs its \par to read back.
        if (pi + 1 < text.Paragraphs.size() || p.PlainText().isEmpty())
            out += "\\par";
    }
    out += "\r\n}\r\n";
    return out;
}
