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
    // 2, 3 … for a second or third entry within the same second ("11:02:30-2").
    int Sequence = 1;
    int Panel = 1;
    QString Engineer;
    QString Configuration;  // the configuration file the engineer worked on
    QString SentCopy;       // the copy of what was sent, kept with the backups
    bool Verified = false;
    bool PartlySaved = false;
    // What the differences are measured against: "the panel's backup", "the last record", or
    // ChangeRecord::NothingRead when the panel's previous contents are unknown.
    QString Baseline;
    QList<TDifference> Differences;
};

namespace ChangeRecord {

// The baseline of a save to a panel whose previous contents were neither read nor sent from
// here before: its changes cannot be listed.
inline const QString NothingRead = QStringLiteral("nothing read");
inline const QString NothingReadText =
    QStringLiteral("previous contents not read; turn on 'Keep a copy\u2026' to list the changes");

// "<folder>/<name>.changes.csv" and ".txt" for "<folder>/<name>.QEM".
QString CsvPath(const QString& configurationPath);
QString TextPath(const QString& configurationPath);

// Appends entry to both files, numbering it after an entry of the same second and mending a
// record that lost its heading. Each file is rewritten whole through a temporary file, so a
// failure leaves the record as it was; false with the reason in error.
bool Append(const QString& configurationPath, const TChangeEntry& entry, QString* error);

// The entries of the CSV record, oldest first; an absent record is empty, not an error. A
// row that cannot be read is an error naming its line.
bool Read(const QString& configurationPath, QList<TChangeEntry>& entries, QString* error);

// One entry as the text file shows it.
QString Describe(const TChangeEntry& entry);

} // namespace ChangeRecord
