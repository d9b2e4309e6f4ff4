#include "link/SensorGreying.h"

#include "platform/Colour.h"
#include "platform/ILinearGauge.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

void greyOutSensorControls(ILinearGauge* gauge, QLineEdit* TextGauge, QLabel* Label3,
                           QCheckBox* CheckShow, QLabel* Lbl_sname)
{
    if (gauge) {
        gauge->SetPositionMin(0);
        gauge->SetSectionColor(1, Colours::White);
        gauge->SetScaleColor(Colours::White);
        gauge->SetTickMajorColor(Colours::Silver);
        gauge->SetTickMinorColor(Colours::Silver);
        gauge->SetScaleLineColor(Colours::Silver);
        gauge->SetSectionCount(1);
    }
    if (TextGauge) {
        TextGauge->setEnabled(false);
        TextGauge->clear();
    }
    if (Label3)
        Label3->setEnabled(false);
    if (CheckShow) {
        CheckShow->setChecked(false);
        CheckShow->setEnabled(false);
    }
    if (Lbl_sname)
        Lbl_sname->setVisible(false);
}
