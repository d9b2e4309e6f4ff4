#pragma once
// The days File › Report… offers: the day of a date, its week (Monday to
// Sunday), its calendar month.
#include <QDate>

namespace ReportRange {

enum class Span { Day, Week, Month };

struct Days {
    QDate from; // both included
    QDate to;
};

Days of(Span span, const QDate& date);

} // namespace ReportRange
