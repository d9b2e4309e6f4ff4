#pragma once
// The five values as the report names them, with the readouts' units.
#include <QString>

namespace ReportValues {

// "Oil quality", "Oil temperature", "Loss factor", "TDN number",
// "Ambient temperature" (value 0..4).
QString name(int value);
// "°C", "%" or "" (the gauges' units).
QString unit(int value);
// A number in the value's unit with its decimals (and `extra` more).
QString number(int value, double inUnits, int extra = 0);

} // namespace ReportValues
