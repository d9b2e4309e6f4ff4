#pragma once
#include "app/LayoutUnits.h"

// The columns of the gauge panel, inside Frame3 (twips): a label column on
// the left, wide enough for the option captions, then one column per sensor.
namespace GaugeColumns {
constexpr double Margin = 75;
constexpr double LabelWidth = 2550;
constexpr double SensorWidth = 930;
// Left of sensor column t (0..5) inside Frame3, and inside the panels that
// start at Frame3's margin (Frame5, Frame_LED).
constexpr double left(int t) { return Margin + LabelWidth + t * SensorWidth; }
constexpr double leftInPanel(int t) { return LabelWidth + t * SensorWidth; }
constexpr double PanelWidth = LabelWidth + 6 * SensorWidth;
constexpr double Frame3Width = 2 * Margin + PanelWidth;
} // namespace GaugeColumns

// Window states the layout distinguishes.
enum class WindowShowState { Normal, Maximized, Minimized };

// The twip boxes of the panels that the layout moves. Each box is relative
// to its container: Frame1, Frame2 and SSTab1 to the window's client area;
// the chart, Frame7, Frame8, Frame_x, Frame_relais, Image1 and Lbl_slogan
// to Frame1; Frame3 and Frame4 to SSTab1's page; the gauges, their readouts,
// Frame5, Frame_LED and Label1 to Frame3.
struct MainLayoutBoxes {
    TwipBox Frame1, Frame2, Frame7, Frame8, Frame_x, Frame_relais;
    TwipBox SSTab1, Frame3, Frame4, Frame5, Frame_LED, Label1;
    TwipBox Image1, Lbl_slogan;
    TwipBox chart;
    TwipBox TextGauge[6];
    TwipBox gaugeUnit[6]; // the unit beside each readout
    TwipBox gauge[6];
};

// Lays the main window's panels out again on every size change. Holds the
// design-time boxes, the window's starting size and the enlarged-chart flag.
class MainLayout {
public:
    MainLayout();

    // Runs the rules for the given state and client size (twips). Returns
    // true when it ended an enlarged chart view (the caller then resets the
    // zoom button's caption).
    bool resize(WindowShowState state, double innerWidth, double innerHeight);

    MainLayoutBoxes boxes;
    double InitialScaleWidth = 0;
    double InitialScaleHeight = 0;
    bool chartEnlarged = false;

    // The smallest client area in which a normal window's panels all fit
    // at their design places (twips).
    static double normalMinimumWidth();
    static double normalMinimumHeight();

    // Smallest w (space beside the chart's value frame) that shows the
    // picture and slogan of a maximized window.
    static constexpr double PictureMinSpace = 4600;
    static constexpr double PictureWidth = 4215;

private:
    void layoutMaximized(double innerWidth, double innerHeight);
    void layoutNormal(double innerWidth, double innerHeight);
    void layoutEveryState();
};
