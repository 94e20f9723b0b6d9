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

TUndoHistory::TUndoHistory(TData& doc, QObject* parent)
    : QObject(parent), doc_(doc), pool_(std::make_shared<std::vector<std::unique_ptr<TData>>>())
{
    stack_.setUndoLimit(MaxSteps);
    clock_.start();
    connect(&doc_, &TData::Edited, this, &TUndoHistory::OnEdited);
    // The document reaching "not modified" outside a restore is a save (or a fresh start).
    connect(&doc_, &TData::ModifiedChanged, this, [this](bool modified) {
        if (modified || restoring_)
            return;
        Flush();
        stack_.setClean();
    });
    connect(&stack_, &QUndoStack::indexChanged, this, &TUndoHistory::Changed);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { Watch(now); });
    Watch(QApplication::focusWidget());
    Reset();
}

TUndoHistory::~TUndoHistory()
{
    if (watched_)
        watched_->removeEventFilter(this);
}

void TUndoHistory::Watch(QWidget* focus)
{
    if (watched_)
        watched_->removeEventFilter(this);
    watched_ = focus;
    if (focus)
        focus->installEventFilter(this);
}

bool TUndoHistory::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        // Each press starts a new gesture; the edits of one drag share it.
        ++gesture_;
        break;
    // Undo and redo keys in this window are the history's shortcuts; with nothing to undo
    // they reach no editor either (its own undo would bypass the history).
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
        if (window_ && watched == watched_ && watched_->window() == window_
            && IsUndoOrRedoKey(static_cast<QKeyEvent*>(event))) {
            // An override left unaccepted lets the shortcut run; a key press is used up.
            event->setAccepted(event->type() == QEvent::KeyPress);
            return true;
        }
        break;
    default: break;
    }
    return false;
}

TDocumentState TUndoHistory::CopyOfDocument() const
{
    std::unique_ptr<TData> copy;
    if (pool_->empty()) {
        copy = std::make_unique<TData>();
    } else {
        copy = std::move(pool_->back());
        pool_->pop_back();
    }
    copy->AssignContent(doc_);
    const std::weak_ptr<std::vector<std::unique_ptr<TData>>> pool = pool_;
    return TDocumentState(copy.release(), [pool](TData* state) {
        if (const auto kept = pool.lock(); kept && kept->size() < 2)
            kept->emplace_back(state);
        else
            delete state;
    });
}

void TUndoHistory::Reset()
{
    capturePending_ = false;
    stack_.clear();
    baseline_ = CopyOfDocument();
    if (doc_.Modified())
        stack_.resetClean();
    else
        stack_.setClean();
    emit Changed();
}

void TUndoHistory::OnEdited(const QString& label, TDocParts parts)
{
    // A restore's refresh is no edit; a transfer's stores become a step when it ends.
    if (restoring_)
        return;
    if (IsBlocked()) {
        editedWhileBlocked_ = true;
        return;
    }
    // Further edits of the same action belong to the step already opened.
    if (capturePending_) {
        pending_.Parts |= parts;
        return;
    }
    QWidget* focus = QApplication::focusWidget();
    const TEditSource source{focus, IsTypingWidget(focus),
                             QApplication::mouseButtons() != Qt::NoButton, gesture_,
                             clock_.elapsed(), joinNext_};
    Open(label, parts, source);
}

void TUndoHistory::Open(const QString& label, TDocParts parts, const TEditSource& source)
{
    pending_ = {label.isEmpty() ? QStringLiteral("edit") : label, parts, source};
    capturePending_ = true;
    QTimer::singleShot(0, this, &TUndoHistory::Flush);
    emit Changed();
}

void TUndoHistory::Flush()
{
    // A half-done transfer is no state to return to: the step waits for its end.
    if (!capturePending_ || IsBlocked())
        return;
    capturePending_ = false;
    TDocumentState after = CopyOfDocument();
    auto* step = new TDocumentStep([this](const TDocumentState& s) { Restore(s); }, baseline_,
                                   after, pending_.Label, pending_.Parts, pending_.Source);
    baseline_ = std::move(after);
    stack_.push(step);
    emit Changed();
}

void TUndoHistory::TransferEnded(bool replacedAll, const QString& label)
{
    const bool edited = editedWhileBlocked_;
    editedWhileBlocked_ = false;
    if (replacedAll)
        Reset();
    // An edit whose step is still to be pushed takes the transfer's stores with it.
    else if (edited && !capturePending_)
        Open(label, dpAll, {});
}

bool TUndoHistory::Step(bool undo)
{
    if (!(undo ? CanUndo() : CanRedo()))
        return false;
    // A focused editor writes what it holds now, into the step it belongs to, rather than
    // over the restored document later.
    joinNext_ = true;
    if (SettleFocus)
        SettleFocus();
    joinNext_ = false;
    Flush();
    // A field that refused to be left (an access code half typed) reports why; nothing moves.
    if (!(undo ? stack_.canUndo() : stack_.canRedo()) || (FieldRefused && FieldRefused()))
        return false;
    restoring_ = true;
    const auto* step = static_cast<const TDocumentStep*>(
        stack_.command(undo ? stack_.index() - 1 : stack_.index()));
    const TDocParts parts = step ? step->Parts() : TDocParts(dpAll);
    if (undo)
        stack_.undo();
    else
        stack_.redo();
    if (Restored)
        Restored(parts);
    restoring_ = false;
    emit Changed();
    return true;
}

// The file the document belongs to and the panel's event history are no edits.
void TUndoHistory::Restore(const TDocumentState& state)
{
    doc_.AssignContent(*state, true);
    baseline_ = state;
}
