#include "editors/zones/TimeSpinButton.h"

#include "storage/Prompts.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>

namespace {

QString Two(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

} // namespace

TTimeSpinButton::TTimeSpinButton(TPrompts& prompts, QWidget* parent)
    : QAbstractSpinBox(parent), prompts_(prompts)
{
    setKeyboardTracking(false);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    connect(this, &QAbstractSpinBox::editingFinished, this, &TTimeSpinButton::ApplyTypedText);
    ShowValue();
}

int TTimeSpinButton::Value() const
{
    if (isInfinity_)
        return infinity_;
    return hours_ * 3600 + minutes_ * 60 + seconds_;
}

void TTimeSpinButton::SetValue(int value)
{
    if (value == infinity_) {
        isInfinity_ = true;
        ShowValue();
        return;
    }
    // A negative time (only from a damaged file) shows as zero rather than as a huge number.
    value = std::max(value, 0);
    hours_ = 0;
    minutes_ = 0;
    seconds_ = value % 60;
    if (value >= 60) {
        minutes_ = (value / 60) % 60;
        if (value / 60 >= 60)
            hours_ = value / 3600;
    }
    isInfinity_ = false;
    ShowValue();
}

void TTimeSpinButton::SetMaxValue(const QString& text)
{
    if (const auto v = ParseTime(text))
        maxValue_ = *v;
}

void TTimeSpinButton::SetMinValue(const QString& text)
{
    if (const auto v = ParseTime(text))
        minValue_ = *v;
}

void TTimeSpinButton::SetFormat(tTimeSpinButtonFormat format)
{
    format_ = format;
    ShowValue();
}

void TTimeSpinButton::SetInfinityText(const QString& text)
{
    infinityText_ = text;
    ShowValue();
}

void TTimeSpinButton::StepUp()
{
    if (isInfinity_) {
        SetUserValue(minValue_);
        return;
    }
    const int v = Value() + increment_;
    if (v > maxValue_) {
        if (isInfinityAllowed_)
            SetUserValue(infinity_);
        else
            SetUserValue(minValue_);
        return;
    }
    SetUserValue(v);
}

void TTimeSpinButton::StepDown()
{
    if (isInfinity_) {
        SetUserValue(maxValue_);
        return;
    }
    const int v = Value() - increment_;
    if (v < minValue_) {
        if (isInfinityAllowed_)
            SetUserValue(infinity_);
        else
            SetUserValue(maxValue_);
        return;
    }
    SetUserValue(v);
}

void TTimeSpinButton::stepBy(int steps)
{
    for (; steps > 0; --steps)
        StepUp();
    for (; steps < 0; ++steps)
        StepDown();
}

QSize TTimeSpinButton::sizeHint() const
{
    ensurePolished();
    const QFontMetrics fm(font());
    int width = fm.horizontalAdvance(QStringLiteral("00:00"));
    for (const QString& text : {FormatTime(maxValue_, format_), FormatTime(minValue_, format_), infinityText_})
        width = std::max(width, fm.horizontalAdvance(text));
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    const QSize content(width + fm.horizontalAdvance(QLatin1Char(' ')) * 2, lineEdit()->sizeHint().height());
    return style()->sizeFromContents(QStyle::CT_SpinBox, &option, content, this);
}

QValidator::State TTimeSpinButton::validate(QString&, int&) const
{
    // Typed text is judged on Enter or when the control is left, with its own messages.
    return QValidator::Acceptable;
}

QString TTimeSpinButton::FormatTime(int v, tTimeSpinButtonFormat format)
{
    v = std::max(v, 0);
    const int h = v / 3600;
    const int m = (v / 60) % 60;
    const int s = v % 60;
    if (v < 60) {
        switch (format) {
        case tsbS: return QString::number(s);
        case tsbSS: return Two(s);
        case tsbM_SS: return QStringLiteral("0:") + Two(s);
        case tsbMM_SS: return QStringLiteral("00:") + Two(s);
        case tsbH_MM_SS: return QStringLiteral("0:00:") + Two(s);
        case tsbHH_MM_SS: return QStringLiteral("00:00:") + Two(s);
        }
    }
    if (v < 3600) {
        switch (format) {
        case tsbS:
        case tsbSS:
        case tsbM_SS: return QString::number(m) + QLatin1Char(':') + Two(s);
        case tsbMM_SS: return Two(m) + QLatin1Char(':') + Two(s);
        case tsbH_MM_SS: return QStringLiteral("0:") + Two(m) + QLatin1Char(':') + Two(s);
        case tsbHH_MM_SS: return QStringLiteral("00:") + Two(m) + QLatin1Char(':') + Two(s);
        }
    }
    if (format == tsbHH_MM_SS && v < 360000)
        return Two(h) + QLatin1Char(':') + Two(m) + QLatin1Char(':') + Two(s);
    return QString::number(h) + QLatin1Char(':') + Two(m) + QLatin1Char(':') + Two(s);
}

std::optional<int> TTimeSpinButton::ParseTime(const QString& text)
{
    // 64-bit sums and a cap keep a long run of digits from overflowing.
    constexpr qint64 cap = 1'000'000'000;
    qint64 hours = 0;
    qint64 minutes = 0;
    qint64 current = 0;
    for (const QChar c : text) {
        if (c.unicode() <= 32)
            continue;
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            current = std::min(cap, current * 10 + (c.unicode() - '0'));
        } else if (c == QLatin1Char(':')) {
            hours = minutes;
            minutes = current;
            current = 0;
        } else {
            return std::nullopt;
        }
    }
    return int(std::min(cap, hours * 3600 + minutes * 60 + current));
}

