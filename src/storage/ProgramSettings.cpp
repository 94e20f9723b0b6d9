#include "storage/ProgramSettings.h"

#include "storage/ProfileFile.h"

#include <QCoreApplication>
#include <QDir>

QString TProgramSettings::HelpFilePath() const
{
    return QDir::current().filePath(HelpFileName);
}

QString ProgramSettingsPath()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(ProgramSettingsFileName);
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
