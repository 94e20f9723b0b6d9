#include "editors/site/ClockTimeText.h"

#include <QStringList>

namespace {

int PartValue(const QStringList& parts, int i)
{
    if (i >= parts.size())
        return 0;
    bool ok = false;
    const int value = parts[i].trimmed().toInt(&ok);
    return ok ? value : 0;
}

// Wraps value into 0..count-1, also for values far outside (a file may hold "99:99").
int Wrap(int value, int count)
{
    return ((value % count) + count) % count;
}

} // namespace

QString StepClockTime(const QString& text, TClockPart part, int delta)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    int hours = PartValue(parts, 0);
    int minutes = PartValue(parts, 1);
    if (part == TClockPart::cpHours)
        hours = Wrap(hours + delta, 24);
    else
        minutes = Wrap(minutes + delta, 60);
    return QStringLiteral("%1:%2")
        .arg(hours, 2, 10, QLatin1Char('0'))
        .arg(minutes, 2, 10, QLatin1Char('0'));
}
