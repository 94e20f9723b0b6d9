#pragma once

#include <QByteArray>

#include <functional>
#include <optional>

class TData;

// How the record a write stores is read back from the panel: the request, and how its reply
// goes into a configuration. Save Changes reads the records it is about to write (to find
// edits made at the panel) and reads them again once written.
struct TRecordRead {
    QByteArray Request;
    // False when the reply is not usable (too short); the reply is then not taken.
    std::function<bool(TData& data, const QByteArray& payload)> Store;
    // The reply answers another request (a point read displaced by a late answer).
    std::function<bool(const QByteArray& payload)> IsStale;
};

// The read of the record write stores, in data's layout; nothing for a write the panel never
// reports (the clock, the fault lockout, the network segment, the zones' non-fire flags,
// zone 0's data, the loop type, the end of the name list).
std::optional<TRecordRead> RecordReadOf(const QByteArray& write, const TData& data);
