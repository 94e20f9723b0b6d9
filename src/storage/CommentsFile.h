#pragma once

#include <QString>
#include <QStringList>

class TData;

// The comments of a configuration live in a rich-text file beside it. The document keeps
// plain text when the file holds no formatting (so comments typed as text read back as the
// same text), and otherwise the file's RTF as it is, so a saved configuration writes back
// exactly what was read; the comments page and the report read it with ReadRichText and
// hand edits back through WriteRtf.

// The comments a file's bytes stand for: its text when it holds no formatting (RTF or
// plain), else its RTF unchanged.
QString CommentsFromFile(const QByteArray& bytes);
// A missing file gives empty comments and success; an unreadable one fails with the path
// and the reason.
bool LoadComments(const QString& commentsPath, QString& comments, QString* error = nullptr);
// Writes RTF: comments that are RTF already go out as they are, plain text is turned into
// RTF, one paragraph per line. Replaces the file only when completely written.
bool SaveComments(const QString& commentsPath, const QString& comments, QString* error = nullptr);
// The RTF bytes a comments text is written as.
QByteArray CommentsAsRtf(const QString& comments);

// Event log files ("*.log"): the event log as RTF, one paragraph per event line.
inline const QString SaveEventLogTitle = QStringLiteral("Save Event log data");
inline const QString LoadEventLogTitle = QStringLiteral("Load Event log data");
inline const QString EventLogFilter = QStringLiteral("Event Log Files (*.log)");

bool SaveEventLog(const QString& path, const QStringList& eventLog, QString* error = nullptr);
// The RTF bytes an event log is written as.
QByteArray EventLogAsRtf(const QStringList& eventLog);
// Replaces eventLog with the file's lines (RTF or plain text); on failure eventLog is kept.
bool LoadEventLog(const QString& path, QStringList& eventLog, QString* error = nullptr);
// Empties the event log; no file is touched.
void ClearEventLog(TData& document);
