#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// The panel's shared list of point descriptions. Points refer to names by index; entry 0 is
// "No name allocated". The panel holds at most 256 names of at most 8192 characters in all,
// each counted with its terminator.
class TNameTable {
public:
    static constexpr int MaxNames = 256;
    static constexpr int MaxChars = 8192;

    TNameTable();

    // Back to the one entry "No name allocated".
    void Reset();
    // No entries at all; a download from the panel refills the table from its entry 0.
    void Empty();
    // Appends without any limit (a rebuild or a download reports the panel's table as it is).
    int Append(const QString& text);

    int Count() const { return names_.size(); }
    int NoOfChars() const { return noOfChars_; }
    const QStringList& Entries() const { return names_; }
    bool IsValidIndex(int index) const { return index >= 0 && index < names_.size(); }
    // The entry at index; an index outside the table gives "No name allocated".
    QString Name(int index) const;

    // Index of the entry equal to text when trailing blanks are removed and letter case is
    // ignored; an empty entry never matches. -1 when there is none.
    int FindName(const QString& text) const;
    // The index of text, appending it when new. Refuses a new name beyond the 256th with
    // message; index is then -1.
    bool AddName(const QString& text, int& index, QString& message);

    // The three counters of the name chooser.
    QString NamesUsedText() const;
    QString TotalCharactersText() const;
    QString CharactersLeftText() const;

private:
    // The matching form of a name: trailing blanks removed, letter case folded.
    static QString MatchKey(const QString& text);

    QStringList names_;
    // Matching form -> first entry with it; a rebuild looks up every point's names.
    QHash<QString, int> index_;
    int noOfChars_ = 0;
};

inline const QString TooManyNamesMessage =
    QStringLiteral("There is a maximum of 256 different descriptions allowed");
