#pragma once

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

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
    // Any integer other than 0 is true; missing or not an integer gives def.
    bool ReadBool(const QString& section, const QString& key, bool def) const;
    QDate ReadDate(const QString& section, const QString& key, const QDate& def) const;

    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void WriteBool(const QString& section, const QString& key, bool value);
    void WriteDate(const QString& section, const QString& key, const QDate& value);

    // The integer a text holds, as ReadInteger reads it.
    static std::optional<int> ParseInteger(const QString& text);

private:
    struct TLine {
        QString Raw;   // the line as read or last written, without its line end
        QString Key;   // trimmed key of a key=value line, empty otherwise
        QString Value; // trimmed value of a key=value line
    };
    // A folded name with a cheap hash: files hold thousands of short keys.
    struct TFoldedName {
        QString Text;
        bool operator==(const TFoldedName&) const = default;
        friend size_t qHash(const TFoldedName& name, size_t seed) noexcept
        {
            size_t h = 1469598103934665603ull ^ seed;
            for (const QChar c : name.Text)
                h = (h ^ c.unicode()) * 1099511628211ull;
            return h;
        }
    };
    struct TSection {
        QList<TLine> Lines; // the first line of a real section is its [header]
        QHash<TFoldedName, int> Keys;
    };

    static QString Fold(QStringView name);
    int SectionIndex(const QString& section) const;
    const TLine* Find(const QString& section, const QString& key) const;
    TSection& SectionFor(const QString& section);
    void AddLine(TSection& section, const QString& raw);

    // Index 0 holds the lines before the first section header.
    QList<TSection> sections_{TSection{}};
    QHash<QString, int> sectionIndex_;
    QByteArray lineEnd_ = "\r\n";
    mutable QString lastSectionName_;
    mutable int lastSectionIndex_ = -1;
};
