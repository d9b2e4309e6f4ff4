#pragma once
// Helpers shared by line reception, record decoding, the logfile writer and
// playback. Evaluator lines are single-byte text; positions count from 1 at
// the ":" of a line.
#include <QByteArray>
#include <QByteArrayView>

class ITimer;

// The value of the hexadecimal digits at the start of text (reading stops at
// the first other character; no digits read 0). A digit count of 2 reads the
// value as signed 8-bit, 4 as signed 16-bit; any other count leaves it
// unsigned. Values beyond the int range saturate.
int HexToSigned(QByteArrayView text, int digitCount);

// True for 0-9, A-F and a-f.
bool isHexDigit(char c);

// Replaces every character from startPosition up to the first CR LF that is
// not a hexadecimal digit by "0", in line itself. Returns line cut after the
// LF of its first CR LF (all of it when there is none).
QByteArray SanitizeHex(QByteArray& line, int startPosition);

// The text before the first CR LF (all of it when there is none).
QByteArray CutAtLineEnd(QByteArrayView text);

// The connection watchdog: armed for 3000 ms whatever interval the timer
// had before; disarming and arming again restarts the count.
constexpr int WatchdogIntervalMs = 3000;
void StartWatchdog(ITimer& timer);
void StopWatchdog(ITimer& timer);
