#include "report/ForecastSection.h"

#include "report/ReportSections.h"

namespace ForecastSection {

void layOut(ReportPages& pages, const ReportData& data, const ReportStyle& style)
{
    Q_UNUSED(data);
    pages.newPage();
    ReportSections::heading(pages, style, QStringLiteral("Forecast"), style.mm(15));
    ReportSections::paragraph(pages, style, QStringLiteral("The forecast is not part of this report yet."));
}

} // namespace ForecastSection
