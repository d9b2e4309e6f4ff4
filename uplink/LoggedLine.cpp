#include "uplink/LoggedLine.h"

namespace {

// "#MM-DD-YYYY HH:MM:SS " is 21 characters.
constexpr int StampLength = 21;

int digits(QByteArrayView text, int from, int count)
{
    int value = 0;
    for (int i = from; i < from + count; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

QDateTime stampOf(QByteArrayView line)
{
    if (line.size() < StampLength || line[0] != '#' || line[3] != '-' || line[6] != '-' || line[11] != ' '
        || line[14] != ':' || line[17] != ':' || line[20] != ' ')
        return QDateTime();
    const QDate date(digits(line, 7, 4), digits(line, 1, 2), digits(line, 4, 2));
    const QTime time(digits(line, 12, 2), digits(line, 15, 2), digits(line, 18, 2));
    if (!date.isValid() || !time.isValid())
        return QDateTime();
    return QDateTime(date, time);
}

} // namespace

LoggedLine LoggedLine::split(QByteArrayView line)
{
    LoggedLine out;
    out.receivedAt = stampOf(line);
    out.text = out.receivedAt.isValid() ? line.sliced(StampLength) : line;
    return out;
}

QString isoTimeWithOffset(const QDateTime& local)
{
    const int offset = local.offsetFromUtc();
    const int minutes = (offset < 0 ? -offset : offset) / 60;
    return local.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) + (offset < 0 ? QLatin1Char('-') : QLatin1Char('+'))
        + QString::asprintf("%02d:%02d", minutes / 60, minutes % 60);
}
