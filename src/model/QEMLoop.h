#pragma once

#include "model/DeviceCatalogue.h"
#include "model/DeviceType.h"
#include "model/IndexedArray.h"
#include "model/SystemType.h"

#include <functional>

// One addressable loop: 255 point records, of which 1..NoLoopDevices are used by the
// protocol. The records above that keep their values and are never shown, saved or sent.
class TQEMLoop {
public:
    static constexpr int MaxPoints = 255;

    TSystemType SystemType = stApolloLoop;
    TIndexedArray<TDeviceType, 1, MaxPoints> Devices;

    // Called after a device is placed, so the document can rebuild its shared name table.
    std::function<void()> OnNamesChanged;

    int NoLoopDevices() const { return NoLoopDevicesFor(SystemType); }
    int MaxCellCount() const { return MaxCellCountFor(SystemType); }

    QString DeviceLongName(int code) const { return ::DeviceLongName(SystemType, code); }
    QString DeviceShortName(int code) const { return ::DeviceShortName(SystemType, code); }
    int DeviceClass(int point) const;
    // A device is fitted at the point (a type code below the not-fitted codes).
    bool IsFitted(int point) const;
    // The device at the point is one the catalogue knows and the dialogs can set up.
    bool IsEditable(int point) const;
    // Fitted points among 1..NoLoopDevices.
    int FittedCount() const;

    bool IsAnalogueSensor(int point) const;
    bool IsSounderClass(int point) const;
    bool IsIOClass(int point) const;
    bool HasChannelNames(int point) const;
    bool IsDiscovery(int point) const;
    bool HasDeviceSettings(int point) const;

    void ClearPoint(int point);
    void ResetPointData(int point);
    void PlaceDevice(int point, int code);

    // Address of a point in files and panel messages: System Sensor modules (points
    // 100..198) sit at 101..199; every other point is its own address.
    int PointAddress(int point) const;
    // The point at an address, or 0 when the address is not one of this protocol's points.
    int PointFromAddress(int address) const;
    // How the point is named to the engineer: "S1".."S99", "M1".."M99" on System Sensor,
    // otherwise the number.
    QString PointLabel(int point) const;

    // System Sensor keeps sensors (codes 1..4) on points 1..99 and modules (5..8) on
    // 100..198. Gives the refusal message, or an empty text when the placement is allowed.
    QString PlacementRefusal(int point, int code) const;
    // Apollo points 112..126 double as sounder-group command addresses; placing anything but
    // a sounder there needs the engineer's consent (GroupCommandQuestion).
    bool NeedsGroupCommandConsent(int point, int code) const;

    // Base sounders live in slot point + 127 (Apollo and Hochiki).
    static constexpr int BaseSounderOffset = 127;
    bool HasBaseSounderSlot(int point) const;
    // True when slot point + 127 holds a sounder (class 80).
    bool BaseSounderFitted(int point) const;
    // Applies the device dialog's base-sounder choice: fitted puts a base sounder (code 4 on
    // Apollo, 94 on Hochiki) in slot point + 127 with the given sounder group; not fitted
    // empties the slot.
    void SetBaseSounder(int point, bool fitted, int group);
    int BaseSounderCode() const;
    // The detector whose base sounder sits in slot, or 0 when slot holds no base sounder.
    int BaseSounderOwner(int slot) const;
};

inline const QString GroupCommandQuestion =
    QStringLiteral("Group commands will be disabled to this Sounder Group, Continue?");
inline const QString ModuleInSensorSection = QStringLiteral(
    "System Sensor Modules cannot be placed in the positions reserved for Sensors. Please place "
    "the Module in the section reserved for Modules.");
inline const QString SensorInModuleSection = QStringLiteral(
    "System Sensor's Sensors cannot be placed in the positions reserved for Modules. Please "
    "place the Sensor in the section reserved for Sensors.");
