#pragma once

#include <QString>

#include <functional>

// The progress window of a panel operation as the sequencer sees it: a status line, a bar
// with its position and maximum, and a Cancel button. The GUI's status window and zolctl's
// terminal bar implement it. Hiding clears the status line and puts the bar back to 0.
class TTransferProgress {
public:
    virtual ~TTransferProgress() = default;

    virtual void SetStatus(const QString& text) = 0;
    virtual void SetPosition(int position) = 0;
    virtual void SetMaximum(int maximum) = 0;
    virtual int Position() const = 0;
    virtual int Maximum() const = 0;
    virtual void SetCancelVisible(bool visible) = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    // Closing also has the caller redraw its pages from the configuration.
    virtual void Close() = 0;
    // Where the whole operation is: block `step` of `steps`, with its title.
    virtual void SetOverall(int step, int steps, const QString& title)
    {
        (void)step, (void)steps, (void)title;
    }

    // Set by the sequencer: called when the user presses Cancel.
    std::function<void()> OnCancel;
};
