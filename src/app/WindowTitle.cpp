#include "app/WindowTitle.h"

#include "model/Data.h"

QString WindowTitle(const TData& data)
{
    QString title = QStringLiteral("ZOL Programming Tools 4.7 - ");
    title += data.FileName.isEmpty() ? QStringLiteral("New file") : data.FileName;
    if (data.Modified())
        title += QStringLiteral(" - Modified");
    return title;
}
