#pragma once
// Puts the looks and scales of the one gauge table (core/GaugeLooks) onto
// the gauges, and gives an absent sensor's controls their disabled look.
#include "core/GaugeLooks.h"

#include <cstdint>

class ILinearGauge;
struct MainControls;
class QCheckBox;
class QLabel;
class QLineEdit;
class QString;

namespace GaugeSetup {

// The value's colour attribute, style attribute and scale floor.
void applyLook(ILinearGauge& gauge, const GaugeLooks::Look& look);
void applySections(ILinearGauge& gauge, const GaugeLooks::Sections& sections);
// The scale's end and tick counts, and its bands when withSections.
void applyScale(ILinearGauge& gauge, const GaugeLooks::Scale& scale, bool withSections = true);
// The three further colour attributes: ticks and scale line.
void setTickColours(ILinearGauge& gauge, uint32_t colour);
// Position between the gauge's pre-update and post-update calls.
void position(ILinearGauge* gauge, double value);

// The value shown on the gauges (1..5): its caption on the gauge frame
// (Frame3) and its unit beside every readout.
void showValue(MainControls& controls, int value);
// No value on the gauges: the frame's caption, and no units.
void showNoValue(MainControls& controls, const QString& caption);

// The disabled look of a sensor the evaluator does not have: a blank white
// gauge with grey ticks (and its floor at 0 when resetFloor), an empty
// disabled readout and caption, its chart check box cleared and disabled,
// its name and unit hidden. Null controls are skipped; nothing here is undone later.
// Clearing the check box emits its toggled signal, not clicked: a chart
// handler that must follow it has to listen to toggled.
struct SensorControls {
    ILinearGauge* gauge = nullptr;
    QLineEdit* readout = nullptr;  // TextGauge
    QLabel* caption = nullptr;     // Label3
    QCheckBox* showBox = nullptr;  // CheckShow
    QLabel* name = nullptr;        // Lbl_sname
    QLabel* unit = nullptr;        // the unit beside the readout
};
void greyOut(const SensorControls& sensor, bool resetFloor);
// The same for sensor index 0..5 of the main window.
void greyOutSensor(MainControls& controls, int index, bool resetFloor);

} // namespace GaugeSetup
