#pragma once
// The report's forecast: for each sensor and alarm level, when its value
// is expected to reach the level, or why no date can be given.
#include "report/ReportData.h"
#include "report/ReportPages.h"
#include "report/ReportStyle.h"

namespace ForecastSection {

void layOut(ReportPages& pages, const ReportData& data, const ReportStyle& style);

} // namespace ForecastSection
