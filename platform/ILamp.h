#pragma once
#include <cstdint>

// An on/off lamp, lit in ActiveColor, unlit in InactiveColor.
class ILamp {
public:
    virtual ~ILamp() = default;
    virtual void SetActive(bool active) = 0;
    virtual bool Active() const = 0;
    virtual void SetActiveColor(uint32_t colour) = 0;
    virtual uint32_t ActiveColor() const = 0;
    virtual void SetInactiveColor(uint32_t colour) = 0;
    virtual uint32_t InactiveColor() const = 0;

    // Shown on the window or not.
    virtual void SetVisible(bool visible) = 0;
    virtual bool IsVisible() const = 0;
};
