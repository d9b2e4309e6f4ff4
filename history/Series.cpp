#include "history/Series.h"

#include <QStringList>

namespace Series {

namespace {
const QStringList& names()
{
    static const QStringList list{QStringLiteral("oil_quality"), QStringLiteral("oil_temperature"),
                                  QStringLiteral("loss_factor"), QStringLiteral("tdn"),
                                  QStringLiteral("ambient_temperature")};
    return list;
}
} // namespace

QString valueName(int value)
{
    return value >= 0 && value < kValues ? names()[value] : QString();
}

int valueOfName(const QString& name)
{
    return int(names().indexOf(name));
}

} // namespace Series
