#pragma once

#include "storage/Prompts.h"

#include <QPointer>

class QWidget;

// The program's prompts as the print dialog uses them. The dialog stays on top of the other
// windows, so a message box the program opens over its main window would be hidden behind
// it: each box opened during a prompt is made a window of the window on top (the active
// modal window, else the dialog), which keeps it above that window.
class TOnTopPrompts : public TPrompts {
public:
    TOnTopPrompts(TPrompts& inner, QWidget* dialog) : inner_(inner), dialog_(dialog) {}

    void information(const QString& text, const QString& caption = QString()) override;
    void warning(const QString& text, const QString& caption = QString()) override;
    void error(const QString& text, const QString& caption = QString()) override;
    TPromptAnswer confirm(const QString& text, TPromptButtons buttons,
                          TPromptKind kind = TPromptKind::pkConfirmation) override;
    void beep() override;

private:
    template <typename F> auto OnTop(F prompt);

    TPrompts& inner_;
    QPointer<QWidget> dialog_;
};
