#pragma once

#include "model/SystemType.h"

#include <QObject>
#include <QString>

#include <functional>

class QAction;
class TData;
class TPageHost;
class TPrompts;

// The Protocol menu: the switch with its question, and the two entries and the pages
// following the document's protocol (a file or the panel may bring another one).
class TProtocolCommands : public QObject {
    Q_OBJECT

public:
    TProtocolCommands(TData& data, TPrompts& prompts, TPageHost& host, QAction& apollo,
                      QAction& hochiki, std::function<bool(const QString&)> refusedWhileBusy);

    // Asks first; false when refused or the answer was not Yes.
    bool Switch(TSystemType type);
    // The entries and the pages show the document's protocol.
    void Follow();
    // The pages take the document's protocol and the configuration starts as New.
    void Apply();

signals:
    // The user switched: the document was cleared under the new protocol.
    void Switched();

private:
    TData& data_;
    TPrompts& prompts_;
    TPageHost& host_;
    QAction& apollo_;
    QAction& hochiki_;
    std::function<bool(const QString&)> refusedWhileBusy_;
    TSystemType shown_ = stApolloLoop;
};
