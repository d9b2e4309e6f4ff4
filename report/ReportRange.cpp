#include "report/ReportRange.h"

namespace ReportRange {

Days of(Span span, const QDate& date)
{
    switch (span) {
    case Span::Week: {
        const QDate monday = date.addDays(1 - date.dayOfWeek());
        return {monday, monday.addDays(6)};
    }
    case Span::Month: {
        const QDate first(date.year(), date.month(), 1);
        return {first, first.addMonths(1).addDays(-1)};
    }
    case Span::Day: break;
    }
    return {date, date};
}

} // namespace ReportRange
