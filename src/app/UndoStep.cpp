#include "app/UndoStep.h"

#include "model/Data.h"

TDocumentStep::TDocumentStep(std::function<void(const TDocumentState&)> restore,
                             TDocumentState before, TDocumentState after, const QString& label,
                             const TEditSource& source)
    : QUndoCommand(label), restore_(std::move(restore)), before_(std::move(before)),
      after_(std::move(after)), source_(source)
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
    const auto& next = static_cast<const TDocumentStep*>(other)->source_;
    bool joins = next.JoinsLast;
    if (!joins && source_.Widget && next.Widget == source_.Widget) {
        if (next.Dragging)
            joins = source_.Dragging && next.Gesture == source_.Gesture;
        else
            joins = !source_.Dragging && next.Typing && next.At - source_.At < TypingMergeMs;
    }
    if (!joins)
        return false;
    after_ = static_cast<const TDocumentStep*>(other)->after_;
    if (!next.JoinsLast)
        source_ = next;
    return true;
}
