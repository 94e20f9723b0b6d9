#include "storage/Rtf.h"

#include <QHash>
#include <QSet>

#include <cctype>
#include <vector>

namespace {

// Windows-1252 in 0x80..0x9F, where it differs from Latin-1 (0 where it has no character).
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

QChar FromCp1252(int byte)
{
    if (byte >= 0x80 && byte <= 0x9F && Cp1252High[byte - 0x80] != 0)
        return QChar(Cp1252High[byte - 0x80]);
    return QChar(static_cast<char16_t>(byte));
}

// Control characters other than the tab carry nothing a word processor shows; the writer
// leaves them out, so the reader does too and a text reads back as it was written.
bool IsInvisibleControl(char16_t u)
{
    return (u < 0x20 && u != '\t') || u == 0x7F;
}

enum class TDestination { dsText, dsFontTable, dsColorTable, dsSkip };

struct TState {
    TDestination Destination = TDestination::dsText;
    TRichFormat Format;
    int FontIndex = -1; // -1: the default font
    int UnicodeSkip = 1;
};

// Destinations whose content is not document text.
const QSet<QByteArray>& SkippedDestinations()
{
    static const QSet<QByteArray> names = {
        "stylesheet", "info",     "pict",       "object",     "header",     "headerl",
        "headerr",    "headerf",  "footer",     "footerl",    "footerr",    "footerf",
        "footnote",   "fldinst",  "listtable",  "listoverridetable",        "revtbl",
        "rsidtbl",    "xmlnstbl", "themedata",  "colorschememapping",       "latentstyles",
        "datastore",  "listtext", "pntext",     "pntxta",     "pntxtb",     "mmathPr",
        "generator",  "filetbl",  "annotation", "atnid",      "atnauthor",  "private",
        "userprops",  "docvar",   "pgdsctbl",   "operator",   "falt",       "panose",
        "bkmkstart",  "bkmkend",  "xe",         "tc",         "txe",        "wgrffmtfilter",
        "template",   "nonshppict", "shp",      "shpinst",    "sp"};
    return names;
}

class TRtfParser {
public:
    explicit TRtfParser(const QByteArray& bytes) : in_(bytes) {}

    TRichText Parse()
    {
        states_.push_back(TState{});
        while (pos_ < in_.size()) {
            const char c = in_.at(pos_);
            if (c == '{') {
                ++pos_;
                OpenGroup();
            } else if (c == '}') {
                ++pos_;
                CloseGroup();
            } else if (c == '\\') {
                ++pos_;
                ControlWord();
            } else if (c == '\r' || c == '\n') {
                ++pos_;
            } else {
                ++pos_;
                Char(FromCp1252(static_cast<unsigned char>(c)));
            }
        }
        if (!paragraph_.Runs.isEmpty())
            EndParagraph();
        return result_;
    }

private:
    TState& State() { return states_.back(); }

    void OpenGroup()
    {
        // Nesting deeper than any real document is read on as one flat group.
        if (states_.size() >= MaxDepth) {
            ++overflow_;
            return;
        }
        states_.push_back(State());
        ignorableNext_ = false;
        groupStart_ = true;
    }

    void CloseGroup()
    {
        if (overflow_ > 0) {
            --overflow_;
            return;
        }
        if (State().Destination == TDestination::dsFontTable && !fontName_.isEmpty())
            EndFontEntry();
        if (states_.size() > 1)
            states_.pop_back();
        groupStart_ = false;
    }

    void ControlWord()
    {
        if (pos_ >= in_.size())
            return;
        const char c = in_.at(pos_);
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            ++pos_;
            ControlSymbol(c);
            return;
        }
        const qsizetype start = pos_;
        while (pos_ < in_.size() && std::isalpha(static_cast<unsigned char>(in_.at(pos_))))
            ++pos_;
        const QByteArray word = in_.mid(start, pos_ - start);
        bool hasParam = false;
        long long param = 0;
        bool negative = false;
        if (pos_ < in_.size() && in_.at(pos_) == '-') {
            negative = true;
            ++pos_;
        }
        while (pos_ < in_.size() && std::isdigit(static_cast<unsigned char>(in_.at(pos_)))) {
            hasParam = true;
            if (param < 100000000)
                param = param * 10 + (in_.at(pos_) - '0');
            ++pos_;
        }
        if (negative)
            param = -param;
        if (pos_ < in_.size() && in_.at(pos_) == ' ')
            ++pos_;
        const bool first = groupStart_;
        groupStart_ = false;
        Word(word, hasParam, static_cast<int>(param), first);
    }

