#pragma once

#include "safety/ConfigDiff.h"

#include <QDateTime>
#include <QList>
#include <QString>

// The change record kept beside a configuration for the site's log book: one entry per Save
// All that reached the panel, in "<name>.changes.csv" (one row per change, for spreadsheets)
// and "<name>.changes.txt" (the same entry as readable text).
struct TChangeEntry {
    QDateTime When;
    int Panel = 1;
    QString Engineer;
    QString Configuration;  // the configuration file the engineer worked on
    QString SentCopy;       // the copy of what was sent, kept with the backups
    bool Verified = false;
    bool PartlySaved = false;
    // What the differences are measured against: "the panel's backup", "the last record",
    // "the saved file" or "nothing (first record)".
    QString Baseline;
    QList<TDifference> Differences;
};

namespace ChangeRecord {

// "<folder>/<name>.changes.csv" and ".txt" for "<folder>/<name>.QEM".
QString CsvPath(const QString& configurationPath);
QString TextPath(const QString& configurationPath);

// Appends entry to both files. Each file is rewritten whole through a temporary file, so a
// failure leaves the record as it was; false with the reason in error.
bool Append(const QString& configurationPath, const TChangeEntry& entry, QString* error);

// The entries of the CSV record, oldest first; an absent record is empty, not an error. A
// row that cannot be read is an error naming its line.
bool Read(const QString& configurationPath, QList<TChangeEntry>& entries, QString* error);

// One entry as the text file shows it.
QString Describe(const TChangeEntry& entry);

} // namespace ChangeRecord
