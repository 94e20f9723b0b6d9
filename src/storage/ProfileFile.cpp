#include "storage/ProfileFile.h"

#include <QFile>
#include <QSaveFile>

#include <limits>

namespace {

// Brackets of a section header: "[name]" after optional blanks; empty when not a header.
std::optional<QString> HeaderName(QStringView line)
{
    const QStringView t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const qsizetype close = t.indexOf(QLatin1Char(']'));
    if (close < 0)
        return std::nullopt;
    return t.mid(1, close - 1).toString();
}

bool IsBlank(const QString& line)
{
    return QStringView(line).trimmed().isEmpty();
}

QString Describe(const QFileDevice& file)
{
    return QStringLiteral("%1: %2").arg(file.fileName(), file.errorString());
}

} // namespace

QString TProfileFile::Fold(QStringView name)
{
    // Names are nearly always ASCII: fold those directly, the rest through Unicode rules.
    const QStringView t = name.trimmed();
    QString folded(t.size(), Qt::Uninitialized);
    QChar* out = folded.data();
    for (qsizetype i = 0; i < t.size(); ++i) {
        char16_t c = t[i].unicode();
        if (c >= 0x80)
            return t.toString().toLower();
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char16_t>(c + ('a' - 'A'));
        out[i] = QChar(c);
    }
    return folded;
}

void TProfileFile::AddLine(TSection& section, const QString& raw)
{
    TLine line{raw, QString(), QString()};
    const qsizetype eq = raw.indexOf(QLatin1Char('='));
    const QStringView view(raw);
    if (eq >= 0 && !view.trimmed().startsWith(QLatin1Char(';'))) {
        line.Key = view.left(eq).trimmed().toString();
        line.Value = view.mid(eq + 1).trimmed().toString();
        if (!line.Key.isEmpty()) {
            const TFoldedName folded{Fold(line.Key)};
            if (!section.Keys.contains(folded))
                section.Keys.insert(folded, static_cast<int>(section.Lines.size()));
        }
    }
    section.Lines.append(line);
}

void TProfileFile::LoadFromBytes(const QByteArray& bytes)
{
    sections_ = {TSection{}};
    sectionIndex_.clear();
    lastSectionName_ = QString();
    const qsizetype firstLf = bytes.indexOf('\n');
    lineEnd_ = (firstLf > 0 && bytes.at(firstLf - 1) == '\r') || firstLf < 0 ? "\r\n" : "\n";

    const QString text = QString::fromLatin1(bytes);
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = text.size();
        qsizetype length = end - start;
        if (length > 0 && text.at(end - 1) == QLatin1Char('\r'))
            --length;
        const QString raw = text.mid(start, length);
        start = end + 1;

        if (const auto name = HeaderName(raw)) {
            const QString folded = Fold(*name);
            sections_.append(TSection{});
            if (!sectionIndex_.contains(folded))
                sectionIndex_.insert(folded, static_cast<int>(sections_.size()) - 1);
            sections_.last().Lines.append(TLine{raw, QString(), QString()});
            continue;
        }
        AddLine(sections_.last(), raw);
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
    QByteArray out;
    for (const TSection& section : sections_) {
        for (const TLine& line : section.Lines) {
            out += line.Raw.toLatin1();
            out += lineEnd_;
        }
    }
    return out;
}

bool TProfileFile::SaveToFile(const QString& path, QString* error) const
{
    QSaveFile file(path);
    const QByteArray bytes = ToBytes();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = Describe(file);
        return false;
    }
    return true;
}

int TProfileFile::SectionIndex(const QString& section) const
{
    // Readers and writers ask for many keys of one section in a row.
    if (!lastSectionName_.isNull() && section == lastSectionName_)
        return lastSectionIndex_;
    const int index = sectionIndex_.value(Fold(section), -1);
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
    const TSection& sec = sections_.at(s);
    const auto k = sec.Keys.constFind(TFoldedName{Fold(key)});
    return k == sec.Keys.constEnd() ? nullptr : &sec.Lines.at(*k);
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
    return line->Value;
}

QString TProfileFile::ReadString(const QString& section, const QString& key,
                                 const QString& def) const
{
    return Value(section, key).value_or(def);
}

std::optional<int> TProfileFile::ParseInteger(const QString& text)
{
    QString t = text.trimmed();
    bool negative = false;
    if (t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+'))) {
        negative = t.startsWith(QLatin1Char('-'));
        t.remove(0, 1);
    }
    int base = 10;
    if (t.startsWith(QLatin1Char('$'))) {
        base = 16;
        t.remove(0, 1);
    } else if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        t.remove(0, 2);
    }
    if (t.isEmpty() || t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+')))
        return std::nullopt;
    bool ok = false;
    const qlonglong v = t.toLongLong(&ok, base);
    if (!ok)
        return std::nullopt;
    const qlonglong signedValue = negative ? -v : v;
    if (signedValue < std::numeric_limits<int>::min() || signedValue > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(signedValue);
}

int TProfileFile::ReadInteger(const QString& section, const QString& key, int def) const
{
    const TLine* line = Find(section, key);
    if (!line)
        return def;
    return ParseInteger(line->Value).value_or(def);
}

bool TProfileFile::ReadBool(const QString& section, const QString& key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

QDate TProfileFile::ReadDate(const QString& section, const QString& key, const QDate& def) const
{
    const TLine* line = Find(section, key);
    if (!line)
        return def;
    QDate date = QDate::fromString(line->Value, DateFormat);
    if (!date.isValid())
        date = QDate::fromString(line->Value, QStringLiteral("d/M/yyyy"));
    return date.isValid() ? date : def;
}

TProfileFile::TSection& TProfileFile::SectionFor(const QString& section)
{
    const int s = SectionIndex(section);
    if (s >= 0)
        return sections_[s];
    const QString folded = Fold(section);
    TSection fresh;
    fresh.Lines.append(TLine{QLatin1Char('[') + section.trimmed() + QLatin1Char(']'), QString(),
                             QString()});
    sections_.append(fresh);
    sectionIndex_.insert(folded, static_cast<int>(sections_.size()) - 1);
    lastSectionName_.clear();
    return sections_.last();
}

void TProfileFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    TSection& sec = SectionFor(section);
    const TFoldedName folded{Fold(key)};
    const auto k = sec.Keys.constFind(folded);
    if (k != sec.Keys.constEnd()) {
        TLine& line = sec.Lines[*k];
        line.Raw = line.Key + QLatin1Char('=') + value;
        line.Value = value.trimmed();
        return;
    }
    // A new key goes after the last non-blank line of its section, before any blank lines
    // that separate it from the next section.
    qsizetype at = sec.Lines.size();
    while (at > 1 && IsBlank(sec.Lines.at(at - 1).Raw))
        --at;
    const QString name = key.trimmed();
    sec.Lines.insert(at, TLine{name + QLatin1Char('=') + value, name, value.trimmed()});
    sec.Keys.insert(folded, static_cast<int>(at));
}

void TProfileFile::WriteInteger(const QString& section, const QString& key, int value)
{
    WriteString(section, key, QString::number(value));
}

void TProfileFile::WriteBool(const QString& section, const QString& key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TProfileFile::WriteDate(const QString& section, const QString& key, const QDate& value)
{
    WriteString(section, key, value.toString(DateFormat));
}
