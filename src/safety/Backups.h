#pragma once

#include <QDateTime>
#include <QString>

class TData;

// Copies kept before a Save All: the panel's configuration as it was, and the file that
// replaced it, side by side in a backups folder, so an engineer can always see both.
namespace Backups {

// The folder used when none is given: "backups" beside the configuration file (beside the
// working directory for a configuration without a file).
QString DefaultFolder(const QString& configurationPath);

// The site a configuration is for: its file name without the "_Panel" part, else the
// client's name, else "Untitled"; characters a file name cannot hold become "_".
QString SiteName(const TData& data);

// "<site>_Panel<n>_<yyyy-mm-dd_HHMMSS>.QEM" in folder, with suffix (e.g. "_sent") before the
// extension.
QString FilePath(const QString& folder, const QString& site, int panel, const QDateTime& when,
                 const QString& suffix = QString());

// FilePath, numbered after the time ("…_HHmmss-2.QEM") when a file of that second is there.
QString UniqueFilePath(const QString& folder, const QString& site, int panel,
                       const QDateTime& when, const QString& suffix = QString());

// Writes a copy of data to path, creating its folder; the document itself is left as it was,
// its file name and modified mark included. False with the reason in error.
bool Write(const TData& data, const QString& path, QString* error);

// Reads a kept copy (or any configuration file) into data without asking anything; false
// with the reason in error.
bool Read(const QString& path, TData& data, QString* error);

// The suffix of the copy of the file being sent.
inline const QString SentSuffix = QStringLiteral("_sent");

} // namespace Backups
