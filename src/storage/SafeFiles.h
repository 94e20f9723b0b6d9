#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

// Every file the program writes (configurations, comments, event logs, reports) replaces its
// target only when it is completely written, and never replaces something that is not a
// regular file.

// True when path may be written: it does not exist yet, or it is a regular file (or a link
// to one). A folder, a device (/dev/null), a pipe or a socket is refused with a message that
// names it. The GUI's Save As, zolctl and the writers below all ask this first.
bool CheckReplaceableFile(const QString& path, QString* error = nullptr);

// True when a and b name the same file once links, "." and ".." are resolved (either may not
// exist yet).
bool IsSameFile(const QString& a, const QString& b);

// A file written whole or not at all, opened in its target folder before its content exists:
// Open makes the temporary file there, so a folder that is missing or cannot be written fails
// before any work is done. Commit writes the content and renames it over the target; a file
// never committed leaves no trace.
class TStagedFile {
public:
    explicit TStagedFile(const QString& path) : path_(path), file_(path) {}

    bool Open(QString* error = nullptr);
    bool IsOpen() const { return file_.isOpen(); }
    bool Commit(const QByteArray& bytes, QString* error = nullptr);
    const QString& Path() const { return path_; }

private:
    QString path_;
    QSaveFile file_;
};

// A file made privately (a temporary file another library fills) gets, before it takes the
// target's name, the permissions the target has, or those any new file of the user gets.
void GiveUsualPermissions(const QString& staged, const QString& target);

// Writes bytes to path through a TStagedFile: a write or flush that fails (a full disk) leaves
// the old file as it was and gives the reason in error. Every whole-file writer uses it.
bool WriteWholeFile(const QString& path, const QByteArray& bytes, QString* error = nullptr);
