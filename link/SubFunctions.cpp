#include "link/SubFunctions.h"

#include "platform/ITimer.h"

#include <climits>

namespace {

int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Index of the CR of the first CR LF, or size when there is none.
qsizetype lineEndIndex(QByteArrayView text)
{
    const qsizetype at = text.indexOf(QByteArrayView("\r\n"));
    return at < 0 ? text.size() : at;
}

} // namespace

bool isHexDigit(char c)
{
    return hexDigitValue(c) >= 0;
}

int HexToSigned(QByteArrayView text, int digitCount)
{
    long long value = 0;
    for (char c : text) {
        const int digit = hexDigitValue(c);
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
    const qsizetype end = lineEndIndex(line);
    for (qsizetype i = qMax(startPosition, 1) - 1; i < end; ++i) {
        if (!isHexDigit(line.at(i)))
            line[i] = '0';
    }
    return end < line.size() ? line.left(end + 2) : line;
}

QByteArray CutAtLineEnd(QByteArrayView text)
{
    return text.first(lineEndIndex(text)).toByteArray();
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
