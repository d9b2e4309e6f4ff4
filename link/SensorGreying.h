#pragma once
class ILinearGauge;
class QCheckBox;
class QLabel;
class QLineEdit;

// The disabled look of a sensor the evaluator does not have: a blank white
// gauge with grey ticks, an empty disabled readout and caption, its chart
// check box cleared and disabled, its name hidden. Null controls are
// skipped. Nothing here is undone later.
// Clearing the check box emits its toggled signal, not clicked: a chart
// handler that must follow it has to listen to toggled.
void greyOutSensorControls(ILinearGauge* gauge, QLineEdit* TextGauge, QLabel* Label3,
                           QCheckBox* CheckShow, QLabel* Lbl_sname);
