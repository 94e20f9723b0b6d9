#include "storage/CommentsFile.h"

#include "model/Data.h"
#include "storage/ConfigReader.h"
#include "storage/Rtf.h"
#include "storage/SafeFiles.h"

#include <QFile>
#include <QFileInfo>

namespace {

// Only a regular file of a configuration's size is read: a pipe in its place would block the
// read, and a huge file would take memory without bound.
bool ReadWhole(const QString& path, QByteArray& bytes, QString* error)
{
    const QFileInfo info(path);
    QString refusal;
    if (info.exists() && !info.isFile())
        refusal = QStringLiteral("it is not a regular file (a folder, a device, a pipe or a socket)");
    else
        refusal = ConfigSizeRefusal(info.size());
    if (!refusal.isEmpty()) {
        if (error)
            *error = QStringLiteral("%1 was not read: %2").arg(path, refusal);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    bytes = file.readAll();
    return true;
}

// Text without any formatting: nothing of the file is lost when it is kept as plain text.
bool IsPlain(const TRichText& text)
{
    for (const TRichParagraph& p : text.Paragraphs) {
        if (p.Alignment != TRichAlignment::raLeft)
            return false;
        for (const TRichRun& run : p.Runs)
            if (run.Format != TRichFormat{})
                return false;
    }
    return true;
}

} // namespace

QString CommentsFromFile(const QByteArray& bytes)
{
    if (IsRtf(bytes)) {
        const TRichText text = ReadRichText(bytes);
        if (IsPlain(text))
            return text.PlainText();
    }
    return QString::fromLatin1(bytes);
}

bool LoadComments(const QString& commentsPath, QString& comments, QString* error)
{
    if (!QFile::exists(commentsPath)) {
        comments.clear();
        return true;
    }
    QByteArray bytes;
    if (!ReadWhole(commentsPath, bytes, error))
        return false;
    comments = CommentsFromFile(bytes);
    return true;
}

QByteArray CommentsAsRtf(const QString& comments)
{
    // RTF goes out as it is only when reading it back gives these very comments: a typed
    // text that merely begins with "{\rtf" (or holds what Latin-1 cannot) is text.
    const QByteArray latin1 = comments.toLatin1();
    if (IsRtf(latin1) && CommentsFromFile(latin1) == comments)
        return latin1;
    QString text = comments;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return WriteRtf(TRichText::FromLines(text.split(QLatin1Char('\n'))));
}

bool SaveComments(const QString& commentsPath, const QString& comments, QString* error)
{
    return WriteWholeFile(commentsPath, CommentsAsRtf(comments), error);
}

QByteArray EventLogAsRtf(const QStringList& eventLog)
{
    return WriteRtf(TRichText::FromLines(eventLog));
}

bool SaveEventLog(const QString& path, const QStringList& eventLog, QString* error)
{
    return WriteWholeFile(path, EventLogAsRtf(eventLog), error);
}

bool LoadEventLog(const QString& path, QStringList& eventLog, QString* error)
{
    QByteArray bytes;
    if (!ReadWhole(path, bytes, error))
        return false;
    eventLog = ReadRichText(bytes).Lines();
    return true;
}

void ClearEventLog(TData& document)
{
    document.EventLog.clear();
}
