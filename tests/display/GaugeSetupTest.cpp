#include "display/GaugeSetup.h"

#include "support/FakeDisplay.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>
#include <vector>

TEST(GaugeSetup, AbsentSensorGetsItsDisabledLook)
{
    QWidget window;
    FakeGauge gauge;
    gauge.positionMin = -20;
    gauge.sectionCount = 3;
    auto* readout = new QLineEdit("12.5", &window);
    auto* caption = new QLabel("Oil Quality", &window);
    auto* show = new QCheckBox(&window);
    auto* name = new QLabel("Gearbox", &window);
    show->setChecked(true);
    window.show();

    GaugeSetup::greyOut({&gauge, readout, caption, show, name}, true);

    EXPECT_EQ(gauge.positionMin, 0);
    EXPECT_EQ(gauge.sectionCount, 1);
    EXPECT_EQ(gauge.sectionColor[1], 0xFFFFFFu);
    EXPECT_EQ(gauge.scaleColor, 0xFFFFFFu);
    EXPECT_EQ((std::vector<uint32_t>{gauge.tickMajorColor, gauge.tickMinorColor, gauge.scaleLineColor}),
              std::vector<uint32_t>(3, 0xC0C0C0u));
    EXPECT_FALSE(readout->isEnabled());
    EXPECT_TRUE(readout->text().isEmpty());
    EXPECT_FALSE(caption->isEnabled());
    EXPECT_FALSE(show->isChecked() || show->isEnabled());
    EXPECT_FALSE(name->isVisible());

    GaugeSetup::greyOut({}, true); // missing controls are skipped
}
