#pragma once

#include <QString>

inline const QString ProgramSettingsFileName = QStringLiteral("Protocol_Buttons.ini");

// The two program settings kept in Protocol_Buttons.ini beside the program.
struct TProgramSettings {
    int MaxOutputDelay = 600;
    QString HelpFileName = QStringLiteral("ZOL.hlp");
    // The help file is looked for in the working directory.
    QString HelpFilePath() const;
};

// Protocol_Buttons.ini in the program's own folder.
QString ProgramSettingsPath();

// Reads the settings; a missing file or key gives the defaults. The keys are asked for with
// a trailing blank, as the program always has, and match the stored names all the same.
TProgramSettings LoadProgramSettings(const QString& iniPath = ProgramSettingsPath());
