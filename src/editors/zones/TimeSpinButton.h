#pragma once

#include <QAbstractSpinBox>
#include <QString>

#include <optional>

class TPrompts;

enum tTimeSpinButtonFormat { tsbS, tsbSS, tsbM_SS, tsbMM_SS, tsbH_MM_SS, tsbHH_MM_SS };

// A spin edit for durations: holds seconds, shows them as minutes and seconds (or hours,
// minutes and seconds), steps by a fixed increment between limits given in the same notation
// and can stand for infinite. Typed text is checked on Enter and when the control is left;
// a failure ("Illegal Value", "Range Error ") is reported, named after the field's accessible
// name, and the field shows the stored value again.
class TTimeSpinButton : public QAbstractSpinBox {
    Q_OBJECT

public:
    explicit TTimeSpinButton(TPrompts& prompts, QWidget* parent = nullptr);

    // Seconds; Infinity while IsInfinity. Setting it does not notify the owner.
    int Value() const;
    void SetValue(int value);
    int Seconds() const { return seconds_; }
    int Minutes() const { return minutes_; }
    int Hours() const { return hours_; }
    bool IsInfinity() const { return isInfinity_; }

    int Infinity() const { return infinity_; }
    void SetInfinity(int value) { infinity_ = value; }
    int Increment() const { return increment_; }
    void SetIncrement(int seconds) { increment_ = seconds; }
    QString MaxValue() const { return FormatTime(maxValue_, format_); }
    QString MinValue() const { return FormatTime(minValue_, format_); }
    // Limits in time notation; text that does not parse leaves the limit as it was.
    void SetMaxValue(const QString& text);
    void SetMinValue(const QString& text);
    int MaxSeconds() const { return maxValue_; }
    int MinSeconds() const { return minValue_; }
    tTimeSpinButtonFormat Format() const { return format_; }
    void SetFormat(tTimeSpinButtonFormat format);
    QString InfinityText() const { return infinityText_; }
    void SetInfinityText(const QString& text);
    bool IsInfinityAllowed() const { return isInfinityAllowed_; }
    void SetInfinityAllowed(bool allowed) { isInfinityAllowed_ = allowed; }

    // Stepping with the arrows: past a limit the value becomes infinite when that is
    // allowed, else it wraps to the other limit.
    void StepUp();
    void StepDown();

    // The display text of seconds in a format.
    static QString FormatTime(int seconds, tTimeSpinButtonFormat format);
    // Time notation: blanks and control characters skipped, digits, ":" shifting the parts
    // (current → minutes → hours). Empty when a character is none of these.
    static std::optional<int> ParseTime(const QString& text);

    static inline const QString IllegalValueMessage = QStringLiteral("Illegal Value");
    static inline const QString RangeErrorMessage = QStringLiteral("Range Error ");

    void stepBy(int steps) override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }
    QValidator::State validate(QString& input, int& pos) const override;

signals:
    // The user changed the value (arrows or accepted typed text).
    void Changed();

protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ShowValue();
    void ApplyTypedText();
    QString FieldMessage(const QString& message) const;
    void SetUserValue(int value);

    TPrompts& prompts_;
    int seconds_ = 0;
    int minutes_ = 0;
    int hours_ = 0;
    bool isInfinity_ = false;
    int infinity_ = -1;
    int increment_ = 1;
    int maxValue_ = 60;
    int minValue_ = 0;
    tTimeSpinButtonFormat format_ = tsbMM_SS;
    QString infinityText_ = QStringLiteral("--");
    bool isInfinityAllowed_ = true;
    bool applying_ = false;
};
