#include "app/MainLayout.h"

#include <algorithm>
#include <cmath>

MainLayout::MainLayout()
{
    MainLayoutBoxes& b = boxes;
    using namespace GaugeColumns;
    b.SSTab1 = {60, 60, Frame3Width + 120, 9135};
    b.Frame1 = {b.SSTab1.left + b.SSTab1.width + 120, 120, 10485, 9045};
    b.Frame2 = {60, 9380, 18960, 1560};

    b.chart = {150, 400, 10215, 6765};
    b.Frame7 = {120, 7080, 7560, 840};
    b.Frame_relais = {120, 7920, 7560, 1000};
    b.Frame8 = {7800, 7920, 1320, 1000}; // up to Frame_x
    b.Frame_x = {9120, 7920, 1260, 1000};
    b.Image1 = {13680, 600, PictureWidth, 2400, false};
    b.Lbl_slogan = {13920, 4320, 3800, 400, false};

    b.Frame3 = {60, 0, Frame3Width, 8665};
    b.Frame4 = {135, b.Frame3.top + 2100, LabelWidth - 120, 1500};
    b.Frame5 = {Margin, 6995, PanelWidth, 490};
    b.Frame_LED = {Margin, 7485, PanelWidth, 1100};
    b.Label1 = {120, 6165, LabelWidth - 120, 450};
    for (int t = 0; t < 6; ++t) {
        b.gauge[t] = {left(t) + 20, 630, SensorWidth - 40, 6065};
        b.TextGauge[t] = {left(t) + 30, 6695, 630, 300};
        b.gaugeUnit[t] = {left(t) + 680, 6695, 240, 300};
    }
}

double MainLayout::normalMinimumWidth()
{
    // The panels are placed from the right edge; the chart frame reaches
    // farthest, and keeps the tab panel's margin on the left.
    const MainLayout design;
    return design.boxes.Frame1.left + design.boxes.Frame1.width + design.boxes.SSTab1.left;
}

double MainLayout::normalMinimumHeight()
{
    // The bottom strip sits under the taller of the tab panel and the chart
    // frame, with the tab panel's margin between.
    const MainLayout design;
    const MainLayoutBoxes& b = design.boxes;
    const double panels = std::max(b.SSTab1.top + b.SSTab1.height, b.Frame1.top + b.Frame1.height);
    return panels + b.SSTab1.top + b.Frame2.height + 10;
}

bool MainLayout::resize(WindowShowState state, double innerWidth, double innerHeight)
{
    if (state == WindowShowState::Maximized)
        layoutMaximized(innerWidth, innerHeight);
    else if (state == WindowShowState::Normal)
        layoutNormal(innerWidth, innerHeight);
    layoutEveryState();

    if (!chartEnlarged)
        return false;
    chartEnlarged = false;
    return true;
}

void MainLayout::layoutMaximized(double innerWidth, double innerHeight)
{
    MainLayoutBoxes& b = boxes;
    b.Frame2.top = innerHeight - b.Frame2.height - 10;
    b.Frame1.height = innerHeight - b.Frame1.top - 50;
    b.Frame1.width = innerWidth - b.Frame1.left - 100;
    b.Frame_relais.top = b.Frame1.height - b.Frame_relais.height - b.Frame2.height - 70;
    b.Frame_x.top = b.Frame_relais.top;
    b.Frame8.top = b.Frame_relais.top;
    b.Frame7.top = b.Frame1.height - b.Frame_relais.height - b.Frame7.height - b.Frame2.height - 200;
    b.chart.top = b.Frame1.top + 280;
    b.chart.height = b.Frame7.top - 300;
    b.chart.width = b.Frame1.width - 300;
    b.SSTab1.height = b.Frame2.top - 120;

    const double w = std::round(innerWidth - b.SSTab1.width - b.Frame7.width);
    if (w > PictureMinSpace) {
        b.Image1.left = (w - PictureWidth) / 2 + b.Frame7.width + 800;
        b.Image1.top = b.Frame7.top + 100;
        b.Image1.visible = true;
        b.Lbl_slogan.left = (w - PictureWidth) / 2 + b.Frame7.width + 200;
        b.Lbl_slogan.top = b.Frame1.height - 500;
        b.Lbl_slogan.visible = true;
    }
}

void MainLayout::layoutNormal(double innerWidth, double innerHeight)
{
    MainLayoutBoxes& b = boxes;
    b.Frame2.top = innerHeight - b.Frame2.height - 10;
    b.Frame1.top = 120;
    b.Frame1.height = 9045;
    b.Frame1.width = 10485;
    b.Frame7.top = 7080;
    b.Frame8.left = 7800;
    b.Frame_x.left = 9120;
    b.Frame_relais.top = 7920;
    b.Frame8.top = 7920;
    b.Frame_x.top = 7920;
    b.chart.top = 400;
    b.chart.height = 6765;
    b.chart.width = 10215;
    b.SSTab1.height = 9135;
    b.Image1.top = 600;
    b.Image1.left = 13680;
    b.Image1.visible = false;
    b.Lbl_slogan.top = 4320;
    b.Lbl_slogan.left = 13920;
    b.Lbl_slogan.visible = false;
    InitialScaleWidth = innerWidth;
    InitialScaleHeight = innerHeight;
}

void MainLayout::layoutEveryState()
{
    MainLayoutBoxes& b = boxes;
    b.Frame3.height = b.SSTab1.height - 470;
    b.Frame_LED.top = b.Frame3.height - 1180;
    b.Frame5.top = b.Frame3.height - 1670;
    b.Frame4.top = b.Frame3.top + 2100;
    b.Label1.top = b.Frame3.height - 2500;
    for (int t = 0; t < 6; ++t) {
        b.TextGauge[t].top = b.Frame3.height - 1970;
        b.gaugeUnit[t].top = b.TextGauge[t].top;
        b.gauge[t].height = b.Frame3.height - 2600;
    }
}
