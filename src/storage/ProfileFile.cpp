#include "storage/ProfileFile.h"

#include "storage/SafeFiles.h"

#include <QFile>

#include <array>
#include <cstring>
#include <limits>

namespace {

// The blanks QString::trimmed drops, in Latin-1.
constexpr bool IsBlank(char16_t c)
{
    return c == ' ' || (c >= '\t' && c <= '\r') || c == 0x85 || c == 0xA0;
}

// Latin-1 letters fold to lower case; other code units stay as they are.
constexpr std::array<char16_t, 256> MakeFoldTable()
{
    std::array<char16_t, 256> table{};
    for (int c = 0; c < 256; ++c) {
        const bool upper = (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7);
        table[c] = static_cast<char16_t>(upper ? c + 0x20 : c);
    }
    return table;
}
constexpr std::array<char16_t, 256> FoldTable = MakeFoldTable();

constexpr char16_t Fold(char16_t c)
{
    return c < 256 ? FoldTable[c] : c;
}

QByteArrayView Trimmed(QByteArrayView v)
{
    qsizetype from = 0;
    qsizetype to = v.size();
    while (from < to && IsBlank(static_cast<unsigned char>(v[from])))
        ++from;
    while (to > from && IsBlank(static_cast<unsigned char>(v[to - 1])))
        --to;
    return v.sliced(from, to - from);
}

QStringView Trimmed(QStringView v)
{
    qsizetype from = 0;
    qsizetype to = v.size();
    while (from < to && IsBlank(v[from].unicode()))
        ++from;
    while (to > from && IsBlank(v[to - 1].unicode()))
        --to;
    return v.sliced(from, to - from);
}

template <typename Name, typename CodeUnit>
size_t HashName(const Name& name, CodeUnit unit) noexcept
{
    size_t h = 1469598103934665603ull;
    for (qsizetype i = 0; i < name.size(); ++i)
        h = (h ^ Fold(unit(name, i))) * 1099511628211ull;
    return h;
}

char16_t ByteAt(QByteArrayView v, qsizetype i)
{
    return static_cast<unsigned char>(v[i]);
}

char16_t CharAt(QStringView v, qsizetype i)
{
    return v[i].unicode();
}

// Integers as Delphi reads them: optional sign, then decimal digits, or hexadecimal after
// "$" or "0x". The text is already trimmed. The magnitude saturates at the 64-bit limit,
// so no digit string overflows.
template <typename Text, typename CodeUnit>
std::optional<qint64> ParseWideText(const Text& t, CodeUnit unit)
{
    qsizetype i = 0;
    const qsizetype n = t.size();
    bool negative = false;
    if (i < n && (unit(t, i) == '-' || unit(t, i) == '+')) {
        negative = unit(t, i) == '-';
        ++i;
    }
    int base = 10;
    if (i < n && unit(t, i) == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < n && unit(t, i) == '0' && (unit(t, i + 1) == 'x' || unit(t, i + 1) == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= n)
        return std::nullopt;
    constexpr quint64 limit = quint64(std::numeric_limits<qint64>::max());
    quint64 v = 0;
    for (; i < n; ++i) {
        const char16_t c = unit(t, i);
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return std::nullopt;
        if (v > (limit - quint64(digit)) / quint64(base))
            v = limit; // saturated: no number a file holds needs more
        else
            v = v * quint64(base) + quint64(digit);
    }
    return negative ? -qint64(v) : qint64(v);
}

template <typename Text, typename CodeUnit>
std::optional<int> ParseIntegerText(const Text& t, CodeUnit unit)
{
    const std::optional<qint64> v = ParseWideText(t, unit);
    if (!v || *v > std::numeric_limits<int>::max() || *v < std::numeric_limits<int>::min())
        return std::nullopt;
    return static_cast<int>(*v);
}

QString Describe(const QFileDevice& file)
{
    return QStringLiteral("%1: %2").arg(file.fileName(), file.errorString());
}

} // namespace

size_t TProfileFile::TNameHash::operator()(QByteArrayView name) const noexcept
{
    return HashName(name, ByteAt);
}

size_t TProfileFile::TNameHash::operator()(QStringView name) const noexcept
{
    return HashName(name, CharAt);
}

bool TProfileFile::TNameEqual::operator()(QByteArrayView a, QByteArrayView b) const noexcept
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (Fold(ByteAt(a, i)) != Fold(ByteAt(b, i)))
            return false;
    return true;
}

bool TProfileFile::TNameEqual::operator()(QStringView a, QByteArrayView b) const noexcept
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (Fold(CharAt(a, i)) != Fold(ByteAt(b, i)))
            return false;
    return true;
}

