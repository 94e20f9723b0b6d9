#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Formatted text as comments and event logs carry it: paragraphs of runs with their basic
// character formatting. Plain C++ so that storage stays free of the GUI; the comments page
// maps it to and from its editor.
struct TRichFormat {
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    int PointSize = 0;      // 0: the default size
    int Color = -1;         // 0xRRGGBB, -1: automatic
    QString FontName;       // empty: the default font

    bool operator==(const TRichFormat&) const = default;
};

struct TRichRun {
    QString Text;
    TRichFormat Format;
    bool operator==(const TRichRun&) const = default;
};

enum class TRichAlignment { raLeft, raCenter, raRight, raJustify };

struct TRichParagraph {
    QList<TRichRun> Runs;
    TRichAlignment Alignment = TRichAlignment::raLeft;

    QString PlainText() const;
    // Appends text, joining it to the last run when the formatting is the same.
    void Append(const QString& text, const TRichFormat& format);
    bool operator==(const TRichParagraph&) const = default;
};

struct TRichText {
    QList<TRichParagraph> Paragraphs;

    // One line per paragraph.
    QStringList Lines() const;
    QString PlainText() const { return Lines().join(QLatin1Char('\n')); }
    static TRichText FromLines(const QStringList& lines);
    bool operator==(const TRichText&) const = default;
};
