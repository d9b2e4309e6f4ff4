#pragma once
#include <QDateTime>
#include <QString>

// Chart x values are days since 30 December 1899 (local time).
double chartDaysFromDateTime(const QDateTime& when);
QDateTime chartDateTimeFromDays(double days);
// The axis and cursor form "m/d hh:nn:ss", rounded to the second.
QString chartTimeLabel(double days);