QByteArrayView TProfileFile::Keep(QByteArray bytes)
{
    added_.append(std::move(bytes));
    return QByteArrayView(added_.last());
}

void TProfileFile::LoadFromBytes(const QByteArray& bytes)
{
    source_ = bytes;
    added_.clear();
    sections_.assign(1, TSection{});
    sectionIndex_.clear();
    lastSectionName_ = QString();
    const qsizetype firstLf = source_.indexOf('\n');
    lineEnd_ = (firstLf > 0 && source_.at(firstLf - 1) == '\r') || firstLf < 0 ? "\r\n" : "\n";

    const QByteArrayView all(source_);
    qsizetype start = 0;
    while (start < all.size()) {
        const void* lf = std::memchr(all.data() + start, '\n', size_t(all.size() - start));
        const qsizetype end = lf ? static_cast<const char*>(lf) - all.data() : all.size();
        qsizetype length = end - start;
        if (length > 0 && all[end - 1] == '\r')
            --length;
        const QByteArrayView text = all.sliced(start, length);
        start = end + 1;

        const QByteArrayView t = Trimmed(text);
        if (t.startsWith('[')) {
            if (const qsizetype close = t.indexOf(']'); close >= 0) {
                sections_.emplace_back();
                sectionIndex_.emplace(Trimmed(t.sliced(1, close - 1)),
                                      static_cast<int>(sections_.size()) - 1);
                sections_.back().Lines.push_back(TLine{text, {}, {}, {}, false});
                continue;
            }
        }
        TSection& section = sections_.back();
        TLine line{text, {}, {}, {}, false};
        const qsizetype eq = text.indexOf('=');
        if (eq >= 0 && !t.startsWith(';')) {
            line.Key = Trimmed(text.first(eq));
            line.Value = Trimmed(text.sliced(eq + 1));
            if (!line.Key.isEmpty())
                section.Keys.emplace(line.Key, static_cast<int>(section.Lines.size()));
        }
        section.Lines.push_back(line);
    }
}

bool TProfileFile::LoadFromFile(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.exists()) {
        LoadFromBytes(QByteArray());
        return true;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = Describe(file);
        return false;
    }
    LoadFromBytes(file.readAll());
    return true;
}

QByteArray TProfileFile::ToBytes() const
{
    qsizetype size = 0;
    for (const TSection& section : sections_)
        for (const TLine& line : section.Lines)
            size += (line.Edited ? line.Key.size() + 1 + line.NewValue.size() : line.Text.size())
                    + lineEnd_.size();
    QByteArray out;
    out.reserve(size);
    for (const TSection& section : sections_) {
        for (const TLine& line : section.Lines) {
            if (line.Edited) {
                out.append(line.Key).append('=').append(line.NewValue);
            } else {
                out.append(line.Text);
            }
            out.append(lineEnd_);
        }
    }
    return out;
}

bool TProfileFile::SaveToFile(const QString& path, QString* error) const
{
    return WriteWholeFile(path, ToBytes(), error);
}

int TProfileFile::SectionIndex(const QString& section) const
{
    if (!lastSectionName_.isNull() && section == lastSectionName_)
        return lastSectionIndex_;
    const auto found = sectionIndex_.find(Trimmed(QStringView(section)));
    const int index = found == sectionIndex_.end() ? -1 : found->second;
    lastSectionName_ = section;
    lastSectionIndex_ = index;
    return index;
}

bool TProfileFile::SectionExists(const QString& section) const
{
    return SectionIndex(section) >= 0;
}

const TProfileFile::TLine* TProfileFile::Find(const QString& section, const QString& key) const
{
    const int s = SectionIndex(section);
    if (s < 0)
        return nullptr;
    const TSection& sec = sections_[s];
    const auto k = sec.Keys.find(Trimmed(QStringView(key)));
    return k == sec.Keys.end() ? nullptr : &sec.Lines[k->second];
}

bool TProfileFile::ValueExists(const QString& section, const QString& key) const
{
    return Find(section, key) != nullptr;
}

std::optional<QString> TProfileFile::Value(const QString& section, const QString& key) const
{
    const TLine* line = Find(section, key);
    if (!line)
        return std::nullopt;
    return QString::fromLatin1(line->Edited ? Trimmed(QByteArrayView(line->NewValue)) : line->Value);
}

QString TProfileFile::ReadString(const QString& section, const QString& key,
                                 const QString& def) const
{
    return Value(section, key).value_or(def);
}

