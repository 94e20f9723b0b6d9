#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

class QWidget;
class TData;

// Undo and redo over the whole document, whatever page, dialog or matrix made the edit.
// Every edit announces itself with TData::Edited; the history then keeps the state before it
// (a content copy of the document) as one step. Copies are taken after the event that made
// the edit, so the edit itself pays almost nothing and several writes of one action form one
// step. Typing in one field (pauses under a second) and one drag over a matrix form one step.
class TUndoHistory : public QObject {
    Q_OBJECT

public:
    static constexpr int MaxSteps = 100;
    static constexpr int TypingMergeMs = 1000;

    explicit TUndoHistory(TData& doc, QObject* parent = nullptr);
    ~TUndoHistory() override;

    // The name of the edit under way ("Client Name"); empty: "edit".
    std::function<QString()> DescribeEdit;
    // True while the document must be neither recorded nor restored (a transfer runs).
    std::function<bool()> Blocked;
    // Before a restore: editors with focus give it up (and write what they hold).
    std::function<void()> SettleFocus;
    // After a restore: the pages show the document again.
    std::function<void()> Restored;
    // Keyboard undo and redo in this window reach the history, not a line edit's own undo.
    void SetShortcutWindow(QWidget* window) { window_ = window; }

    // A fresh history from the document as it is now (New, Open, Load All, protocol switch).
    void Reset();
    bool CanUndo() const { return !undo_.empty() && !IsBlocked(); }
    bool CanRedo() const { return !redo_.empty() && !IsBlocked(); }
    QString UndoName() const { return undo_.empty() ? QString() : undo_.back().Label; }
    QString RedoName() const { return redo_.empty() ? QString() : redo_.back().Label; }
    int UndoCount() const { return static_cast<int>(undo_.size()); }
    int RedoCount() const { return static_cast<int>(redo_.size()); }
    bool Undo();
    bool Redo();
    // Takes the copy of the last edit now instead of after the current event.
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
    struct TStep {
        std::unique_ptr<TData> State;
        QString Label;
        quint64 Id = 0;
    };

    bool IsBlocked() const { return Blocked && Blocked(); }
    void OnEdited();
    // The state before the edit under way becomes a step (unless the edit joins the last one).
    void OpenStep(const QString& label, bool join, QWidget* focus, bool dragging);
    bool JoinsLastStep(QWidget* focus, bool dragging) const;
    bool Step(std::deque<TStep>& from, std::deque<TStep>& to);
    std::unique_ptr<TData> CopyOfDocument();
    void Recycle(std::deque<TStep>& steps);

    TData& doc_;
    QPointer<QWidget> window_;
    std::deque<TStep> undo_;
    std::deque<TStep> redo_;
    // The document as of the last copy: the state before the next step.
    std::unique_ptr<TData> baseline_;
    // Copies no longer in use, kept to avoid building a document per edit.
    std::vector<std::unique_ptr<TData>> pool_;
    // Every state the document passes through has its own id; 0: no saved state.
    quint64 nextId_ = 0;
    quint64 currentId_ = 0;
    quint64 savedId_ = 0;
    bool capturePending_ = false;
    bool restoring_ = false;
    bool joinNext_ = false;
    bool editedWhileBlocked_ = false;
    // What made the last edit, for joining typing and drags into one step.
    QPointer<QWidget> lastWidget_;
    bool lastDragging_ = false;
    quint64 lastPress_ = 0;
    quint64 pressCount_ = 0;
    QElapsedTimer lastEdit_;
};
