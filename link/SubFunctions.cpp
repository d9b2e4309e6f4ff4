#include "link/SubFunctions.h"

#include "core/Hex.h"
#include "core/Record.h"
#include "platform/ITimer.h"

#include <climits>

bool isHexDigit(char c)
{
    return Hex::isDigit(c);
}

int HexToSigned(QByteArrayView text, int digitCount)
{
    long long value = 0;
    for (char c : text) {
        const int digit = Hex::digit(c);
        if (digit < 0)
            break;
        value = value * 16 + digit;
        if (value > INT_MAX) {
            value = INT_MAX;
            break;
        }
    }
    if (digitCount == 2 && (value & 0x80) != 0)
        value -= 256;
    else if (digitCount == 4 && value >= 0x8000)
        value -= 65536;
    return int(value);
}

QByteArray SanitizeHex(QByteArray& line, int startPosition)
{
    Record::sanitiseFrom(line, startPosition);
    const qsizetype end = Record::beforeLineEnd(line).size();
    return end < line.size() ? line.left(end + 2) : line;
}

QByteArray CutAtLineEnd(QByteArrayView text)
{
    return Record::beforeLineEnd(text).toByteArray();
}

void StartWatchdog(ITimer& timer)
{
    timer.setInterval(WatchdogIntervalMs);
    timer.setEnabled(true);
}

void StopWatchdog(ITimer& timer)
{
    timer.setEnabled(false);
}
