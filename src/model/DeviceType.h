#pragma once

#include "model/IndexedArray.h"

#include <QString>

inline const QString NoNameAllocated = QStringLiteral("No name allocated");

// One loop address ("point"). SharedData holds eight bytes of per-point panel data whose
// meaning depends on the device class; index 2 is always the name's index in the name table.
struct TDeviceType {
    int TypeCode = 0;
    int Zone = 1;
    QString Name = NoNameAllocated;
    bool TypeMismatch = false;
    TIndexedArray<int, 1, 8> SharedData{1, 0, 0, 0, 0, 0, 0, 0};
    QString SubName1 = NoNameAllocated;
    QString SubName2 = NoNameAllocated;
    QString SubName3 = NoNameAllocated;

    // Channel names 1..3.
    QString& SubName(int k);
    const QString& SubName(int k) const;

    // What the bytes of SharedData hold for the classes that use them.
    enum TSharedSlot : int {
        sdZoneOrGroup = 1,
        sdNameIndex = 2,
        sdDayLevel = 3,
        sdNightLevel = 4,
        sdMode = 5,
        sdRemoteLed = 8,
    };
    // The name's index in the name table, and channel k's (1..3) on a point with channel names.
    int& NameIndex() { return SharedData[sdNameIndex]; }
    int NameIndex() const { return SharedData[sdNameIndex]; }
    int& SubNameIndex(int k) { return SharedData[2 * k + 2]; }
    int& RemoteLed() { return SharedData[sdRemoteLed]; }
    int RemoteLed() const { return SharedData[sdRemoteLed]; }
};
