#pragma once

#include <QString>
#include <QStringList>

inline const QString ProgramSettingsFileName = QStringLiteral("Protocol_Buttons.ini");

// The two program settings kept in Protocol_Buttons.ini beside the program.
struct TProgramSettings {
    int MaxOutputDelay = 600;
    QString HelpFileName = QStringLiteral("ZOL.hlp");
    // The help file is looked for in the working directory.
    QString HelpFilePath() const;
};

// The folders the program's data files are looked for in, in order: the program's own folder
// (a build tree, or a copy run in place), then the installed data folder.
QStringList ProgramDataDirs();

// Protocol_Buttons.ini in the first of the folders that holds one; when none does, the path in
// the first folder (the settings then take their defaults).
QString ProgramSettingsPath(const QStringList& dirs = ProgramDataDirs());

// Reads the settings; a missing file or key gives the defaults. The keys are asked for with
// a trailing blank, as the program always has, and match the stored names all the same.
TProgramSettings LoadProgramSettings(const QString& iniPath = ProgramSettingsPath());
