#include "panel/RecordReads.h"

#include "model/Data.h"
#include "panel/CauseEffectMessages.h"
#include "panel/GroupMessages.h"
#include "panel/NameMessages.h"
#include "panel/NetworkMessages.h"
#include "panel/PointMessages.h"
#include "panel/SetMessages.h"
#include "panel/SiteMessages.h"
#include "panel/ZoneMessages.h"

namespace {

using TStore = std::function<bool(TData&, const QByteArray&)>;

TRecordRead Plain(const QByteArray& request, TStore store)
{
    return {request, std::move(store), {}};
}

// A name entry as the panel holds it; an end of the list there cuts the table.
TRecordRead NameRead(int index)
{
    return Plain(NameRequest(index), [index](TData& data, const QByteArray& payload) {
        QStringList entries = data.NameTable.Entries();
        if (IsNameListEnd(payload)) {
            entries = entries.mid(0, index);
        } else {
            while (entries.size() <= index)
                entries.append(QString());
            entries[index] = NameText(payload);
        }
        data.NameTable.Empty();
        for (const QString& entry : entries)
            data.NameTable.Append(entry);
        data.ApplyNameIndexes();
        return true;
    });
}

TRecordRead SiteRead(char letter, std::function<bool(TData&, const QByteArray&)> store)
{
    return Plain(SiteRequest(letter), std::move(store));
}

} // namespace

std::optional<TRecordRead> RecordReadOf(const QByteArray& write, const TData& data)
{
    if (write.size() < 2)
        return std::nullopt;
    const int first = write.size() > 2 ? static_cast<quint8>(write.at(2)) : -1;
    const int second = write.size() > 3 ? static_cast<quint8>(write.at(3)) : -1;
    switch (write.at(0)) {
    case 'J': {
        const int loop = second;
        if (loop != 1 && loop != 2)
            return std::nullopt;
        const int point = data.Loop(loop).PointFromAddress(first);
        if (point < 1 || point > data.NoLoopDevices())
            return std::nullopt;
        const QByteArray request = PointRequest(data, loop, point);
        return TRecordRead{request,
                           [loop, point](TData& d, const QByteArray& p) {
                               if (!ReadPoint(d, loop, point, p))
                                   return false;
                               d.ApplyNameIndexes();
                               return true;
                           },
                           [request](const QByteArray& p) { return !IsPointAnswerTo(request, p); }};
    }
    case 'D': {
        const int index = first | (second << 8);
        // The request carries the index's low byte only; the end marker is read as the
        // entry after the last.
        if (first < 0 || second < 0 || index >= TNameTable::MaxNames)
            return std::nullopt;
        return NameRead(index);
    }
    case 'F':
        if (first < 1 || first > MaxZone)
            return std::nullopt;
        return Plain(ZoneNameRequest(first), [first](TData& d, const QByteArray& p) {
            ReadZoneName(d, first, p);
            return true;
        });
    case '[':
        if (first < 1 || first > MaxZone)
            return std::nullopt;
        return Plain(ZoneDataRequest(first),
                     [first](TData& d, const QByteArray& p) { return ReadZoneData(d, first, p); });
    case 'N':
        if (first < 1 || first > MaxZone)
            return std::nullopt;
        return Plain(GroupRequest(first),
                     [first](TData& d, const QByteArray& p) { return ReadGroups(d, first, p); });
    case 'j':
        if (first < 0 || first > MaxZone)
            return std::nullopt;
        return Plain(SetRequest(first),
                     [first](TData& d, const QByteArray& p) { return ReadSets(d, first, p); });
    case 'H':
        return SiteRead('G', [](TData& d, const QByteArray& p) {
            ReadMaintenanceText(d, p);
            return true;
        });
    case 'L': return SiteRead('K', ReadMaintenanceDate);
    case 'P': return SiteRead('O', ReadLevel2Code);
    case 'R': return SiteRead('Q', ReadLevel3Code);
    case 'T': return SiteRead('S', ReadDelays);
    case 'n':
        return SiteRead('m', [](TData& d, const QByteArray& p) {
            ReadQuiescentText(d, p);
            return true;
        });
    case 'p': return SiteRead('o', ReadTimes);
    case '^':
        if (first < 1 || first > MaxNetworkPanels)
            return std::nullopt;
        return Plain(NetworkNameRequest(first), [first](TData& d, const QByteArray& p) {
            ReadNetworkName(d, first, p);
            return true;
        });
    case 'b':
        if (first < 1 || first > MaxNetworkPanels)
            return std::nullopt;
        return Plain(NetworkFittedRequest(first), [first](TData& d, const QByteArray& p) {
            return ReadNetworkFitted(d, first, p);
        });
    case 'v': return Plain(NetworkMatrixRequest(), ReadNetworkMatrix);
    case 'h':
        return Plain(PanelNameRequest(), [](TData& d, const QByteArray& p) {
            ReadPanelName(d, p);
            return true;
        });
    case 't':
        if (first < 1 || first > CEEventCount)
            return std::nullopt;
        return Plain(CauseEffectRequest(first),
                     [first](TData& d, const QByteArray& p) { return ReadCauseEffect(d, first, p); });
    default: return std::nullopt;
    }
}
