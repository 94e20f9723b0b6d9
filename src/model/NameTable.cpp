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
    noOfChars_ = 0;
}

int TNameTable::Append(const QString& text)
{
    names_.append(text);
    noOfChars_ += static_cast<int>(text.size()) + 1;
    return static_cast<int>(names_.size()) - 1;
}

QString TNameTable::Name(int index) const
{
    return IsValidIndex(index) ? names_.at(index) : NoNameAllocated;
}

int TNameTable::FindName(const QString& text) const
{
    const QString wanted = WithoutTrailingBlanks(text);
    for (qsizetype i = 0; i < names_.size(); ++i) {
        const QString entry = WithoutTrailingBlanks(names_.at(i));
        if (!entry.isEmpty() && entry.compare(wanted, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

bool TNameTable::AddName(const QString& text, int& index, QString& message)
{
    index = FindName(text);
    if (index >= 0)
        return true;
    if (Count() >= MaxNames) {
        message = TooManyNamesMessage;
        return false;
    }
    index = Append(text);
    return true;
}

QString TNameTable::NamesUsedText() const
{
    return QString::number(Count()) + QStringLiteral("/256 Names used");
}

QString TNameTable::TotalCharactersText() const
{
    return QString::number(noOfChars_) + QStringLiteral(" Total Characters");
}

QString TNameTable::CharactersLeftText() const
{
    return QString::number(MaxChars - noOfChars_) + QStringLiteral(" Characters Left");
}
