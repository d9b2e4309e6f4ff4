#include "uplink/Topics.h"

namespace Topics {

QString installationLevel(QString installation)
{
    for (QChar& c : installation) {
        const char16_t u = c.unicode();
        if (u == '+' || u == '#' || u == '/' || u < 0x20 || (u >= 0x7F && u <= 0x9F))
            c = QLatin1Char('_');
    }
    return installation.isEmpty() ? QStringLiteral("_") : installation;
}

Set::Set(const QString& installation)
{
    const QByteArray root = "veltra/" + installationLevel(installation).toUtf8() + '/';
    record = root + "record";
    event = root + "event";
    parameters = root + "parameters";
    status = root + "status";
}

} // namespace Topics
