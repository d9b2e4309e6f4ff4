#include "KnownDrift.h"

#include "history/Series.h"

#include <QStringList>
#include <cmath>

bool readKnownDrift(const QString& text, KnownDrift& out)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() != 4 && parts.size() != 5)
        return false;
    bool sensorOk = false, startOk = false, rateOk = false, noiseOk = true;
    KnownDrift d;
    d.sensor = parts[0].toInt(&sensorOk);
    d.value = Series::valueOfName(parts[1]);
    d.start = parts[2].toDouble(&startOk);
    d.perDay = parts[3].toDouble(&rateOk);
    if (parts.size() == 5)
        d.noise = parts[4].toDouble(&noiseOk);
    if (!sensorOk || d.sensor < 1 || d.sensor > 6 || d.value < 0 || !startOk || !rateOk || !noiseOk
        || !std::isfinite(d.start) || !std::isfinite(d.perDay) || !std::isfinite(d.noise)
        || std::abs(d.start) > 1e5 || std::abs(d.perDay) > 1e4 || (parts.size() == 5 && d.noise < 0))
        return false;
    out = d;
    return true;
}
