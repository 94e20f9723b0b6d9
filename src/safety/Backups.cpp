#include "safety/Backups.h"

#include "model/Data.h"
#include "storage/ConfigFile.h"
#include "storage/Prompts.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

// Keeps the reason of a failed write; a backup never asks anything.
class TQuietPrompts : public TPrompts {
public:
    QString Last;
    void information(const QString&, const QString&) override {}
    void warning(const QString& text, const QString&) override { Last = text; }
    void error(const QString& text, const QString&) override { Last = text; }
    TPromptAnswer confirm(const QString&, TPromptButtons, TPromptKind) override
    {
        return TPromptAnswer::paNo;
    }
    void beep() override {}
};

} // namespace

namespace Backups {

QString SiteName(const TData& data)
{
    QString site = QFileInfo(data.FileName).completeBaseName();
    static const QRegularExpression panelPart(QStringLiteral("_Panel\\d*$"),
                                              QRegularExpression::CaseInsensitiveOption);
    site.remove(panelPart);
    if (site.trimmed().isEmpty())
        site = data.SiteConfig.ClientName;
    static const QRegularExpression unsafe(QStringLiteral("[\\\\/:*?\"<>|\\x00-\\x1f]"));
    site.replace(unsafe, QStringLiteral("_"));
    site = site.trimmed();
    return site.isEmpty() ? QStringLiteral("Untitled") : site;
}

QString DefaultFolder(const QString& configurationPath)
{
    const QString base = configurationPath.isEmpty() ? QDir::currentPath()
                                                     : QFileInfo(configurationPath).absolutePath();
    return QDir(base).filePath(QStringLiteral("backups"));
}

QString FilePath(const QString& folder, const QString& site, int panel, const QDateTime& when,
                 const QString& suffix)
{
    return QDir(folder).filePath(QStringLiteral("%1_Panel%2_%3%4.QEM")
                                     .arg(site, QString::number(panel),
                                          when.toString(QStringLiteral("yyyy-MM-dd_HHmmss")),
                                          suffix));
}

QString UniqueFilePath(const QString& folder, const QString& site, int panel,
                       const QDateTime& when, const QString& suffix)
{
    QString path = FilePath(folder, site, panel, when, suffix);
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = FilePath(folder, site, panel, when, QStringLiteral("-%1%2").arg(n).arg(suffix));
    return path;
}

bool Read(const QString& path, TData& data, QString* error)
{
    TQuietPrompts prompts;
    if (TConfigFile(data, prompts).Open(path))
        return true;
    if (error)
        *error = prompts.Last.isEmpty() ? QStringLiteral("Cannot read %1").arg(path) : prompts.Last;
    return false;
}

bool Write(const TData& data, const QString& path, QString* error)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = QStringLiteral("Cannot create the backups folder %1").arg(folder);
        return false;
    }
    // The copy is written from a copy: writing clears the modified mark of what it writes.
    TData copy;
    copy.AssignContent(data);
    TQuietPrompts prompts;
    if (!TConfigFile(copy, prompts).WriteFile(path)) {
        if (error)
            *error = prompts.Last.isEmpty() ? QStringLiteral("Cannot write the backup %1").arg(path)
                                            : prompts.Last;
        return false;
    }
    return true;
}

} // namespace Backups
