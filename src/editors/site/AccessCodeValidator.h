#pragma once

#include <QString>
#include <QValidator>

#include <functional>

class QLineEdit;

// Keeps what the user types, pastes or drops into an access-code field to the digits 1..4 and
// to four digits, while a code shown from the document stays exactly as stored: only the text
// an edit inserts is judged, never the text around it. A stored code outside the rule is
// flagged red with the reason in the field's tooltip. What it refuses (and a refused key) is
// not dropped silently: the field says which digits it takes, and OnRefused (a beep) runs.
class TAccessCodeValidator : public QValidator {
    Q_OBJECT

public:
    explicit TAccessCodeValidator(QLineEdit* edit);
    State validate(QString& input, int& pos) const override;

    // Shows a code as stored (a refresh), flagged when it breaks the rule.
    void ShowStored(const QString& code);

    // Why a code breaks the rule; empty for codes the rule allows (and for codes still short).
    static QString Fault(const QString& code);

    // A key or an insertion was refused: the field says what it takes, OnRefused runs.
    void Refuse(const QString& why) const;
    std::function<void()> OnRefused;
    static const QString DigitsRefusal;
    static const QString LengthRefusal;

private:
    void ShowFault();

    QLineEdit* edit_;
    QString shown_;
};
