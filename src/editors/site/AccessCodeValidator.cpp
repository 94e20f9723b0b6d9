#include "editors/site/AccessCodeValidator.h"

#include <QLineEdit>
#include <QToolTip>

namespace {

constexpr int CodeLength = 4;
const QString Hint = QStringLiteral("Access code: 4 digits 1–4");

bool CodeDigit(QChar c)
{
    return c >= QLatin1Char('1') && c <= QLatin1Char('4');
}

} // namespace

const QString TAccessCodeValidator::DigitsRefusal =
    QStringLiteral("Access codes take the digits 1, 2, 3 and 4 only.");
const QString TAccessCodeValidator::LengthRefusal =
    QStringLiteral("Access codes have 4 digits: delete one to type another.");

TAccessCodeValidator::TAccessCodeValidator(QLineEdit* edit) : QValidator(edit), edit_(edit)
{
    edit_->setToolTip(Hint);
    connect(edit_, &QLineEdit::textChanged, this, [this](const QString& text) {
        shown_ = text;
        ShowFault();
    });
}

QValidator::State TAccessCodeValidator::validate(QString& input, int& pos) const
{
    if (input == shown_)
        return Acceptable;
    // The edit replaced the part between a common start and a common end of the texts.
    qsizetype head = 0;
    const qsizetype shorter = std::min(input.size(), shown_.size());
    while (head < shorter && input[head] == shown_[head])
        ++head;
    qsizetype tail = 0;
    while (tail < shorter - head
           && input[input.size() - 1 - tail] == shown_[shown_.size() - 1 - tail])
        ++tail;
    const QString inserted = input.mid(head, input.size() - head - tail);
    const qsizetype room = std::max<qsizetype>(0, CodeLength - head - tail);
    QString kept;
    bool wrongDigit = false;
    for (const QChar c : inserted) {
        wrongDigit = wrongDigit || !CodeDigit(c);
        if (CodeDigit(c) && kept.size() < room)
            kept += c;
    }
    if (kept == inserted)
        return Acceptable;
    Refuse(wrongDigit ? DigitsRefusal : LengthRefusal);
    input = input.left(head) + kept + input.right(tail);
    pos = int(head + kept.size());
    return Acceptable;
}

void TAccessCodeValidator::Refuse(const QString& why) const
{
    QToolTip::showText(edit_->mapToGlobal(QPoint(0, edit_->height())), why, edit_);
    if (OnRefused)
        OnRefused();
}

void TAccessCodeValidator::ShowStored(const QString& code)
{
    shown_ = code;
    edit_->setText(code);
    ShowFault();
}

QString TAccessCodeValidator::Fault(const QString& code)
{
    if (code.size() > CodeLength)
        return QStringLiteral("The stored code \"%1\" is longer than 4 digits; the panel takes "
                              "4 digits 1–4.")
            .arg(code);
    if (!std::all_of(code.begin(), code.end(), CodeDigit))
        return QStringLiteral("The stored code \"%1\" holds characters other than the digits "
                              "1–4; the panel takes 4 digits 1–4.")
            .arg(code);
    return {};
}

void TAccessCodeValidator::ShowFault()
{
    const QString fault = Fault(edit_->text());
    QPalette palette = edit_->palette();
    palette.setColor(QPalette::Text, fault.isEmpty() ? QPalette().color(QPalette::Text) : Qt::red);
    edit_->setPalette(palette);
    edit_->setToolTip(fault.isEmpty() ? Hint : fault);
}