std::optional<int> TProfileFile::ParseInteger(const QString& text)
{
    return ParseIntegerText(Trimmed(QStringView(text)), CharAt);
}

int TProfileFile::ReadInteger(const QString& section, const QString& key, int def) const
{
    const TLine* line = Find(section, key);
    if (!line)
        return def;
    const QByteArrayView value = line->Edited ? Trimmed(QByteArrayView(line->NewValue)) : line->Value;
    return ParseIntegerText(value, ByteAt).value_or(def);
}

std::optional<qint64> TProfileFile::ParseWideInteger(const QString& text)
{
    return ParseWideText(Trimmed(QStringView(text)), CharAt);
}

std::optional<qint64> TProfileFile::ReadWideInteger(const QString& section, const QString& key) const
{
    const TLine* line = Find(section, key);
    if (!line)
        return std::nullopt;
    const QByteArrayView value = line->Edited ? Trimmed(QByteArrayView(line->NewValue)) : line->Value;
    return ParseWideText(value, ByteAt);
}

bool TProfileFile::ReadBool(const QString& section, const QString& key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

QDate TProfileFile::ReadDate(const QString& section, const QString& key, const QDate& def) const
{
    const std::optional<QString> value = Value(section, key);
    if (!value)
        return def;
    QDate date = QDate::fromString(*value, DateFormat);
    if (!date.isValid())
        date = QDate::fromString(*value, QStringLiteral("d/M/yyyy"));
    return date.isValid() ? date : def;
}

TProfileFile::TSection& TProfileFile::SectionFor(const QString& section)
{
    const int s = SectionIndex(section);
    if (s >= 0)
        return sections_[s];
    const QByteArrayView header =
        Keep(QByteArray('[' + Trimmed(QStringView(section)).toLatin1() + ']'));
    TSection fresh;
    fresh.Lines.push_back(TLine{header, {}, {}, {}, false});
    sections_.push_back(std::move(fresh));
    sectionIndex_.emplace(header.sliced(1, header.size() - 2),
                          static_cast<int>(sections_.size()) - 1);
    lastSectionName_ = QString();
    return sections_.back();
}

void TProfileFile::WriteLatin1(const QString& section, const QString& key, QByteArrayView value)
{
    TSection& sec = SectionFor(section);
    const auto k = sec.Keys.find(Trimmed(QStringView(key)));
    if (k != sec.Keys.end()) {
        TLine& line = sec.Lines[k->second];
        if (line.Edited) {
            if (line.NewValue != value)
                line.NewValue = value.toByteArray();
            return;
        }
        // A line that already reads key=value exactly stays as it is.
        const bool exact = line.Key.data() == line.Text.data() && line.Value == value
                           && line.Text.size() == line.Key.size() + 1 + value.size();
        if (!exact) {
            line.NewValue = value.toByteArray();
            line.Edited = true;
        }
        return;
    }
    // A new key goes after the last non-blank line of its section, before any blank lines
    // that separate it from the next section.
    size_t at = sec.Lines.size();
    while (at > 1 && !sec.Lines[at - 1].Edited && Trimmed(sec.Lines[at - 1].Text).isEmpty())
        --at;
    const QByteArrayView name = Keep(Trimmed(QStringView(key)).toLatin1());
    sec.Lines.insert(sec.Lines.begin() + qsizetype(at), TLine{{}, name, {}, value.toByteArray(), true});
    sec.Keys.emplace(name, static_cast<int>(at));
}

void TProfileFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    QByteArray bytes = value.toLatin1();
    // A value is one line: a line break in a text (a name from the panel, say) would end the
    // value there and turn the rest into lines of the file, even sections and keys.
    if (bytes.contains('\n') || bytes.contains('\r')) {
        bytes.replace('\n', ' ');
        bytes.replace('\r', ' ');
    }
    WriteLatin1(section, key, bytes);
}

void TProfileFile::WriteInteger(const QString& section, const QString& key, int value)
{
    char digits[16];
    char* end = digits + sizeof digits;
    char* p = end;
    qint64 v = value;
    const bool negative = v < 0;
    if (negative)
        v = -v;
    do {
        *--p = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v != 0);
    if (negative)
        *--p = '-';
    WriteLatin1(section, key, QByteArrayView(p, end - p));
}

void TProfileFile::WriteBool(const QString& section, const QString& key, bool value)
{
    WriteLatin1(section, key, value ? QByteArrayView("1") : QByteArrayView("0"));
}

void TProfileFile::WriteDate(const QString& section, const QString& key, const QDate& value)
{
    WriteString(section, key, value.toString(DateFormat));
}