void TTimeSpinButton::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        ApplyTypedText();
        event->accept();
        return;
    }
    // Typed characters are blanks, "-", digits, ":" and "."; the whole text is judged on
    // Enter. Control keys (Backspace, Delete, arrows, shortcuts) pass.
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).isPrint()
        && !std::all_of(text.begin(), text.end(), [](QChar c) {
               return (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
                   || QStringLiteral(" -:.").contains(c);
           })) {
        event->accept();
        return;
    }
    QAbstractSpinBox::keyPressEvent(event);
}

QString TTimeSpinButton::FieldMessage(const QString& message) const
{
    // The box names the field, so the engineer knows which of many spins refused the text.
    // A name taken from a caption ("Input Delay :") loses its colon.
    QString name = accessibleName().trimmed();
    if (name.endsWith(QLatin1Char(':')))
        name = name.chopped(1).trimmed();
    return name.isEmpty() ? message : name + QStringLiteral(": ") + message;
}

void TTimeSpinButton::ShowValue()
{
    lineEdit()->setText(isInfinity_ ? infinityText_ : FormatTime(Value(), format_));
}

void TTimeSpinButton::SetUserValue(int value)
{
    SetValue(value);
    emit Changed();
}

void TTimeSpinButton::ApplyTypedText()
{
    // The error message may move the focus away, which would check the same text again.
    if (applying_)
        return;
    const QString text = lineEdit()->text().trimmed();
    const QString shown = isInfinity_ ? infinityText_ : FormatTime(Value(), format_);
    if (text == shown)
        return;
    applying_ = true;
    if (text.compare(QStringLiteral("--"), Qt::CaseInsensitive) == 0
        || text.compare(infinityText_, Qt::CaseInsensitive) == 0) {
        if (isInfinityAllowed_)
            SetUserValue(infinity_);
        else
            ShowValue();
        applying_ = false;
        return;
    }
    const auto parsed = ParseTime(text);
    ShowValue();
    if (!parsed)
        prompts_.error(FieldMessage(IllegalValueMessage));
    else if (*parsed < minValue_ || *parsed > maxValue_)
        prompts_.error(FieldMessage(RangeErrorMessage + QStringLiteral("(%1 to %2)")
                                                            .arg(MinValue(), MaxValue())));
    else
        SetUserValue(*parsed);
    applying_ = false;
}
