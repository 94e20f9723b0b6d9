#pragma once

#include <QString>

// The site page's clock times are texts "hh:mm" stored as typed. The arrows beside them step
// one part: hours wrap 23 <-> 0, minutes 59 <-> 0, and a part that is not a number counts as 0.
enum class TClockPart { cpHours, cpMinutes };

QString StepClockTime(const QString& text, TClockPart part, int delta);
