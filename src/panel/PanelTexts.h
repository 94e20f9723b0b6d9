#pragma once

#include "panel/PanelPages.h"

#include <QList>
#include <QString>

class TData;

// A text of the configuration that the panel would refuse: one byte per character, Latin-1,
// and no control characters (a NUL ends a text on the panel, and ACK, NAK and CR end a line).
struct TRefusedText {
    TPanelPage Page = ppSiteConfig;
    int Item = 0;       // the zone or network panel; 0 for a field of its own
    QString Field;      // the document's field name ("MaintenanceString"), or empty
    QString ItemText;   // how it is named: "Maintenance text", "Zone 3", "Device name 12"
    QString Reason;     // "a NUL at character 5"
};

// Every text going to the panel that it would refuse, in page order.
QList<TRefusedText> TextsThePanelRefuses(const TData& data);
// "Maintenance text (Site Config): a NUL at character 5 …" for messages.
QString RefusedTextMessage(const TRefusedText& refused);
