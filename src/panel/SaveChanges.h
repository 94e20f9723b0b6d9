#pragma once

#include <QString>

#include <functional>
#include <memory>

class TData;

// What a Save Changes run found and did, filled as it goes.
struct TSaveChangesTally {
    // Records that differ from the proven state (all written when the run completed).
    int Changes = 0;
};

// What Save Changes works from: the panel's configuration as last proven, and how what is read
// from the panel is compared with what it should hold.
struct TSaveChangesSetup {
    std::shared_ptr<TData> Proven;
    // Turns a copy of a configuration into the form the panel holds it in; the records read
    // from the panel are stored over it.
    std::function<void(TData&)> PanelForm;
    // The first way found (read from the panel) differs from expected, in the engineer's
    // words; empty when they agree. before: the check before anything is written.
    std::function<QString(const TData& expected, const TData& found, bool before)> FirstDifference;
    std::shared_ptr<TSaveChangesTally> Tally = std::make_shared<TSaveChangesTally>();
};
