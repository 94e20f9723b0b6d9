#pragma once

#include "storage/Prompts.h"

#include <QHash>
#include <QStringList>
#include <QTextStream>

// TPrompts for the command line. Messages go to the error stream (errors are kept for the
// command's one-line failure). A question takes its answer from a flag when one was given,
// else from the terminal when a person is there; otherwise it is left unanswered, which the
// command turns into a failure that names the flag.
class TCliPrompts : public TPrompts {
public:
    TCliPrompts(QTextStream& err, QTextStream* in) : err_(err), in_(in) {}

    QHash<QString, TPromptAnswer> Answers; // question text -> answer from a flag
    QString LastError;
    QString Unanswered; // the last question nobody could answer
    // Every message and question shown or kept, in order: the commands check what was already said.
    QStringList Said;
    bool HasSaid(const QString& text) const;

    void information(const QString& text, const QString& caption = QString()) override;
    void warning(const QString& text, const QString& caption = QString()) override;
    void error(const QString& text, const QString& caption = QString()) override;
    TPromptAnswer confirm(const QString& text, TPromptButtons buttons,
                          TPromptKind kind = TPromptKind::pkConfirmation) override;
    void beep() override {}

private:
    QTextStream& err_;
    QTextStream* in_;
};
