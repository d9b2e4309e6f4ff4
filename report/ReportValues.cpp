#include "report/ReportValues.h"

#include "core/GaugeLooks.h"
#include "history/Series.h"

namespace ReportValues {

QString name(int value)
{
    static const char* const names[Series::kValues] = {"Oil quality", "Oil temperature", "Loss factor",
                                                       "TDN number", "Ambient temperature"};
    return value >= 0 && value < Series::kValues ? QString::fromLatin1(names[value]) : QString();
}

QString unit(int value)
{
    const GaugeLooks::Look* look = GaugeLooks::forValue(value + 1);
    return look ? QString::fromUtf8(look->unit) : QString();
}

QString number(int value, double inUnits, int extra)
{
    return QString::number(inUnits, 'f', Series::decimals(value) + extra);
}

} // namespace ReportValues
