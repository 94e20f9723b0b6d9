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
    bool AccessCodesValid = true;

    bool Modified() const { return modified_; }
    // SetModified(true) is an edit of unnamed parts (all of them); Edit names what it touched.
    void SetModified(bool modified);
    // The one write path: the modified mark is set and Changed(parts) announced once.
    void Edit(TDocParts parts);
    // The whole content was replaced in place (a completed Load All): Reset() is announced.
    void AnnounceReplaced() { emit Reset(); }

    // Loop 1 or 2.
    TQEMLoop& Loop(int n);
    const TQEMLoop& Loop(int n) const;
    TSystemType SystemType() const { return Loop1.SystemType; }
    // Points in use on both loops (taken from loop 1).
    int NoLoopDevices() const { return Loop1.NoLoopDevices(); }

    // Takes over the whole content of source (every member above, not the modified mark);
    // the loops' and the C&E table's change hooks stay bound to this document. A reader fills
    // a staging copy and hands it over only when it is complete.
    void AssignContent(const TData& source);

    // The New defaults; the protocol stays as it is.
    void ResetToNew();
    // Both loops take the protocol and the whole configuration is cleared.
    void SwitchProtocol(TSystemType type);

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
    void BeginAccessCodeEdit() { AccessCodesValid = false; }
    TAccessCodeCheck EndAccessCodeEdit(int level);

    // Zones whose sounder delay plus the investigation periods exceeds the maximum output
    // delay: the panel save refuses to start while there are any.
    QList<int> ZonesWithExcessiveSounderDelay(int maxOutputDelay) const;

signals:
    void ModifiedChanged(bool modified);
    // Every edit, changed or not: each edit announces itself (the undo history records a step
    // per edit, also when the document was already modified).
    void Edited();
    // Once per edit, with the parts it touched.
    void Changed(TDocParts parts);
    // The whole document was replaced (New, Open, Load All, protocol switch, undo restore):
    // every view shows it afresh.
    void Reset();
    // The protocol-dependent presentation (toolbar, tone lists, base-sounder caption) follows.
    void ProtocolSwitched(TSystemType type);

private:
    bool modified_ = false;
};

// The questions asked before New and before a protocol switch clear the configuration.
inline const QString NewConfigurationQuestion =
    QStringLiteral("This will clear the current setup. Do you wish to continue?");
QString SwitchProtocolQuestion(TSystemType type);
