#pragma once

#include "model/CauseEffect.h"
#include "model/NameTable.h"
#include "model/QEMLoop.h"
#include "model/SiteConfig.h"
#include "model/Zones.h"

#include <QObject>
#include <QString>
#include <QStringList>

// The parts of the document an edit touches; a view subscribes to the parts it shows.
enum TDocPart : unsigned {
    dpLoop1 = 1u << 0,
    dpLoop2 = 1u << 1,
    // The shared name table (point names of both loops).
    dpNames = 1u << 2,
    dpZones = 1u << 3,
    dpGroups = 1u << 4,
    dpSets = 1u << 5,
    // Site settings, access codes, tones, alarm verification and versions.
    dpSite = 1u << 6,
    dpCauseEffect = 1u << 7,
    dpNetwork = 1u << 8,
    dpComments = 1u << 9,
    dpEventLog = 1u << 10,
    // Panel number and loop count.
    dpPanel = 1u << 11,
    dpAll = (1u << 12) - 1,
};
Q_DECLARE_FLAGS(TDocParts, TDocPart)
Q_DECLARE_OPERATORS_FOR_FLAGS(TDocParts)

// The part of loop 1 or 2.
inline TDocPart LoopPart(int loop)
{
    return loop == 2 ? dpLoop2 : dpLoop1;
}
// The undo label of an edit of one point: "Loop 1 point 5".
inline QString PointLabel(int loop, int point)
{
    return QStringLiteral("Loop %1 point %2").arg(loop).arg(point);
}

// The one configuration document. Every layer (files, panel transfers, editors, reports)
// works on this object in place; there is no second copy.
class TData : public QObject {
    Q_OBJECT

public:
    explicit TData(QObject* parent = nullptr);

    TZoneList ZoneList;
    TGroupList GroupList;
    TSiteConfig SiteConfig;
    TRepeaterList RepeaterList;

    TQEMLoop Loop1;
    TQEMLoop Loop2;
    TZOL_Network Network;
    TC_ETable C_ETable;
    TNameTable NameTable;

    int LoopCount = 2;
    QString FileName;
    bool ConvertingFile = false;
    int DelayTimer = 300;
    int PulsedTone = 0;
    int ContinuousTone = 0;
    QString Comments = QStringLiteral("Comments Page");
    QStringList EventLog;
    int PanelNumber = 1;
    bool SendMaintenanceDate = false;

    // The content differs from the state last saved, opened or started afresh. Each edit
    // gives the content a new revision; an undo brings back the revision it had, so undoing
    // to the saved state leaves the document unmodified.
    bool Modified() const { return revision_ != savedRevision_; }
    // The content is what its file (or New) holds now.
    void MarkSaved();
    // An edit of parts named label, as one statement (see TDocEdit).
    void Edit(TDocParts parts, const QString& label);
    // The whole content was replaced in place (a completed Load All): Reset() is announced.
    void AnnounceReplaced() { emit Reset(); }

    // Loop 1 or 2.
    TQEMLoop& Loop(int n);
    const TQEMLoop& Loop(int n) const;
    TSystemType SystemType() const { return Loop1.SystemType; }
    // Points in use on both loops (taken from loop 1).
    int NoLoopDevices() const { return Loop1.NoLoopDevices(); }

    // Takes over the whole content of source (every member above and its revision, not the
    // saved one); the loops' and the C&E table's change hooks stay bound to this document. A
    // reader fills a staging copy and hands it over only when it is complete. keepFileAndLog:
    // the file name and the event log stay (an undo restores edits, not those).
    void AssignContent(const TData& source, bool keepFileAndLog = false);

    // The New defaults; the protocol stays as it is.
    void ResetToNew();
    // Both loops take the protocol and the whole configuration is cleared: a new, untitled
    // configuration.
    void SwitchProtocol(TSystemType type);
    // A save or a panel write: the " -Changed" marks go, and the views showing them are told.
    // No edit (nothing for undo, the document stays as saved).
    void ClearTypeMismatchMarks();

    // Gathers every point name (all 255 slots of both loops) into the name table and points
    // each used point at its entries.
    void RebuildNameTable();
    // The name table a Save All sends: every point name of both loops (all 255 slots), once
    // each as the table matches names, after entry 0. The check counts this same table.
    TNameTable NameTableAsSent() const;
    // After a download: every point takes its names from the indexes the panel gave.
    void ApplyNameIndexes();
    // The name table's look-up and the name chooser's add, at document level.
    int FindName(const QString& text) const { return NameTable.FindName(text); }
    bool AddName(const QString& text, int& index, QString& message)
    {
        return NameTable.AddName(text, index, message);
    }

    // Tones in the lists of the current protocol; in the 14-entry family choosing a
    // continuous tone also chooses its companion pulsed tone.
    QStringList ContinuousToneNames() const;
    QStringList PulsedToneNames() const;
    void SetContinuousTone(int index);
    void SetPulsedTone(int index);

    // Access codes: level 2 or 3.
    void SetAccessCode(int level, const QString& text);
    // The codes as the fields check them on leaving: four digits each, and not the same.
    // Save, print, undo and transfers wait while they are not.
    TAccessCodeCheck AccessCodeCheck() const;
    bool AccessCodesValid() const { return AccessCodeCheck().Valid; }

    // Zones whose sounder delay plus the investigation periods exceeds the maximum output
    // delay: the panel save refuses to start while there are any.
    QList<int> ZonesWithExcessiveSounderDelay(int maxOutputDelay) const;

signals:
    void ModifiedChanged(bool modified);
    // Once per outermost edit, named for the undo history (also when the document was already
    // modified).
    void Edited(const QString& label, TDocParts parts);
    // Once per edit, with the parts it touched.
    void Changed(TDocParts parts);
    // The whole document was replaced (New, Open, Load All, protocol switch, undo restore):
    // every view shows it afresh.
    void Reset();
    // The protocol-dependent presentation (toolbar, tone lists, base-sounder caption) follows.
    void ProtocolSwitched(TSystemType type);

private:
    friend class TDocEdit;
    void BeginEdit(const QString& label);
    void EndEdit();
    void AnnounceModified(bool wasModified);

    quint64 revision_ = 0;
    quint64 savedRevision_ = 0;
    int editDepth_ = 0;
    TDocParts editParts_;
    QString editLabel_;
};

// The one way to write: a scoped edit names the parts it touches and what undo calls it.
//     TDocEdit edit(data, dpZones, QStringLiteral("Zone 3 name"));
// Edits nest and merge; when the outermost ends the document announces Changed(parts) once
// and the undo history makes one step named after the outermost label. An edit that found
// nothing to change (Unchanged(), and no nested edit changed anything) records nothing.
class TDocEdit {
public:
    TDocEdit(TData& data, TDocParts parts, const QString& label) : data_(data), parts_(parts)
    {
        data_.BeginEdit(label);
    }
    ~TDocEdit();
    TDocEdit(const TDocEdit&) = delete;
    TDocEdit& operator=(const TDocEdit&) = delete;

    // The edit touched nothing after all.
    void Unchanged() { parts_ = {}; }

private:
    TData& data_;
    TDocParts parts_;
};

// The questions asked before New and before a protocol switch clear the configuration.
inline const QString NewConfigurationQuestion =
    QStringLiteral("This will clear the current setup. Do you wish to continue?");
QString SwitchProtocolQuestion(TSystemType type);
