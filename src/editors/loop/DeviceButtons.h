#pragma once

#include "model/SystemType.h"

#include <QList>
#include <QString>

#include <array>

// One entry of a toolbar button's drop-down list.
struct TDeviceVariant {
    QString Description;
    int TypeCode = 0;
    int Image = 1; // drop-down picture (34 x 34)
};

struct TDeviceButton {
    int Image = 1; // toolbar picture (53 x 50)
    int TypeCode = 1;
    QList<TDeviceVariant> Variants;
};

// The device toolbar of one protocol as Protocol_Buttons.ini describes it, with the grid icon
// of every type code. A missing file or key gives the defaults the program has always used:
// six buttons of type code 1 with one unnamed variant each, and no grid icons.
class TDeviceButtons {
public:
    static constexpr int MaxButtons = 9;
    static constexpr int NoIcon = -1;

    TDeviceButtons() { icons_.fill(NoIcon); }

    static TDeviceButtons Load(const QString& iniPath, TSystemType type);
    // "Apollo", "Hochiki", "System Sensor", "Nittan"; empty for an unknown protocol.
    static QString SectionName(TSystemType type);

    TSystemType SystemType() const { return type_; }
    // At most nine: a file asking for more shows its first nine.
    const QList<TDeviceButton>& Buttons() const { return buttons_; }
    // Grid icon index of a type code (the last variant naming it wins), NoIcon when none.
    int IconIndex(int typeCode) const;

private:
    TSystemType type_ = stApolloLoop;
    QList<TDeviceButton> buttons_;
    std::array<int, 256> icons_;
};

// A type code read from the file as the loop can hold it: codes outside 0..253 are the
// removal tool (254), so a stray value never becomes a byte the panel cannot take.
int DeviceCodeFromFile(int value);
