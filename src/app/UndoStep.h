#pragma once

#include "model/Data.h"

#include <QPointer>
#include <QString>
#include <QUndoCommand>
#include <QWidget>

#include <functional>
#include <memory>

// A state of the whole document, shared by the step that leaves it and the step that reaches it.
using TDocumentState = std::shared_ptr<const TData>;

// What made an edit, for merging: typing in one field or one drag-paint is one step.
struct TEditSource {
    QPointer<QWidget> Widget;
    bool Typing = false;
    bool Dragging = false;
    // The mouse press the drag started with.
    quint64 Gesture = 0;
    // Milliseconds on the history's clock.
    qint64 At = 0;
    // Written by an editor giving up the focus before an undo: belongs to the step before.
    bool JoinsLast = false;
};

// One undoable edit: the document before and after it. The edit is already in the document
// when the step is pushed, so its first redo does nothing.
class TDocumentStep : public QUndoCommand {
public:
    static constexpr int EditId = 1;
    static constexpr int TypingMergeMs = 1000;

    TDocumentStep(std::function<void(const TDocumentState&)> restore, TDocumentState before,
                  TDocumentState after, const QString& label, TDocParts parts,
                  const TEditSource& source);

    // The parts the step changes (merged steps: all of theirs).
    TDocParts Parts() const { return parts_; }
    int id() const override { return EditId; }
    bool mergeWith(const QUndoCommand* other) override;
    void undo() override { restore_(before_); }
    void redo() override;

private:
    std::function<void(const TDocumentState&)> restore_;
    TDocumentState before_;
    TDocumentState after_;
    TDocParts parts_;
    TEditSource source_;
    bool pushed_ = false;
};
