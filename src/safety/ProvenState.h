#pragma once

#include <QDateTime>
#include <QString>

#include <memory>

class TData;

// The panel's configuration as this program last proved it: read back equal to what a Save All
// sent, or read by a Load All. Save Changes sends only what differs from it. One is kept per
// configuration file and panel, under the backups folder beside the file, with the panel number,
// the panel's version texts and when it was proven.
struct TProvenState {
    int Panel = 1;
    QDateTime When;
    bool BySaveAll = true;  // proven by a Save All (else read by a Load All)
    // The panel was written to since, and that was not proven: it may differ from this state
    // anywhere (a save that did not complete or was not read back, a page's own save).
    bool Unsettled = false;
    std::shared_ptr<TData> Configuration;

    // "07/12/2026 14:03"
    QString WhenText() const;
};

namespace ProvenState {

// "<folder>/backups/proven/<name>.panel<N>.QEM" for "<folder>/<name>.QEM"; empty for a
// configuration never saved (it has nowhere to keep one).
QString PathFor(const QString& configurationPath, int panel);

// Keeps configuration (with its versions) as the proven state of panel, whole or not at all;
// false with the reason in error.
bool Write(const QString& path, const TData& configuration, int panel, bool bySaveAll,
           const QDateTime& when, QString* error);
// Keeps the state for data's file and panel number; nothing for a configuration never saved.
bool Keep(const TData& data, bool bySaveAll, QString* error);

// After a write to panel that was not proven: the state kept for configurationPath is no longer
// to be trusted (it stays as it was, marked). A new proven state clears the mark.
bool MarkUnsettled(const QString& configurationPath, int panel, QString* error);

// Reads the state kept at path. False with the reason in error when one is there but cannot
// be read; true with no Configuration when none is kept.
bool Read(const QString& path, TProvenState& state, QString* error);

} // namespace ProvenState
