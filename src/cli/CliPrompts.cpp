#include "cli/CliPrompts.h"

#include <algorithm>

bool TCliPrompts::HasSaid(const QString& text) const
{
    return std::any_of(Said.cbegin(), Said.cend(),
                       [&](const QString& said) { return said.contains(text); });
}

void TCliPrompts::information(const QString& text, const QString&)
{
    Said << text;
    err_ << "zolctl: " << text << '\n';
}

void TCliPrompts::warning(const QString& text, const QString&)
{
    Said << text;
    err_ << "zolctl: warning: " << text << '\n';
}

void TCliPrompts::error(const QString& text, const QString&)
{
    Said << text;
    LastError = text;
}

TPromptAnswer TCliPrompts::confirm(const QString& text, TPromptButtons buttons, TPromptKind)
{
    Said << text;
    if (const auto given = Answers.constFind(text); given != Answers.constEnd())
        return *given;
    const bool abortRetry = buttons == TPromptButtons::pbAbortRetry;
    const TPromptAnswer refusal = abortRetry ? TPromptAnswer::paAbort : TPromptAnswer::paNo;
    if (!in_) {
        Unanswered = text;
        return refusal;
    }
    const QString choices = abortRetry ? QStringLiteral("[a]bort/[r]etry")
                            : buttons == TPromptButtons::pbYesNoCancel ? QStringLiteral("[y]es/[n]o/[c]ancel")
                                                                       : QStringLiteral("[y]es/[n]o");
    for (;;) {
        err_ << text << ' ' << choices << ' ';
        err_.flush();
        QString line;
        if (!in_->readLineInto(&line)) {
            Unanswered = text;
            return refusal;
        }
        const QString a = line.trimmed().toLower();
        if (abortRetry) {
            if (a == QLatin1String("a") || a == QLatin1String("abort"))
                return TPromptAnswer::paAbort;
            if (a == QLatin1String("r") || a == QLatin1String("retry"))
                return TPromptAnswer::paRetry;
            continue;
        }
        if (a == QLatin1String("y") || a == QLatin1String("yes"))
            return TPromptAnswer::paYes;
        if (a == QLatin1String("n") || a == QLatin1String("no"))
            return TPromptAnswer::paNo;
        if (buttons == TPromptButtons::pbYesNoCancel && (a == QLatin1String("c") || a == QLatin1String("cancel")))
            return TPromptAnswer::paCancel;
    }
}
