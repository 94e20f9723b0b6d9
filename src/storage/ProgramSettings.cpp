#include "storage/ProgramSettings.h"

#include "storage/ProfileFile.h"

#include "ZolInstallDirs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString TProgramSettings::HelpFilePath() const
{
    return QDir::current().filePath(HelpFileName);
}

QStringList ProgramDataDirs()
{
    const QDir programDir(QCoreApplication::applicationDirPath());
    return {programDir.absolutePath(),
            QDir::cleanPath(programDir.filePath(QString::fromUtf8(ZolDataDirFromBinDir)))};
}

QString ProgramSettingsPath(const QStringList& dirs)
{
    for (const QString& dir : dirs) {
        const QString path = QDir(dir).filePath(ProgramSettingsFileName);
        if (QFileInfo(path).isFile())
            return path;
    }
    return dirs.isEmpty() ? ProgramSettingsFileName : QDir(dirs.first()).filePath(ProgramSettingsFileName);
}

TProgramSettings LoadProgramSettings(const QString& iniPath)
{
    TProgramSettings settings;
    TProfileFile ini;
    if (!ini.LoadFromFile(iniPath))
        return settings;
    settings.MaxOutputDelay = ini.ReadInteger(QStringLiteral("Program Configuration"),
                                              QStringLiteral("MaxOutputDelay "),
                                              settings.MaxOutputDelay);
    settings.HelpFileName =
        ini.ReadString(QStringLiteral("Help File"), QStringLiteral("Filename "), settings.HelpFileName);
    return settings;
}
