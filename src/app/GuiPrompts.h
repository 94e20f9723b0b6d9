#pragma once

#include "storage/Prompts.h"

class QWidget;

// The desktop program's prompts: a message box with the icon of each kind and exactly the
// buttons asked for. Texts that double "&" to show one show one "&". The one place that
// raises messages above the window on top: every box is parented to it.
class TGuiPrompts : public TPrompts {
public:
    explicit TGuiPrompts(QWidget* parent = nullptr) : parent_(parent) {}

    void SetParent(QWidget* parent) { parent_ = parent; }

    void information(const QString& text, const QString& caption = QString()) override;
    void warning(const QString& text, const QString& caption = QString()) override;
    void error(const QString& text, const QString& caption = QString()) override;
    TPromptAnswer confirm(const QString& text, TPromptButtons buttons,
                          TPromptKind kind = TPromptKind::pkConfirmation) override;
    void beep() override;

private:
    QWidget* parent_;
};

// A caption as it is shown: a doubled "&" is one "&".
QString ShownText(const QString& text);
