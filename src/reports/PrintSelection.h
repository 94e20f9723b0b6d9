#pragma once

#include "reports/Reports.h"

#include <QString>

// The choices of the print-selection dialog, kept between showings.
class TPrintSelection {
public:
    bool OnlyFitted = false; // "Print only fitted devices"
    TLoopOrder Order = loDeviceNumber;
    bool PrintSite = true;
    bool PrintLoop = true;
    bool PrintZone = true;
    bool PrintGroup = true;
    bool PrintSet = true;
    bool PrintNetwork = true;
    bool PrintCauseEffect = true;
    bool PrintComments = true;
    bool PrintLog = false;
    bool PrintChangeRecord = false;

    bool SetEnabled = true;
    bool NetworkEnabled = true;

    // The loop options only matter while loops are printed.
    bool LoopOptionsEnabled() const { return PrintLoop; }

    // Each showing: output sets need panel software "08 00" or later, the network "04 00"
    // or later (compared as text). A disabled option is unticked; none is ticked again.
    void ApplyVersionGates(const QString& version);

    // The report sections that are ticked, in their fixed order (not comments or log).
    void PrintSections(TReports& reports) const;
    // Everything ticked: the sections, then the comments', the log's and the change record's
    // pages.
    void RecordAll(TReports& reports) const;
    // The Print command: every page ticked; the comments and log jobs, then the report job.
    void RunPrint(TReports& reports) const;
    // The Print Preview command: every page ticked, then the preview window.
    void RunPreview(TReports& reports) const;
};
