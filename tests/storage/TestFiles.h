#pragma once

#include "model/Data.h"
#include "storage/ConfigWriter.h"
#include "storage/ProfileFile.h"

#include <QFile>
#include <QString>

inline QByteArray ReadBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

// Everything the file holds of a document, as the writer lays it out: two documents with the
// same image are the same configuration.
inline QByteArray FileImage(const TData& doc)
{
    TProfileFile f;
    WriteConfiguration(doc, f);
    return f.ToBytes();
}

inline QString TestData(const char* name)
{
    return QStringLiteral(ZOL_TEST_DATA "/") + QLatin1String(name);
}

// An open document with unsaved work, to check that a failed or refused open leaves it alone.
inline void MakeOpenDocument(TData& doc)
{
    doc.SwitchProtocol(stHochikiLoop);
    doc.Loop1.PlaceDevice(9, 136);
    doc.Loop1.Devices[9].Name = QStringLiteral("Boiler room");
    doc.RebuildNameTable();
    doc.FileName = QStringLiteral("/jobs/old_Panel3.QEM");
    doc.PanelNumber = 3;
    doc.Edit(dpAll, QStringLiteral("edit"));
}
