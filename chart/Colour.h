#pragma once
#include "core/Colours.h"
#include "core/Contrast.h"

#include <QColor>
#include <QPalette>
#include <QWidget>
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

// Gives a widget's text a colour, drawn dark (or light) enough to read on
// the widget's background: the colour itself when it already reads well.
inline void setReadableTextColour(QWidget& widget, uint32_t colour)
{
    QPalette palette = widget.palette();
    const uint32_t background = fromQColor(palette.color(widget.backgroundRole()));
    palette.setColor(widget.foregroundRole(), toQColor(Contrast::readableOn(colour, background)));
    widget.setPalette(palette);
}
