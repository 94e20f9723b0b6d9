#pragma once

#include "storage/Prompts.h"

#include <QByteArray>
#include <QCoreApplication>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A property that must hold for every input: a violation is a finding (libFuzzer keeps the
// input that caused it).
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

inline QByteArray FuzzBytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// Timers and queued signals need an application object.
inline void FuzzApplication()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = new QCoreApplication(argc, argv);
    (void)app;
}

// Answers every question with one answer and keeps nothing.
class TFuzzPrompts : public TPrompts {
public:
    explicit TFuzzPrompts(TPromptAnswer answer) : answer_(answer) {}
    void information(const QString&, const QString&) override {}
    void warning(const QString&, const QString&) override {}
    void error(const QString&, const QString&) override {}
    TPromptAnswer confirm(const QString&, TPromptButtons, TPromptKind) override { return answer_; }
    void beep() override {}

private:
    TPromptAnswer answer_;
};
