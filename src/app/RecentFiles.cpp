#include "app/RecentFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

QString Key(const QString& path)
{
    return QFileInfo(path).absoluteFilePath();
}

} // namespace

QStringList TRecentFiles::Files() const
{
    QStringList files = store_.value(SettingsKey).toStringList();
    files.removeAll(QString());
    while (files.size() > MaxFiles)
        files.removeLast();
    return files;
}

void TRecentFiles::Add(const QString& path)
{
    if (path.isEmpty())
        return;
    const QString key = Key(path);
    QStringList files = Files();
    files.removeAll(key);
    files.prepend(key);
    while (files.size() > MaxFiles)
        files.removeLast();
    Store(files);
}

void TRecentFiles::Remove(const QString& path)
{
    QStringList files = Files();
    files.removeAll(path);
    files.removeAll(Key(path));
    Store(files);
}

void TRecentFiles::Store(const QStringList& files)
{
    store_.setValue(SettingsKey, files);
    store_.sync();
}

QString RecentFileCaption(int number, const QString& path)
{
    QString shown = QDir::toNativeSeparators(path);
    // A literal "&" in the path is no mnemonic.
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 ").arg(number) + shown;
}

QString RecentFileGoneMessage(const QString& path)
{
    return QStringLiteral("The file \"%1\" no longer exists. It has been removed from the list of "
                          "recent files.")
        .arg(QDir::toNativeSeparators(path));
}
