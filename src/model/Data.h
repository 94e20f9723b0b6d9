#pragma once

#include "model/CauseEffect.h"
#include "model/NameTable.h"
#include "model/QEMLoop.h"
#include "model/SiteConfig.h"
#include "model/Zones.h"

#include <QObject>
#include <QString>
#include <QStringList>

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
    void SetModified(bool modified);

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
    // Every SetModified(true), changed or not: each edit announces itself (the undo history
    // records a step per edit, also when the document was already modified).
    void Edited();
    // The protocol-dependent presentation (toolbar, tone lists, base-sounder caption) follows.
    void ProtocolSwitched(TSystemType type);

private:
    bool modified_ = false;
};

// The questions asked before New and before a protocol switch clear the configuration.
inline const QString NewConfigurationQuestion =
    QStringLiteral("This will clear the current setup. Do you wish to continue?");
QString SwitchProtocolQuestion(TSystemType type);
