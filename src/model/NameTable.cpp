#include "model/NameTable.h"

#include "model/DeviceType.h"

namespace {

QString WithoutTrailingBlanks(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.left(end);
}

} // namespace

TNameTable::TNameTable()
{
    Reset();
}

void TNameTable::Reset()
{
    Empty();
    Append(NoNameAllocated);
}

void TNameTable::Empty()
{
    names_.clear();
    index_.clear();
    noOfChars_ = 0;
}

int TNameTable::Append(const QString& text)
{
    const QString key = MatchKey(text);
    if (!key.isEmpty() && !index_.contains(key))
        index_.insert(key, static_cast<int>(names_.size()));
    names_.append(text);
    noOfChars_ += static_cast<int>(text.size()) + 1;
    return static_cast<int>(names_.size()) - 1;
}

QString TNameTable::Name(int index) const
{
    return IsValidIndex(index) ? names_.at(index) : NoNameAllocated;
}

QString TNameTable::MatchKey(const QString& text)
{
    return WithoutTrailingBlanks(text).toCaseFolded();
}

int TNameTable::FindName(const QString& text) const
{
    const QString wanted = MatchKey(text);
    return wanted.isEmpty() ? -1 : index_.value(wanted, -1);
}

bool TNameTable::AddName(const QString& text, int& index, QString& message)
{
    // An empty description is "No name allocated", as in a rebuild; appending it would only
    // take a slot that no name can ever match.
    const QString name = text.isEmpty() ? NoNameAllocated : text;
    index = FindName(name);
    if (index >= 0)
        return true;
    if (Count() >= MaxNames) {
        message = TooManyNamesMessage;
        return false;
    }
    index = Append(name);
    return true;
}

QString TNameTable::NamesUsedText() const
{
    return QStringLiteral("%1/%2 Names used").arg(Count()).arg(MaxNames);
}

QString TNameTable::TotalCharactersText() const
{
    return QString::number(noOfChars_) + QStringLiteral(" Total Characters");
}

QString TNameTable::CharactersLeftText() const
{
    return QString::number(MaxChars - noOfChars_) + QStringLiteral(" Characters Left");
}
