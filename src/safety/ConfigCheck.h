#pragma once

#include "panel/PanelPages.h"

#include <QDate>
#include <QList>
#include <QString>

class TData;

enum TFindingSeverity { fsError, fsWarning, fsNote };

// One thing the check found: how serious, where (the page and the item on it) and what, in a
// sentence an engineer reads.
struct TFinding {
    TFindingSeverity Severity = fsError;
    TPanelPage Page = ppLoopSummary;
    // The point, zone, group, set or event number on the page; 0 when the finding concerns
    // the page as a whole or a named field.
    int Item = 0;
    // A site or network field's name in the document (e.g. "AL2Code"); empty otherwise.
    QString Field;
    // How the item is named to the engineer: "Loop 1 point 12", "Zone 3", "Event 2" …
    QString ItemText;
    QString Text;
};

// Looks over a whole configuration for what would make the panel behave wrongly or refuse it.
// Errors must be resolved before the configuration goes to a panel; warnings are probably
// mistakes; notes are reminders. The order is by page, then by item.
class TConfigCheck {
public:
    // today decides whether the maintenance date is already past.
    static QList<TFinding> Run(const TData& data, int maxOutputDelay, const QDate& today);

    static bool HasErrors(const QList<TFinding>& findings);
    static QString SeverityText(TFindingSeverity severity);
};
