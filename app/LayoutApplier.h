#pragma once
#include "app/LayoutUnits.h"
#include "app/MainLayout.h"
#include "app/MainWidgets.h"

// Moves the widgets to the layout's twip boxes, converting with one
// TwipScale. The window's panels and the panels inside the chart frame are
// placed measured from their container's right edge, so the chart sits on
// the left and the gauge panel on the right while the layout rules keep
// their left-to-right numbers.
class LayoutApplier {
public:
    LayoutApplier(MainWidgets& widgets, const TwipScale& scale) : w_(widgets), scale_(scale) {}

    // Places the widgets that never move (once, after building).
    void applyFixed();
    // Places the panels the layout rules move.
    void apply(const MainLayout& layout, double innerWidthTwips);

private:
    void placeMirrored(QWidget* widget, const TwipBox& box, double containerWidth);
    void placeDirect(QWidget* widget, const TwipBox& box);

    MainWidgets& w_;
    TwipScale scale_;
};
