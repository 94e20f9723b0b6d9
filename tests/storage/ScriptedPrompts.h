#pragma once

#include "storage/Prompts.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// TPrompts for tests: records every message and answers questions from a script.
// A question with no scripted answer left gets `DefaultAnswer` and is still recorded,
// so a test can assert both that it was asked and what it said.
class TScriptedPrompts : public TPrompts {
public:
  enum class TKind { mkInformation, mkWarning, mkError, mkConfirm, mkBeep };
  struct TRecord {
    TKind Kind;
    QString Text;
    QString Caption;
    TPromptButtons Buttons = TPromptButtons::pbYesNo;
    TPromptKind PromptKind = TPromptKind::pkConfirmation;
  };

  QList<TRecord> Records;
  QList<TPromptAnswer> Answers;
  TPromptAnswer DefaultAnswer = TPromptAnswer::paNo;
  // Runs while a question is "on screen", before it is answered: a test lets the event loop
  // run here, as a real message box would.
  std::function<void(const QString& text)> OnConfirm;

  void information(const QString& text, const QString& caption = QString()) override {
    Records.append({TKind::mkInformation, text, caption});
  }
  void warning(const QString& text, const QString& caption = QString()) override {
    Records.append({TKind::mkWarning, text, caption});
  }
  void error(const QString& text, const QString& caption = QString()) override {
    Records.append({TKind::mkError, text, caption});
  }
  TPromptAnswer confirm(const QString& text, TPromptButtons buttons,
                        TPromptKind kind = TPromptKind::pkConfirmation) override {
    Records.append({TKind::mkConfirm, text, QString(), buttons, kind});
    if (OnConfirm)
      OnConfirm(text);
    return Answers.isEmpty() ? DefaultAnswer : Answers.takeFirst();
  }
  void beep() override { Records.append({TKind::mkBeep, QString(), QString()}); }

  // Every recorded text, in order (beeps give an empty text).
  QStringList texts() const {
    QStringList result;
    for (const TRecord& r : Records)
      result.append(r.Text);
    return result;
  }
  int count(TKind kind) const {
    int n = 0;
    for (const TRecord& r : Records)
      n += r.Kind == kind ? 1 : 0;
    return n;
  }
  void clear() { Records.clear(); }
};
