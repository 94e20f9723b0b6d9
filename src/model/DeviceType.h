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
    bool HasBaseSounder = false;
    bool TypeMismatch = false;
    TIndexedArray<int, 1, 8> SharedData{1, 0, 0, 0, 0, 0, 0, 0};
    QString SubName1 = NoNameAllocated;
    QString SubName2 = NoNameAllocated;
    QString SubName3 = NoNameAllocated;

    // Channel names 1..3.
    QString& SubName(int k);
    const QString& SubName(int k) const;
};
