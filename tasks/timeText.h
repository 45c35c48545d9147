#pragma once

#include <QString>

// Play times are shown as "HH:MM:SS" with an optional ".t" (tenths), hours not
// limited to two digits. -1 stands for a text that is not a time text.
QString SecondsToTimeText(double seconds);
double TimeTextToSeconds(const QString& text);

// Rounds to the nearest whole number, a half going to the even neighbour.
qint64 RoundHalfEven(double value);
