#pragma once

#include <QString>

// The buttons a question offers and the answer the user gave.
enum class TPromptButtons { pbYesNo, pbYesNoCancel, pbAbortRetry };
enum class TPromptAnswer { paYes, paNo, paCancel, paAbort, paRetry };

// How a question is shown: most are confirmations, a few (the NVM link check) are warnings.
// A question whose Yes destroys data (replaces a device, deletes, overwrites the panel) is
// destructive: No is its default button, so Enter alone never loses anything. An error is a
// question that reports something refused (the name table is full), shown as an error.
enum class TPromptKind { pkConfirmation, pkWarning, pkDestructive, pkError };

// The layers below the editors never show a window: they talk to the user through this.
// The GUI shows message boxes, zolctl prints and answers from flags or a terminal, and the
// tests use a scripted implementation that records every text.
class TPrompts {
public:
  virtual ~TPrompts() = default;

  virtual void information(const QString& text, const QString& caption = QString()) = 0;
  virtual void warning(const QString& text, const QString& caption = QString()) = 0;
  virtual void error(const QString& text, const QString& caption = QString()) = 0;
  virtual TPromptAnswer confirm(const QString& text, TPromptButtons buttons,
                                TPromptKind kind = TPromptKind::pkConfirmation) = 0;
  virtual void beep() = 0;
};
