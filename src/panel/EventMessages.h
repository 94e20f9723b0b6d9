#pragma once

#include <QByteArray>
#include <QString>

// The event history: "q" with a 16-bit event number and a clear flag. With clearing the panel
// hands over its oldest event and deletes it, so the request is always for event 0.
QByteArray EventRequest(int index, bool clear);
// A reply with no text ends the history.
bool IsEventHistoryEnd(const QByteArray& payload);
QString EventText(const QByteArray& payload);
