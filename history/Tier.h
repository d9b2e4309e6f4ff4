#pragma once
// The summary tiers kept beside the logfiles. Buckets of the first three are
// whole local minutes, ten minutes and hours; a day bucket is a local
// calendar day, 23, 24 or 25 hours long.
#include <QString>
#include <cstdint>

enum class Tier : int { Minute = 0, TenMinutes = 1, Hour = 2, Day = 3 };

namespace Tiers {

constexpr int kCount = 4;
constexpr Tier all[kCount] = {Tier::Minute, Tier::TenMinutes, Tier::Hour, Tier::Day};

// The length of a bucket of a tier below a day, in seconds; 0 for Day,
// whose buckets differ in length.
constexpr int64_t seconds(Tier tier)
{
    return tier == Tier::Minute ? 60 : tier == Tier::TenMinutes ? 600 : tier == Tier::Hour ? 3600 : 0;
}

// "1m", "10m", "1h", "1d".
QString name(Tier tier);
// The tier of such a name; false for any other text.
bool fromName(const QString& text, Tier& tier);

} // namespace Tiers
