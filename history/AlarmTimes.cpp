#include "history/AlarmTimes.h"

namespace {
bool indices(int sensor, AlarmQuantity quantity, AlarmStage level, int& q, int& l)
{
    if (sensor < 1 || sensor > 6 || quantity == AlarmQuantity::None || level == AlarmStage::None)
        return false;
    q = quantity == AlarmQuantity::OilQuality ? 0 : 1;
    l = level == AlarmStage::PreAlarm ? 0 : 1;
    return true;
}
} // namespace

int64_t AlarmTimes::of(int sensor, AlarmQuantity quantity, AlarmStage level) const
{
    int q = 0, l = 0;
    return indices(sensor, quantity, level, q, l) ? seconds[sensor - 1][q][l] : 0;
}

AlarmTimes AlarmTimes::of(const std::vector<JournalEntry>& entries)
{
    AlarmTimes times;
    int q = 0, l = 0;
    for (const JournalEntry& e : entries)
        if (e.kind == JournalKind::SensorAlarm && indices(e.sensor, e.quantity, e.level, q, l))
            times.seconds[e.sensor - 1][q][l] += e.duration();
    return times;
}
