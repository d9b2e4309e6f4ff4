#pragma once
#include <cstdint>

// A vertical linear gauge: a scale from PositionMin to PositionMax with
// ticks, up to five coloured sections and a pointer at Position.
// Colours are 32-bit values with red in the low byte.
class ILinearGauge {
public:
    virtual ~ILinearGauge() = default;

    virtual void SetPositionMin(double v) = 0;
    virtual double PositionMin() const = 0;
    virtual void SetPositionMax(double v) = 0;
    virtual double PositionMax() const = 0;
    virtual void SetPosition(double v) = 0;
    virtual double Position() const = 0;

    virtual void SetTickMajorCount(int n) = 0;
    virtual int TickMajorCount() const = 0;
    virtual void SetTickMinorCount(int n) = 0;
    virtual int TickMinorCount() const = 0;

    // Sections: count 1..5; section i runs from end i-1 (the scale minimum
    // for the first) to end i, the last one to PositionMax.
    virtual void SetSectionCount(int n) = 0;
    virtual int SectionCount() const = 0;
    virtual void SetSectionEnd(int index /*1..4*/, double v) = 0;
    virtual double SectionEnd(int index) const = 0;
    virtual void SetSectionColor(int index /*1..5*/, uint32_t colour) = 0;
    virtual uint32_t SectionColor(int index) const = 0;

    // The colour attribute: colour of the scale labels.
    virtual void SetScaleColor(uint32_t colour) = 0;
    virtual uint32_t ScaleColor() const = 0;
    // The style attribute: 0 a triangular pointer, 3 a filled bar from the
    // scale minimum (thermometer look); other values draw the triangle.
    virtual void SetPointerStyle(int style) = 0;
    virtual int PointerStyle() const = 0;
    // The three further colour attributes: major ticks, minor ticks and the
    // scale line.
    virtual void SetTickMajorColor(uint32_t colour) = 0;
    virtual void SetTickMinorColor(uint32_t colour) = 0;
    virtual void SetScaleLineColor(uint32_t colour) = 0;
    virtual uint32_t TickMajorColor() const = 0;
    virtual uint32_t TickMinorColor() const = 0;
    virtual uint32_t ScaleLineColor() const = 0;

    // Indexed colour query; index 0 is the pointer colour.
    virtual void SetPointerColor(uint32_t colour) = 0;
    virtual uint32_t PointerColor(int index) const = 0;

    // Shown on the window or not.
    virtual void SetVisible(bool visible) = 0;
    virtual bool IsVisible() const = 0;

    // Calls between BeginUpdate and EndUpdate are shown in one repaint.
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
};