    void ControlSymbol(char c)
    {
        groupStart_ = false;
        switch (c) {
        case '\'': {
            const QByteArray hex = in_.mid(pos_, 2);
            pos_ += hex.size();
            bool ok = false;
            const int byte = hex.toInt(&ok, 16);
            if (ok && hex.size() == 2)
                Char(FromCp1252(byte));
            break;
        }
        case '*':
            // Only readers that know the destination read it; we know none that carries text.
            ignorableNext_ = true;
            State().Destination = TDestination::dsSkip;
            break;
        case '~':
            Char(QChar(0x00A0));
            break;
        case '_':
            Char(QLatin1Char('-'));
            break;
        case '\\':
        case '{':
        case '}':
            Char(QLatin1Char(c));
            break;
        case '\r':
        case '\n':
            Paragraph();
            break;
        default: // \- optional hyphen, \: index entries and the like carry no text
            break;
        }
    }

    void Word(const QByteArray& w, bool hasParam, int param, bool firstInGroup)
    {
        TState& s = State();
        const bool on = !hasParam || param != 0;
        if (w == "fonttbl") {
            s.Destination = TDestination::dsFontTable;
        } else if (w == "colortbl") {
            s.Destination = TDestination::dsColorTable;
            red_ = green_ = blue_ = -1;
        } else if (SkippedDestinations().contains(w) && (firstInGroup || ignorableNext_)) {
            s.Destination = TDestination::dsSkip;
        } else if (w == "bin") {
            pos_ += qMax(0, param);
        } else if (s.Destination == TDestination::dsFontTable) {
            if (w == "f") {
                fontNumber_ = param;
            } else if (w == "u") {
                // Font names outside Latin-1 are written as \uN too.
                Char(QChar(static_cast<char16_t>(param < 0 ? param + 65536 : param)));
                SkipFallback(s.UnicodeSkip);
            } else if (w == "uc") {
                s.UnicodeSkip = qBound(0, param, 10);
            } else if (w == "tab") {
                Char(QLatin1Char('\t'));
            }
        } else if (s.Destination == TDestination::dsColorTable) {
            if (w == "red")
                red_ = param;
            else if (w == "green")
                green_ = param;
            else if (w == "blue")
                blue_ = param;
        } else if (s.Destination == TDestination::dsSkip) {
            return;
        } else if (w == "par" || w == "line" || w == "sect" || w == "page") {
            Paragraph();
        } else if (w == "pard") {
            alignment_ = TRichAlignment::raLeft;
        } else if (w == "ql") {
            alignment_ = TRichAlignment::raLeft;
        } else if (w == "qc") {
            alignment_ = TRichAlignment::raCenter;
        } else if (w == "qr") {
            alignment_ = TRichAlignment::raRight;
        } else if (w == "qj") {
            alignment_ = TRichAlignment::raJustify;
        } else if (w == "plain") {
            s.Format = TRichFormat{};
            s.FontIndex = -1;
        } else if (w == "b") {
            s.Format.Bold = on;
        } else if (w == "i") {
            s.Format.Italic = on;
        } else if (w == "ul") {
            s.Format.Underline = on;
        } else if (w == "ulnone") {
            s.Format.Underline = false;
        } else if (w == "fs") {
            s.Format.PointSize = hasParam ? qMax(0, param / 2) : 0;
        } else if (w == "cf") {
            s.Format.Color = colors_.value(param, -1);
        } else if (w == "f") {
            s.FontIndex = param;
            s.Format.FontName = param == defaultFont_ ? QString() : fonts_.value(param);
        } else if (w == "deff") {
            defaultFont_ = param;
        } else if (w == "uc") {
            s.UnicodeSkip = qBound(0, param, 10);
        } else if (w == "u") {
            Char(QChar(static_cast<char16_t>(param < 0 ? param + 65536 : param)));
            SkipFallback(s.UnicodeSkip);
        } else if (w == "tab") {
            Char(QLatin1Char('\t'));
        } else if (w == "emdash") {
            Char(QChar(0x2014));
        } else if (w == "endash") {
            Char(QChar(0x2013));
        } else if (w == "lquote") {
            Char(QChar(0x2018));
        } else if (w == "rquote") {
            Char(QChar(0x2019));
        } else if (w == "ldblquote") {
            Char(QChar(0x201C));
        } else if (w == "rdblquote") {
            Char(QChar(0x201D));
        } else if (w == "bullet") {
            Char(QChar(0x2022));
        }
        ignorableNext_ = false;
    }

