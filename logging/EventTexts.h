#pragma once
#include <QString>

// The text of an event code as the event list shows it after the time stamp:
// per-sensor codes carry their sensor prefix and number ("Sensor 2 Ready").
// Returns a null string for a code outside 1..44.
QString eventText(int code, int sensor);
