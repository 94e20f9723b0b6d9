#include "storage/ConfigFile.h"

#include "model/Data.h"
#include "storage/CommentsFile.h"
#include "storage/ConfigFileNames.h"
#include "storage/ConfigReader.h"
#include "storage/ConfigSections.h"
#include "storage/ConfigWriter.h"
#include "storage/ProfileFile.h"
#include "storage/Prompts.h"

#include <QFileInfo>

bool TConfigFile::Fail(const QString& message, const QString& caption)
{
    lastError_ = message;
    prompts_.error(message, caption);
    return false;
}

bool TConfigFile::Open(const QString& path)
{
    lastError_.clear();
    const QString caption = QStringLiteral("Open");
    QString reason;
    TProfileFile profile;
    if (!QFileInfo(path).isFile())
        return Fail(QStringLiteral("The file %1 does not exist.").arg(path), caption);
    if (!profile.LoadFromFile(path, &reason))
        return Fail(QStringLiteral("The file could not be read. %1").arg(reason), caption);

    if (profile.ReadString(ConfigKeys::Header, ConfigKeys::FileType, QString())
        != ConfigKeys::FileTypeValue)
        return Fail(InvalidFileMessage, caption);

    QString comments;
    if (!LoadComments(CommentsFileName(path), comments, &reason))
        return Fail(QStringLiteral("The comments file could not be read. %1").arg(reason), caption);

    TData staging;
    staging.AssignContent(doc_);
    try {
        ReadConfiguration(profile, comments, staging, prompts_);
    } catch (const TConfigReadError& e) {
        return Fail(QStringLiteral("The file %1 could not be read: %2").arg(path, e.Message),
                    caption);
    }
    staging.FileName = path;
    staging.PanelNumber = PanelNumberFromFileName(path, doc_.PanelNumber);

    doc_.AssignContent(staging);
    doc_.SetModified(false);
    return true;
}

bool TConfigFile::WriteFile(const QString& path)
{
    lastError_.clear();
    const QString caption = QStringLiteral("Save");
    const QString commentsPath = CommentsFileName(path);
    // A configuration named like its own comments file (site.RTF) would be overwritten by
    // the comments straight after it was written.
    if (QFileInfo(commentsPath).absoluteFilePath() == QFileInfo(path).absoluteFilePath())
        return Fail(QStringLiteral("The configuration was not saved: %1 would also be its "
                                   "comments file. Choose a name with another extension, such "
                                   "as .QEM.")
                        .arg(path),
                    caption);
    QString reason;
    TProfileFile profile;
    if (!profile.LoadFromFile(path, &reason))
        return Fail(QStringLiteral("The configuration was not saved: the existing file could "
                                   "not be read. %1")
                        .arg(reason),
                    caption);
    WriteConfiguration(doc_, profile);
    if (!profile.SaveToFile(path, &reason))
        return Fail(QStringLiteral("The configuration was not saved. %1").arg(reason), caption);
    if (!SaveComments(commentsPath, doc_.Comments, &reason))
        return Fail(QStringLiteral("The configuration was saved but its comments were not. %1")
                        .arg(reason),
                    caption);

    const int points = doc_.NoLoopDevices();
    for (TQEMLoop* loop : {&doc_.Loop1, &doc_.Loop2})
        for (int p = 1; p <= points; ++p)
            loop->Devices[p].TypeMismatch = false;
    doc_.SetModified(false);
    return true;
}

bool TConfigFile::WriteFile()
{
    return !doc_.FileName.isEmpty() && WriteFile(doc_.FileName);
}

bool TConfigFile::Save()
{
    return doc_.AccessCodesValid && WriteFile();
}

bool TConfigFile::SaveAs(const QString& chosenPath)
{
    if (!doc_.AccessCodesValid)
        return false;
    const QString path = PanelFileName(chosenPath, doc_.PanelNumber);
    if (!WriteFile(path))
        return false;
    doc_.FileName = path;
    return true;
}
