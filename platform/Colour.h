#pragma once
#include "core/Colours.h"

#include <QColor>
#include <cstdint>

// The program's 32-bit colours (core/Colours.h) as Qt colours and back;
// these two functions are the only place that converts them.
inline QColor toQColor(uint32_t bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

inline uint32_t fromQColor(const QColor& colour)
{
    return uint32_t(colour.red()) | (uint32_t(colour.green()) << 8) | (uint32_t(colour.blue()) << 16);
}
