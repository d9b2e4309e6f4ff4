#pragma once
#include <QRect>
#include <cmath>

// A rectangle in twips (1/1440 inch), relative to the container it sits in.
struct TwipBox {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    bool visible = true;
};

// The one conversion between twips and pixels, at the screen's logical DPI.
class TwipScale {
public:
    explicit TwipScale(double logicalDpi = 96.0) : dpi_(logicalDpi > 0 ? logicalDpi : 96.0) {}

    double twipsPerPixel() const { return 1440.0 / dpi_; }
    int toPixels(double twips) const { return int(std::lround(twips / twipsPerPixel())); }
    double toTwips(int pixels) const { return pixels * twipsPerPixel(); }
    QRect toPixels(const TwipBox& box) const
    {
        return QRect(toPixels(box.left), toPixels(box.top), toPixels(box.width), toPixels(box.height));
    }

private:
    double dpi_;
};
