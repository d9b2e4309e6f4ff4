#pragma once
#include <QSize>

// The screen the main window opens on.
class IScreen {
public:
    virtual ~IScreen() = default;
    // The usable area in pixels (without panels the desktop keeps).
    virtual QSize availableSizePx() const = 0;
    // Logical dots per inch, for the layout's twips.
    virtual double logicalDpi() const = 0;
};
