#include "cli/FileSections.h"

#include "storage/ConfigReader.h"
#include "storage/ProfileFile.h"

#include <QFile>

QStringList CutOffSections(const QString& path)
{
    QFile file(path);
    if (file.size() > MaxConfigFileBytes || !file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    TProfileFile profile;
    profile.LoadFromBytes(bytes);
    return MissingConfigSections(profile, bytes);
}
