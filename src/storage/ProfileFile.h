#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>
#include <unordered_map>
#include <vector>

// An in-memory profile (INI) document with the rules stored configurations rely on:
// section and key names match without regard to letter case and surrounding blanks, values
// are trimmed when read, a write replaces a key where it stands, a new key goes to the end
// of its section and a new section to the end of the file, and nothing is ever removed.
// Text is Latin-1 both ways, so every byte of a file survives a load and a save; lines that
// are not touched are written back exactly as they were read.
class TProfileFile {
public:
    // Dates are kept as dd/mm/yyyy.
    static inline const QString DateFormat = QStringLiteral("dd/MM/yyyy");

    TProfileFile() = default;

    void LoadFromBytes(const QByteArray& bytes);
    // A missing file gives an empty document. Fails (with the path and the reason in error)
    // only when the file exists and cannot be read.
    bool LoadFromFile(const QString& path, QString* error = nullptr);
    QByteArray ToBytes() const;
    // Writes the whole document to a temporary file and renames it over path, so a failed
    // write leaves the old file intact.
    bool SaveToFile(const QString& path, QString* error = nullptr) const;

    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& key) const;
    // The trimmed value of the first such key of the first such section.
    std::optional<QString> Value(const QString& section, const QString& key) const;

    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    // Missing, empty or not an integer gives def. Decimal, or hexadecimal with "$" or "0x".
    int ReadInteger(const QString& section, const QString& key, int def) const;
    // The integer as written, in a type wide enough for any number a file holds: digits
    // beyond its range give its limits. Missing, empty or not an integer gives nullopt.
    std::optional<qint64> ReadWideInteger(const QString& section, const QString& key) const;
    // Any integer other than 0 is true; missing or not an integer gives def.
    bool ReadBool(const QString& section, const QString& key, bool def) const;
    QDate ReadDate(const QString& section, const QString& key, const QDate& def) const;

    // Line breaks in value are written as blanks: a value is one line.
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void WriteBool(const QString& section, const QString& key, bool value);
    void WriteDate(const QString& section, const QString& key, const QDate& value);

    // The integer a text holds, as ReadInteger reads it.
    static std::optional<int> ParseInteger(const QString& text);
    // The same, wide (see ReadWideInteger).
    static std::optional<qint64> ParseWideInteger(const QString& text);

private:
    // Configuration files hold thousands of keys: lines are views into the bytes as read (or
    // into names this document added), so loading copies nothing per line and a name is
    // looked up without building a folded copy of it.
    struct TLine {
        QByteArrayView Text;  // the line as read, without its line end (unless Edited)
        QByteArrayView Key;   // trimmed key of a key=value line, empty otherwise
        QByteArrayView Value; // trimmed value as read
        QByteArray NewValue;  // the value last written, when Edited
        bool Edited = false;  // written as Key=NewValue
    };
    // Case-insensitive Latin-1 names, looked up directly with the caller's text.
    struct TNameHash {
        using is_transparent = void;
        size_t operator()(QByteArrayView name) const noexcept;
        size_t operator()(QStringView name) const noexcept;
    };
    struct TNameEqual {
        using is_transparent = void;
        bool operator()(QByteArrayView a, QByteArrayView b) const noexcept;
        bool operator()(QStringView a, QByteArrayView b) const noexcept;
        bool operator()(QByteArrayView a, QStringView b) const noexcept { return (*this)(b, a); }
    };
    using TNameIndex = std::unordered_map<QByteArrayView, int, TNameHash, TNameEqual>;
    struct TSection {
        std::vector<TLine> Lines; // the first line of a real section is its [header]
        TNameIndex Keys;          // first line of each key
    };

    int SectionIndex(const QString& section) const;
    const TLine* Find(const QString& section, const QString& key) const;
    TSection& SectionFor(const QString& section);
    void WriteLatin1(const QString& section, const QString& key, QByteArrayView value);
    // Stable storage for a name this document adds.
    QByteArrayView Keep(QByteArray bytes);

    QByteArray source_; // the bytes as read; lines not written point into them
    QList<QByteArray> added_;
    // Index 0 holds the lines before the first section header.
    std::vector<TSection> sections_ = std::vector<TSection>(1);
    TNameIndex sectionIndex_;
    QByteArray lineEnd_ = "\r\n";
    // Readers and writers ask for many keys of one section in a row.
    mutable QString lastSectionName_;
    mutable int lastSectionIndex_ = -1;
};