    // After \uN the reader skips the N characters of its stand-in for older readers.
    void SkipFallback(int count)
    {
        for (int i = 0; i < count && pos_ < in_.size(); ++i) {
            const char c = in_.at(pos_);
            if (c == '{' || c == '}')
                return;
            if (c == '\\') {
                if (pos_ + 1 < in_.size() && in_.at(pos_ + 1) == '\'') {
                    pos_ += 4;
                    continue;
                }
                return;
            }
            ++pos_;
        }
    }

    void Char(QChar ch)
    {
        if (IsInvisibleControl(ch.unicode()))
            return;
        TState& s = State();
        switch (s.Destination) {
        case TDestination::dsText:
            paragraph_.Append(QString(ch), s.Format);
            break;
        case TDestination::dsFontTable:
            if (ch == QLatin1Char(';'))
                EndFontEntry();
            else
                fontName_ += ch;
            break;
        case TDestination::dsColorTable:
            if (ch == QLatin1Char(';')) {
                const int color = red_ < 0 && green_ < 0 && blue_ < 0
                                      ? -1
                                      : (qBound(0, red_, 255) << 16) | (qBound(0, green_, 255) << 8)
                                            | qBound(0, blue_, 255);
                colors_.insert(static_cast<int>(colors_.size()), color);
                red_ = green_ = blue_ = -1;
            }
            break;
        case TDestination::dsSkip:
            break;
        }
    }

    void EndFontEntry()
    {
        fonts_.insert(fontNumber_, fontName_.trimmed());
        fontName_.clear();
    }

    void Paragraph()
    {
        if (State().Destination == TDestination::dsText)
            EndParagraph();
    }

    void EndParagraph()
    {
        paragraph_.Alignment = alignment_;
        result_.Paragraphs.append(paragraph_);
        paragraph_ = TRichParagraph{};
    }

    static constexpr std::size_t MaxDepth = 512;

    const QByteArray& in_;
    qsizetype pos_ = 0;
    std::vector<TState> states_;
    int overflow_ = 0;
    bool ignorableNext_ = false;
    bool groupStart_ = false;
    QHash<int, QString> fonts_;
    int fontNumber_ = 0;
    QString fontName_;
    int defaultFont_ = 0;
    QHash<int, int> colors_;
    int red_ = -1, green_ = -1, blue_ = -1;
    TRichAlignment alignment_ = TRichAlignment::raLeft;
    TRichParagraph paragraph_;
    TRichText result_;
};

TRichText ReadPlainText(const QByteArray& bytes)
{
    QString text = QString::fromLatin1(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.removeIf([](QChar c) { return c != QLatin1Char('\n') && IsInvisibleControl(c.unicode()); });
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return TRichText::FromLines(lines);
}

} // namespace

bool IsRtf(const QByteArray& bytes)
{
    QByteArray t = bytes.left(64);
    if (t.startsWith("\xEF\xBB\xBF"))
        t.remove(0, 3);
    return t.trimmed().startsWith("{\\rtf");
}

TRichText ReadRichText(const QByteArray& bytes)
{
    if (!IsRtf(bytes))
        return ReadPlainText(bytes);
    return TRtfParser(bytes).Parse();
}
