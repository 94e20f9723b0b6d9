#pragma once

#include "editors/EditorTestSupport.h"

#include "model/Data.h"
#include "storage/ConfigFile.h"
#include "storage/ScriptedPrompts.h"

#include <QApplication>
#include <QDialog>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>

// Acts on the next modal dialog as soon as it is shown (a modal window runs its own event
// loop, so the test's code runs from a timer inside it). The action closes the dialog.
inline void WhenModal(std::function<void(QDialog*)> act)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(dialog);
        }
    });
    timer->start();
}

// Saves the document to a configuration file and reads it into a fresh document.
inline bool SaveAndReopen(TData& data, TData& reopened)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("site.QEM"));
    TScriptedPrompts prompts;
    if (!TConfigFile(data, prompts).WriteFile(path))
        return false;
    reopened.SwitchProtocol(data.SystemType());
    return TConfigFile(reopened, prompts).Open(path);
}
