#include "app/LayoutApplier.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

void LayoutApplier::applyFixed()
{
    for (const auto& [widget, box] : w_.fixedPlaces)
        placeDirect(widget, box);
}

void LayoutApplier::apply(const MainLayout& layout, double innerWidthTwips)
{
    const MainLayoutBoxes& b = layout.boxes;
    MainControls& c = w_.controls;

    placeMirrored(c.Frame1, b.Frame1, innerWidthTwips);
    placeMirrored(w_.Frame2, b.Frame2, innerWidthTwips);
    placeMirrored(w_.SSTab1, b.SSTab1, innerWidthTwips);

    const double frame1Width = b.Frame1.width;
    placeMirrored(w_.chartWidget, b.chart, frame1Width);
    placeMirrored(w_.Frame7, b.Frame7, frame1Width);
    placeMirrored(c.Frame_relais, b.Frame_relais, frame1Width);
    placeMirrored(w_.Frame8, b.Frame8, frame1Width);
    placeMirrored(c.Frame_x, b.Frame_x, frame1Width);
    placeMirrored(w_.Image1, b.Image1, frame1Width);
    placeMirrored(w_.Lbl_slogan, b.Lbl_slogan, frame1Width);
    if (w_.Image1)
        w_.Image1->setVisible(b.Image1.visible);
    if (w_.Lbl_slogan)
        w_.Lbl_slogan->setVisible(b.Lbl_slogan.visible);

    placeDirect(c.Frame3, b.Frame3);
    placeDirect(w_.Frame4, b.Frame4);
    placeDirect(w_.Frame5, b.Frame5);
    placeDirect(w_.Frame_LED, b.Frame_LED);
    placeDirect(w_.Label1, b.Label1);
    for (int t = 0; t < 6; ++t) {
        placeDirect(c.TextGauge[t], b.TextGauge[t]);
        placeDirect(c.gaugeUnit[t], b.gaugeUnit[t]);
        placeDirect(w_.gaugeWidget[t], b.gauge[t]);
    }
    // Panels laid over others stay on top.
    if (w_.Frame4)
        w_.Frame4->raise();
    if (w_.Frame7)
        w_.Frame7->raise();
    if (w_.Frame2)
        w_.Frame2->raise();
}

void LayoutApplier::placeMirrored(QWidget* widget, const TwipBox& box, double containerWidth)
{
    if (!widget)
        return;
    TwipBox mirrored = box;
    mirrored.left = containerWidth - box.left - box.width;
    placeDirect(widget, mirrored);
}

void LayoutApplier::placeDirect(QWidget* widget, const TwipBox& box)
{
    if (!widget)
        return;
    widget->setGeometry(scale_.toPixels(box));
}
