#include "storage/ConfigFile.h"

#include "model/Data.h"
#include "storage/CommentsFile.h"
#include "storage/ConfigFileNames.h"
#include "storage/ConfigReader.h"
#include "storage/ConfigSections.h"
#include "storage/ConfigWriter.h"
#include "storage/ProfileFile.h"
#include "storage/Prompts.h"

#include <QFile>
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
    const QFileInfo info(path);
    if (info.isDir())
        return Fail(QStringLiteral("%1 is a folder, not a ZOL Programming Tools file.").arg(path),
                    caption);
    if (!info.exists())
        return Fail(QStringLiteral("The file %1 does not exist.").arg(path), caption);
    if (!info.isFile())
        return Fail(QStringLiteral("%1 is not a regular file.").arg(path), caption);
    if (const QString tooLarge = ConfigSizeRefusal(info.size()); !tooLarge.isEmpty())
        return Fail(QStringLiteral("The file %1 is not read: %2.").arg(path, tooLarge), caption);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Fail(QStringLiteral("The file could not be read. %1: %2").arg(path, file.errorString()),
                    caption);
    const QByteArray bytes = file.readAll();
    file.close();
    if (const QString tooLong = ConfigLineRefusal(bytes); !tooLong.isEmpty())
        return Fail(QStringLiteral("The file %1 is not read: %2.").arg(path, tooLong), caption);
    TProfileFile profile;
    profile.LoadFromBytes(bytes);

    if (profile.ReadString(ConfigKeys::Header, ConfigKeys::FileType, QString())
        != ConfigKeys::FileTypeValue) {
        // The known message first; then which file it is, so a wrong pick is easy to see.
        const QString what = bytes.isEmpty()       ? QStringLiteral(" (it is empty)")
                             : bytes.contains('\0') ? QStringLiteral(" (it holds binary data)")
                                                     : QString();
        return Fail(InvalidFileMessage + QStringLiteral(":\n%1%2").arg(path, what), caption);
    }

    if (const QStringList missing = MissingConfigSections(profile, bytes); !missing.isEmpty())
        prompts_.warning(MissingSectionsWarning(path, missing), caption);

    QString reason;
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
    doc_.MarkSaved();
    return true;
}

TConfigOutput::TConfigOutput(const QString& path)
    : config_(path), comments_(CommentsFileName(path))
{
}

bool TConfigOutput::Open(QString* error)
{
    // A configuration named like its own comments file (site.RTF) would be overwritten by
    // the comments straight after it was written.
    if (IsSameFile(comments_.Path(), config_.Path())) {
        if (error)
            *error = QStringLiteral("%1 would also be its comments file. Choose a name with "
                                    "another extension, such as .QEM.")
                         .arg(config_.Path());
        return false;
    }
    QString reason;
    if (!CheckReplaceableFile(comments_.Path(), &reason) || !config_.Open(&reason)
        || !comments_.Open(&reason)) {
        if (error)
            *error = reason;
        return false;
    }
    return true;
}

bool TConfigFile::WriteFile(const QString& path)
{
    TConfigOutput output(path);
    return WriteFile(output);
}

bool TConfigFile::WriteFile(TConfigOutput& output)
{
    lastError_.clear();
    const QString caption = QStringLiteral("Save");
    QString reason;
    if (!output.config_.IsOpen() && !output.Open(&reason))
        return Fail(QStringLiteral("The configuration was not saved: %1").arg(reason), caption);
    const QString& path = output.Path();
    TProfileFile profile;
    if (!profile.LoadFromFile(path, &reason))
        return Fail(QStringLiteral("The configuration was not saved: the existing file could "
                                   "not be read. %1")
                        .arg(reason),
                    caption);
    WriteConfiguration(doc_, profile);
    if (!output.config_.Commit(profile.ToBytes(), &reason))
        return Fail(QStringLiteral("The configuration was not saved. %1").arg(reason), caption);
    if (!output.comments_.Commit(CommentsAsRtf(doc_.Comments), &reason))
        return Fail(QStringLiteral("The configuration was saved but its comments were not. %1")
                        .arg(reason),
                    caption);

    doc_.ClearTypeMismatchMarks();
    doc_.MarkSaved();
    return true;
}

bool TConfigFile::WriteFile()
{
    return !doc_.FileName.isEmpty() && WriteFile(doc_.FileName);
}

bool TConfigFile::Save()
{
    return doc_.AccessCodesValid() && WriteFile();
}

bool TConfigFile::SaveAs(const QString& chosenPath)
{
    if (!doc_.AccessCodesValid())
        return false;
    const QString path = PanelFileName(chosenPath, doc_.PanelNumber);
    if (!WriteFile(path))
        return false;
    doc_.FileName = path;
    return true;
}
