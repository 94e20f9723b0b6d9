#pragma once

#include "model/Data.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QAction;
class QMenu;
class QTabWidget;
class QWidget;
class TUndoHistory;

// Undo and redo of the main window: the history over the document, the two commands with the
// name of the step they take back or bring again, and the focus around a restore.
class TUndoCommands : public QObject {
    Q_OBJECT

public:
    TUndoCommands(TData& data, QWidget& window, QTabWidget& pages, QAction& undo, QAction& redo,
                  QMenu& editMenu);
    ~TUndoCommands() override;

    TUndoHistory& History() { return *history_; }
    // busy: true while the document must be neither recorded nor restored (a transfer runs);
    // refused: the same, after telling the user why the command waits.
    void SetBusy(std::function<bool()> busy, std::function<bool(const QString&)> refused);
    // Each returns whether it took a step.
    bool Undo();
    bool Redo();
    // A fresh history (New, Open, Load All, protocol switch).
    void Reset();
    // A transfer ended: a whole load starts afresh, anything else is one step named label.
    void TransferEnded(bool replacedAll, const QString& label);
    // The two commands follow the history and the transfer state.
    void Update();

private:
    void ShowChangedPage(TDocParts parts);

    QWidget& window_;
    QTabWidget& pages_;
    QAction& undo_;
    QAction& redo_;
    std::function<bool(const QString&)> refused_;
    std::unique_ptr<TUndoHistory> history_;
};
