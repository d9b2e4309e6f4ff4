#include "history/Tier.h"

namespace Tiers {

namespace {
const char* const Names[kCount] = {"1m", "10m", "1h", "1d"};
} // namespace

QString name(Tier tier)
{
    return QLatin1String(Names[int(tier)]);
}

bool fromName(const QString& text, Tier& tier)
{
    for (const Tier t : all) {
        if (text == QLatin1String(Names[int(t)])) {
            tier = t;
            return true;
        }
    }
    return false;
}

} // namespace Tiers
