#pragma once

#include <QValidator>

// Keeps an access-code field to the digits 1..4 whatever reaches it (typing, pasting,
// dropping): other characters are dropped from the text rather than refusing the whole edit,
// so a code read from a file with other characters can still be corrected key by key.
class TAccessCodeValidator : public QValidator {
    Q_OBJECT

public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};
