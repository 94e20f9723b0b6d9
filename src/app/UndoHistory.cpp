#include "app/UndoHistory.h"

#include "model/Data.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QTimer>

namespace {

// Widgets whose edits arrive one keystroke at a time.
bool IsTypingWidget(const QWidget* w)
{
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w)
        || qobject_cast<const QPlainTextEdit*>(w) || qobject_cast<const QTextEdit*>(w);
}

bool IsUndoOrRedoKey(const QKeyEvent* key)
{
    const QKeyCombination k = key->keyCombination();
    return k == QKeyCombination(Qt::ControlModifier, Qt::Key_Z)
        || k == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z)
        || k == QKeyCombination(Qt::ControlModifier, Qt::Key_Y);
}

} // namespace

TUndoHistory::TUndoHistory(TData& doc, QObject* parent) : QObject(parent), doc_(doc)
{
    connect(&doc_, &TData::Edited, this, &TUndoHistory::OnEdited);
    // The document reaching "not modified" outside a restore is a save (or a fresh start).
    connect(&doc_, &TData::ModifiedChanged, this, [this](bool modified) {
        if (!modified && !restoring_)
            savedId_ = currentId_;
    });
    qApp->installEventFilter(this);
    Reset();
}

TUndoHistory::~TUndoHistory()
{
    qApp->removeEventFilter(this);
}

bool TUndoHistory::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        // Each press starts a new gesture; the edits of one drag share it.
        ++pressCount_;
        break;
    // Undo and redo keys in this window are the history's shortcuts; with nothing to undo
    // they reach no editor either (its own undo would bypass the history).
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress: {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (window_ && widget && widget->window() == window_
            && IsUndoOrRedoKey(static_cast<QKeyEvent*>(event))) {
            // An override left unaccepted lets the shortcut run; a key press is used up.
            event->setAccepted(event->type() == QEvent::KeyPress);
            return true;
        }
        break;
    }
    default: break;
    }
    return false;
}

std::unique_ptr<TData> TUndoHistory::CopyOfDocument()
{
    std::unique_ptr<TData> copy;
    if (pool_.empty()) {
        copy = std::make_unique<TData>();
    } else {
        copy = std::move(pool_.back());
        pool_.pop_back();
    }
    copy->AssignContent(doc_);
    return copy;
}

void TUndoHistory::Recycle(std::deque<TStep>& steps)
{
    for (TStep& s : steps)
        if (s.State && pool_.size() < 2)
            pool_.push_back(std::move(s.State));
    steps.clear();
}

void TUndoHistory::Reset()
{
    Recycle(undo_);
    Recycle(redo_);
    if (baseline_)
        pool_.push_back(std::move(baseline_));
    baseline_ = CopyOfDocument();
    capturePending_ = false;
    currentId_ = ++nextId_;
    savedId_ = doc_.Modified() ? 0 : currentId_;
    lastWidget_ = nullptr;
    emit Changed();
}

void TUndoHistory::Flush()
{
    // A half-done transfer is no state to return to: the copy waits for its end.
    if (!capturePending_ || IsBlocked())
        return;
    capturePending_ = false;
    if (baseline_)
        baseline_->AssignContent(doc_);
    else
        baseline_ = CopyOfDocument();
}

bool TUndoHistory::JoinsLastStep(QWidget* focus, bool dragging) const
{
    // An edit after a save starts a step of its own, so undo can return to the saved state.
    if (undo_.empty() || currentId_ == savedId_)
        return false;
    if (joinNext_)
        return true;
    if (!lastWidget_ || focus != lastWidget_)
        return false;
    if (dragging)
        return lastDragging_ && lastPress_ == pressCount_;
    return !lastDragging_ && IsTypingWidget(focus) && lastEdit_.isValid()
        && lastEdit_.elapsed() < TypingMergeMs;
}

void TUndoHistory::OnEdited()
{
    // A restore's refresh is no edit; a transfer's stores become a step when it ends.
    if (restoring_)
        return;
    if (IsBlocked()) {
        editedWhileBlocked_ = true;
        return;
    }
    // Further writes of the same action belong to the step already opened.
    if (capturePending_)
        return;
    QWidget* focus = QApplication::focusWidget();
    const bool dragging = QApplication::mouseButtons() != Qt::NoButton;
    const bool join = JoinsLastStep(focus, dragging);
    OpenStep(join || !DescribeEdit ? QString() : DescribeEdit(), join, focus, dragging);
}

void TUndoHistory::TransferEnded(bool replacedAll, const QString& label)
{
    const bool edited = editedWhileBlocked_;
    editedWhileBlocked_ = false;
    if (replacedAll)
        Reset();
    else if (edited)
        // An edit whose copy is still to be taken takes the transfer's stores with it.
        OpenStep(label, capturePending_, nullptr, false);
}

void TUndoHistory::OpenStep(const QString& name, bool join, QWidget* focus, bool dragging)
{
    if (!join) {
        const QString label = name.isEmpty() ? QStringLiteral("edit") : name;
        undo_.push_back({std::move(baseline_), label, currentId_});
        if (static_cast<int>(undo_.size()) > MaxSteps) {
            if (pool_.size() < 2)
                pool_.push_back(std::move(undo_.front().State));
            undo_.pop_front();
        }
        Recycle(redo_);
    }
    currentId_ = ++nextId_;
    lastWidget_ = focus;
    lastDragging_ = dragging;
    lastPress_ = pressCount_;
    lastEdit_.start();
    capturePending_ = true;
    QTimer::singleShot(0, this, &TUndoHistory::Flush);
    emit Changed();
}

bool TUndoHistory::Undo()
{
    return Step(undo_, redo_);
}

bool TUndoHistory::Redo()
{
    return Step(redo_, undo_);
}

bool TUndoHistory::Step(std::deque<TStep>& from, std::deque<TStep>& to)
{
    if (from.empty() || IsBlocked())
        return false;
    // A focused editor writes what it holds now, into the step it belongs to, rather than
    // over the restored document later.
    joinNext_ = true;
    if (SettleFocus)
        SettleFocus();
    joinNext_ = false;
    Flush();
    // An access code left half typed is refused (with its message) before anything moves.
    if (from.empty() || !doc_.AccessCodesValid)
        return false;

    TStep step = std::move(from.back());
    from.pop_back();
    to.push_back({std::move(baseline_), step.Label, currentId_});

    // The file the document belongs to and the panel's event history are no edits.
    const QString fileName = doc_.FileName;
    const QStringList eventLog = doc_.EventLog;
    restoring_ = true;
    doc_.AssignContent(*step.State);
    doc_.FileName = fileName;
    doc_.EventLog = eventLog;
    baseline_ = std::move(step.State);
    currentId_ = step.Id;
    doc_.SetModified(currentId_ != savedId_);
    lastWidget_ = nullptr;
    if (Restored)
        Restored();
    restoring_ = false;
    emit Changed();
    return true;
}
