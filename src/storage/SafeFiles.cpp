#include "storage/SafeFiles.h"

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QFileInfo>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

void SetError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

// The canonical form of a path that may not exist yet: its folder resolved, its name kept.
QString ResolvedPath(const QString& path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    if (!canonical.isEmpty())
        return canonical;
    const QString folder = info.absoluteDir().canonicalPath();
    return folder.isEmpty() ? info.absoluteFilePath() : QDir(folder).filePath(info.fileName());
}

} // namespace

bool CheckReplaceableFile(const QString& path, QString* error)
{
    const QFileInfo info(path);
    if (!info.exists() || info.isFile())
        return true;
    if (info.isDir())
        SetError(error, QStringLiteral("%1 is a folder; nothing was written.").arg(path));
    else
        SetError(error, QStringLiteral("%1 is not a regular file (a device, a pipe or a socket); "
                                       "it was not replaced.")
                            .arg(path));
    return false;
}

bool IsSameFile(const QString& a, const QString& b)
{
    return ResolvedPath(a) == ResolvedPath(b);
}

bool TStagedFile::Open(QString* error)
{
    if (!CheckReplaceableFile(path_, error))
        return false;
    if (!file_.open(QIODevice::WriteOnly)) {
        SetError(error, QStringLiteral("%1: %2").arg(path_, file_.errorString()));
        return false;
    }
    return true;
}

bool TStagedFile::Commit(const QByteArray& bytes, QString* error)
{
    if (!file_.isOpen() && !Open(error))
        return false;
    // The target may have been replaced by something else while the work went on.
    if (!CheckReplaceableFile(path_, error)) {
        file_.cancelWriting();
        file_.commit();
        return false;
    }
    errno = 0;
    // The last part of the content stays in Qt's buffer until the flush; a full disk shows
    // there, and the rename must not happen after it.
    if (file_.write(bytes) != bytes.size() || !file_.flush() || !file_.commit()) {
        // A buffered write that fails on flush leaves Qt without a reason; the system has one.
        const int reason = errno;
        const QString text = file_.error() != QFileDevice::NoError
                                     && file_.errorString() != QLatin1String("Unknown error")
                                 ? file_.errorString()
                             : reason != 0 ? qt_error_string(reason)
                                           : QStringLiteral("the file could not be completely written");
        SetError(error, QStringLiteral("%1: %2").arg(path_, text));
        if (file_.isOpen()) {
            file_.cancelWriting();
            file_.commit();
        }
        return false;
    }
    return true;
}

void GiveUsualPermissions(const QString& staged, const QString& target)
{
#ifdef Q_OS_UNIX
    struct stat existing {};
    mode_t mode = 0;
    if (::stat(QFile::encodeName(target).constData(), &existing) == 0) {
        mode = existing.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::chmod(QFile::encodeName(staged).constData(), mode);
#else
    // Windows files take the folder's permissions.
    Q_UNUSED(staged);
    Q_UNUSED(target);
#endif
}

bool WriteWholeFile(const QString& path, const QByteArray& bytes, QString* error)
{
    TStagedFile file(path);
    return file.Commit(bytes, error);
}
