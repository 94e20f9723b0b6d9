#pragma once

#include "storage/SafeFiles.h"

#include <QString>

class TData;
class TPrompts;

inline const QString InvalidFileMessage =
    QStringLiteral("The selected file is not a valid ZOL Programming Tools file");
inline const QString LoadingFromDiskText = QStringLiteral("Loading Data from Disk, Please Wait...");
inline const QString SavingToDiskText = QStringLiteral("Saving Data to Disk, Please Wait...");
inline const QString ConfigFileFilter = QStringLiteral("ZOL Configuration  File (*.QEM)");
inline const QString AllFilesFilter = QStringLiteral("All Files (*.*)");

// A configuration file and its comments file opened for writing in their folder before the
// document is written: zolctl opens them before it asks the panel for anything, so a path
// that cannot be written fails before any work is done. Nothing is replaced until
// TConfigFile::WriteFile(output) commits them.
class TConfigOutput {
public:
    explicit TConfigOutput(const QString& path);
    // Refuses a configuration named like its own comments file and targets that are not
    // regular files; false with the reason in error.
    bool Open(QString* error);
    const QString& Path() const { return config_.Path(); }

private:
    friend class TConfigFile;
    TStagedFile config_;
    TStagedFile comments_;
};

// Open, Save and Save As of the configuration file and its comments file beside it. Messages
// go to the user through prompts; nothing here shows a window.
class TConfigFile {
public:
    TConfigFile(TData& document, TPrompts& prompts) : doc_(document), prompts_(prompts) {}

    // Reads path into a staging copy and hands it to the document only when the whole file
    // was read: a rejected or failed read leaves the document, its file name, its panel
    // number and its modified mark as they were. On success FileName is path, the panel
    // number comes from a "_Panel" digit in the name and the document is unmodified.
    bool Open(const QString& path);
    // The reading step of Open under its usual name.
    bool ReadFile(const QString& path) { return Open(path); }

    // Save writes to FileName; it does nothing while an access code fails its check, and
    // gives false without a message when there is no file name yet (the caller asks for one
    // and uses SaveAs).
    bool Save();
    // Applies the "_Panel" naming rule to the chosen path, writes there and makes it the
    // document's file name.
    bool SaveAs(const QString& chosenPath);

    // Writes the document to exactly path (no renaming) with its comments file. Keys of an
    // existing file that we do not write are kept. The new content replaces the old file
    // only when it is completely written; a failure is reported with the path and the
    // reason and leaves the document modified. Success clears the type-mismatch marks and
    // the modified mark.
    bool WriteFile(const QString& path);
    // The same into an output opened beforehand (opened here when it is not yet).
    bool WriteFile(TConfigOutput& output);
    // Writes to the document's FileName; false without a message when it has none.
    bool WriteFile();

    // The message of the last failure, as shown to the user.
    QString LastError() const { return lastError_; }

private:
    bool Fail(const QString& message, const QString& caption);

    TData& doc_;
    TPrompts& prompts_;
    QString lastError_;
};
