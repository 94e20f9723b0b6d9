#include "app/UndoStep.h"

#include "model/Data.h"

TDocumentStep::TDocumentStep(std::function<void(const TDocumentState&)> restore,
                             TDocumentState before, TDocumentState after, const QString& label,
                             TDocParts parts, const TEditSource& source)
    : QUndoCommand(label), restore_(std::move(restore)), before_(std::move(before)),
      after_(std::move(after)), parts_(parts), source_(source)
{
}

void TDocumentStep::redo()
{
    if (!pushed_) {
        pushed_ = true;
        return;
    }
    restore_(after_);
}

// The stack offers the next edit to the last step (never across the saved state).
bool TDocumentStep::mergeWith(const QUndoCommand* other)
{
    const auto* nextStep = static_cast<const TDocumentStep*>(other);
    const auto& next = nextStep->source_;
    bool joins = next.JoinsLast;
    // Typing or dragging over one control is one step when it is one kind of edit.
    if (!joins && source_.Widget && next.Widget == source_.Widget && nextStep->text() == text()) {
        if (next.Dragging)
            joins = source_.Dragging && next.Gesture == source_.Gesture;
        else
            joins = !source_.Dragging && next.Typing && next.At - source_.At < TypingMergeMs;
    }
    if (!joins)
        return false;
    after_ = nextStep->after_;
    parts_ |= nextStep->parts_;
    if (!next.JoinsLast)
        source_ = next;
    return true;
}
