#pragma once

#include "app/UndoStep.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUndoStack>

#include <functional>
#include <memory>
#include <vector>

class QWidget;
class TData;

// Undo and redo over the whole document, whatever page, dialog or matrix made the edit: a
// QUndoStack of TDocumentStep, each holding the document before and after one edit. Every
// edit announces itself with TData::Edited, naming its parts and label; its step is pushed
// after the event that made it, so the edit itself pays almost nothing and several edits of
// one action form one step named after the first.
// Typing in one field (pauses under a second) and one drag over a matrix merge into one step.
// The stack's clean index is the saved state.
class TUndoHistory : public QObject {
    Q_OBJECT

public:
    static constexpr int MaxSteps = 100;

    explicit TUndoHistory(TData& doc, QObject* parent = nullptr);
    ~TUndoHistory() override;

    // True while the document must be neither recorded nor restored (a transfer runs).
    std::function<bool()> Blocked;
    // Before a restore: editors with focus give it up (and write what they hold).
    std::function<void()> SettleFocus;
    // After SettleFocus: a field refused to be left (its own check says why).
    std::function<bool()> FieldRefused;
    // After a restore: the pages show the document again; parts: what the step changed.
    std::function<void(TDocParts parts)> Restored;
    // Keyboard undo and redo in this window reach the history, not a line edit's own undo.
    void SetShortcutWindow(QWidget* window) { window_ = window; }

    QUndoStack& Stack() { return stack_; }
    // A fresh history from the document as it is now (New, Open, Load All, protocol switch).
    void Reset();
    bool CanUndo() const { return (capturePending_ || stack_.canUndo()) && !IsBlocked(); }
    bool CanRedo() const { return stack_.canRedo() && !IsBlocked(); }
    QString UndoName() const { return capturePending_ ? pending_.Label : stack_.undoText(); }
    QString RedoName() const { return stack_.redoText(); }
    int UndoCount() const { return stack_.index(); }
    int RedoCount() const { return stack_.count() - stack_.index(); }
    bool Undo() { return Step(true); }
    bool Redo() { return Step(false); }
    // Pushes the step of the last edit now instead of after the current event.
    void Flush();
    // A transfer ended: what it stored in the document becomes one step named label, or, when
    // it replaced the whole configuration, the history starts afresh.
    void TransferEnded(bool replacedAll, const QString& label);

signals:
    // The undo and redo entries follow.
    void Changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct TPending {
        QString Label;
        TDocParts Parts;
        TEditSource Source;
    };

    bool IsBlocked() const { return Blocked && Blocked(); }
    void OnEdited(const QString& label, TDocParts parts);
    void Open(const QString& label, TDocParts parts, const TEditSource& source);
    bool Step(bool undo);
    void Restore(const TDocumentState& state);
    void Watch(QWidget* focus);
    TDocumentState CopyOfDocument() const;

    TData& doc_;
    QUndoStack stack_;
    QPointer<QWidget> window_;
    // The document as the top step left it: the state before the next step.
    TDocumentState baseline_;
    bool capturePending_ = false;
    TPending pending_;
    bool restoring_ = false;
    bool joinNext_ = false;
    bool editedWhileBlocked_ = false;
    // The focused widget: its mouse presses start gestures, its undo keys reach the history.
    QPointer<QWidget> watched_;
    quint64 gesture_ = 0;
    QElapsedTimer clock_;
    // States no step refers to any more, kept to avoid building a document per edit.
    std::shared_ptr<std::vector<std::unique_ptr<TData>>> pool_;
};
