#pragma once

#include "model/IndexedArray.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <deque>
#include <vector>

// The emulated panel's own memory: raw blocks as the panel keeps them, in the layout of the
// panel's read replies (where a write message orders its bytes differently, the emulator
// reorders them on the way in).
struct TPanelMemory {
    template <int N>
    using TBlock = std::array<quint8, N>;

    static constexpr int VersionLength = 5;
    static constexpr int MaxNames = 256;
    static constexpr quint8 NotFitted = 254;

    // Type code, zone byte, shared data 2..8 of one point.
    using TPointRecord = TBlock<9>;

    TPanelMemory();

    // Firmware versions, five characters each.
    QByteArray MainVersion = "09A06";
    QByteArray Loop1Version = "03B01";
    QByteArray Loop2Version = "03B01";
    QByteArray FrontPanelVersion = "02A04";
    quint8 Protocol = 0;
    quint8 LoopCount = 2;
    bool NvmLinkFitted = true;

    // Points by loop and wire address (0..255).
    TIndexedArray<TIndexedArray<TPointRecord, 0, 255>, 1, 2> Points;
    // The shared name table; entry 0 is "No name allocated".
    std::vector<QByteArray> Names;

    TIndexedArray<QByteArray, 0, 40> ZoneNames;
    TIndexedArray<TBlock<19>, 0, 40> ZoneData;
    TBlock<40> NonFireFlags{};
    // Groups 1..16 and the two panel sounder groups of each zone.
    TIndexedArray<TBlock<18>, 0, 40> Groups;
    quint8 PulsedTone = 1;      // tone + 1, as on the wire
    quint8 ContinuousTone = 1;  // tone + 1, as on the wire
    quint8 ReSound = 0;
    // Sets 1..18 of each zone, in read order.
    TIndexedArray<TBlock<18>, 0, 40> Sets;
    quint16 SetDelay = 0;

    QByteArray MaintenanceText;
    TBlock<3> MaintenanceDate{};    // year - 2000, month, day
    quint16 Level2Code = 0;
    TBlock<6> Level3{};             // code (16-bit), LED flag, three delays - 1
    quint8 FaultLockout = 0;
    TBlock<6> Clock{};              // year - 2000, month, day, hour, minute, second
    TBlock<6> PhasedDelays{};       // phased delay, two investigation periods (16-bit each)
    QByteArray QuiescentText;
    TBlock<10> Times{};             // read layout: recalibration minute before hour

    TIndexedArray<QByteArray, 1, 8> NetworkNames;
    TIndexedArray<quint8, 1, 8> NetworkFitted{};
    TBlock<8> NetworkMatrix{};
    QByteArray PanelName;
    quint8 Segment = 0;

    TIndexedArray<TBlock<11>, 1, 16> CEEvents;

    // The event history, oldest first.
    std::deque<QByteArray> Events;

    // A readable text file ("key = hex bytes" and "key : text" lines).
    bool Save(const QString& path, QString* error = nullptr) const;
    // All or nothing: on a bad file the memory is left as it was and error says why.
    bool Load(const QString& path, QString* error = nullptr);

    bool operator==(const TPanelMemory&) const = default;
};
