#pragma once

#include "panel/PanelPages.h"

#include <QList>
#include <QString>
#include <QStringList>

class TData;

// One field whose value differs between two configurations.
struct TDifference {
    TPanelPage Page = ppLoopSummary;
    QString Item;   // "Point 12", "Zone 3", "Event 2", "Panel 4", "Site" …
    QString Field;  // "Type", "Name", "Group 5", "Access Level 2 Code" …
    QString Left;
    QString Right;
};

// Compares two configurations field by field, by meaning: a point is compared by its type,
// zone, settings and names, not by where its name sits in the name table or how a file lays
// it out. The order is by page, then item, then field.
class TConfigDiff {
public:
    static QList<TDifference> Compare(const TData& left, const TData& right);

    // What a Load All reads back after a Save All, against what was sent: only the fields the
    // panel keeps and reports, in the form the panel keeps them (texts without surrounding
    // blanks, after every conversion the sending applies; names the panel merges are equal).
    // The maintenance date counts only when it was sent.
    static QList<TDifference> CompareReadBack(const TData& sent, const TData& readBack);
    // What a Save All changed, in the engineer's words: what the panel held before
    // (panelBefore: read from it, or the copy sent last time) against what it holds after
    // (both in the panel's form, as verify compares them), then the details only the file
    // keeps, file to file (fileBefore: the copy sent last time). A device exchanged for
    // another is one line; either baseline may be missing.
    static QList<TDifference> CompareChanges(const TData* panelBefore, const TData* fileBefore,
                                             const TData& after);
    // What a comparison with the panel notes without calling it a difference: the point names
    // the panel merges into one.
    static QStringList ReadBackNotes(const TData& sent);
    // The fields CompareReadBack leaves out, for the help and the command-line usage.
    static QStringList FieldsNotReadBack();

    // "Zone Config / Zone 3 / Name: 'Kitchen' -> 'Store'", one line.
    static QString Describe(const TDifference& difference);
    // The error after a verify found differences: how many, and each one (sent -> read back).
    static QString VerifyFailedText(const QList<TDifference>& differences);
};
