#include "display/GaugeSetup.h"

#include "core/Colours.h"
#include "display/MainControls.h"
#include "platform/ILinearGauge.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace GaugeSetup {

void applyLook(ILinearGauge& gauge, const GaugeLooks::Look& look)
{
    gauge.SetScaleColor(look.scaleColour);
    gauge.SetPointerStyle(look.pointerStyle);
    gauge.SetPositionMin(look.positionMin);
}

void applySections(ILinearGauge& gauge, const GaugeLooks::Sections& sections)
{
    if (sections.count > 0)
        gauge.SetSectionCount(sections.count);
    for (int e = 1; e <= sections.endsSet; ++e)
        gauge.SetSectionEnd(e, sections.ends[e - 1]);
    for (int c = 1; c <= sections.coloursSet; ++c)
        gauge.SetSectionColor(c, sections.colours[c - 1]);
}

void applyScale(ILinearGauge& gauge, const GaugeLooks::Scale& scale, bool withSections)
{
    gauge.SetPositionMax(scale.positionMax);
    gauge.SetTickMajorCount(scale.majorTicks);
    gauge.SetTickMinorCount(scale.minorTicks);
    if (withSections)
        applySections(gauge, scale.sections);
}

void setTickColours(ILinearGauge& gauge, uint32_t colour)
{
    gauge.SetTickMajorColor(colour);
    gauge.SetTickMinorColor(colour);
    gauge.SetScaleLineColor(colour);
}

void position(ILinearGauge* gauge, double value)
{
    if (!gauge)
        return;
    gauge->BeginUpdate();
    gauge->SetPosition(value);
    gauge->EndUpdate();
}

void greyOut(const SensorControls& sensor, bool resetFloor)
{
    if (ILinearGauge* gauge = sensor.gauge) {
        if (resetFloor)
            gauge->SetPositionMin(0);
        gauge->SetSectionCount(1);
        gauge->SetSectionColor(1, Colours::White);
        gauge->SetScaleColor(Colours::White);
        setTickColours(*gauge, Colours::Silver);
    }
    if (sensor.readout) {
        sensor.readout->setEnabled(false);
        sensor.readout->clear();
    }
    if (sensor.caption)
        sensor.caption->setEnabled(false);
    if (sensor.showBox) {
        sensor.showBox->setChecked(false);
        sensor.showBox->setEnabled(false);
    }
    if (sensor.name)
        sensor.name->setVisible(false);
    if (sensor.unit)
        sensor.unit->setVisible(false);
}

void showValue(MainControls& c, int value)
{
    const GaugeLooks::Look* look = GaugeLooks::forValue(value);
    if (!look)
        return;
    if (c.Frame3 && c.OptionDisplayGauge[value])
        c.Frame3->setTitle(c.OptionDisplayGauge[value]->text());
    const QString unit = QString::fromUtf8(look->unit);
    for (QLabel* label : c.gaugeUnit)
        if (label && label->text() != unit)
            label->setText(unit);
}

void showNoValue(MainControls& c, const QString& caption)
{
    if (c.Frame3)
        c.Frame3->setTitle(caption);
    for (QLabel* label : c.gaugeUnit)
        if (label)
            label->clear();
}

void greyOutSensor(MainControls& c, int index, bool resetFloor)
{
    if (index < 0 || index > 5)
        return;
    greyOut({c.iLinearGaugeX1[index], c.TextGauge[index], c.Label3[index], c.CheckShow[index + 1], c.Lbl_sname[index],
             c.gaugeUnit[index]},
            resetFloor);
}

} // namespace GaugeSetup
