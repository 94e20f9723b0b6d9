#pragma once

#include "storage/Prompts.h"

#include <cstdio>

// Prompts that show nothing: errors go to standard error, questions get one fixed answer.
class TSilentPrompts : public TPrompts {
public:
    explicit TSilentPrompts(TPromptAnswer answer = TPromptAnswer::paNo) : answer_(answer) {}

    void information(const QString&, const QString&) override {}
    void warning(const QString&, const QString&) override {}
    void error(const QString& text, const QString&) override
    {
        std::fprintf(stderr, "error: %s\n", qPrintable(text));
    }
    TPromptAnswer confirm(const QString&, TPromptButtons, TPromptKind) override { return answer_; }
    void beep() override {}

private:
    TPromptAnswer answer_;
};
