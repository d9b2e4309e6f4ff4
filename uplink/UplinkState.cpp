#include "uplink/UplinkState.h"

namespace {

QString linesWaiting(qint64 lines)
{
    return lines == 1 ? QStringLiteral("1 line waiting") : QStringLiteral("%1 lines waiting").arg(lines);
}

} // namespace

QString UplinkState::text() const
{
    QString text;
    switch (mode) {
    case Mode::Off:
        text = QStringLiteral("off");
        break;
    case Mode::Connecting:
        text = waiting > 0 ? linesWaiting(waiting) + QStringLiteral(", connecting") : QStringLiteral("connecting");
        break;
    case Mode::Connected:
        text = sending ? linesWaiting(waiting) : QStringLiteral("connected");
        break;
    case Mode::Down:
        text = waiting > 0 ? linesWaiting(waiting) + QStringLiteral(" - ") + reason : reason;
        break;
    }
    return note.isEmpty() ? text : text + QStringLiteral(" (") + note + QLatin1Char(')');
}
