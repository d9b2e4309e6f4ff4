#pragma once
#include <QDateTime>
#include <QString>

// Chart x values are days since 30 December 1899 (local time).
double chartDaysFromDateTime(const QDateTime& when);
QDateTime chartDateTimeFromDays(double days);
// The axis and cursor form "m/d hh:nn:ss", rounded to the second.
QString chartTimeLabel(double days);

// The history's x: days of universal time since 30 December 1899, so that
// the hour that comes twice when the clocks go back has two places on the
// axis and the hour skipped in spring has none. Labels show each instant's
// local time.
double chartDaysFromInstant(qint64 secondsSinceEpoch);
qint64 chartInstantFromDays(double days); // seconds since the epoch, rounded
// An axis label of an instant, as fine as the step between two labels
// needs: the date "yyyy-MM-dd" for steps of a day or more, "MM-dd hh:mm"
// for steps of a minute or more, "MM-dd hh:mm:ss" below.
QString chartInstantLabel(double days, double stepDays);
// The cursor's form of an instant: "yyyy-MM-dd hh:mm:ss".
QString chartInstantTime(double days);
