#include "link/SensorGreying.h"

#include "support/FakeDisplay.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <gtest/gtest.h>

TEST(SensorGreying, GivesEveryControlOfTheSensorItsDisabledLook)
{
    QWidget window;
    FakeGauge gauge;
    gauge.positionMin = -20;
    gauge.sectionCount = 3;
    auto* readout = new QLineEdit(QStringLiteral("12.5"), &window);
    auto* caption = new QLabel(QStringLiteral("Oil Quality"), &window);
    auto* show = new QCheckBox(&window);
    auto* name = new QLabel(QStringLiteral("Gearbox"), &window);
    show->setChecked(true);
    window.show();

    greyOutSensorControls(&gauge, readout, caption, show, name);

    EXPECT_EQ(gauge.positionMin, 0);
    EXPECT_EQ(gauge.sectionCount, 1);
    EXPECT_EQ(gauge.sectionColor[1], 0xFFFFFFu);
    EXPECT_EQ(gauge.scaleColor, 0xFFFFFFu);
    EXPECT_EQ(gauge.tickMajorColor, 0xC0C0C0u);
    EXPECT_EQ(gauge.tickMinorColor, 0xC0C0C0u);
    EXPECT_EQ(gauge.scaleLineColor, 0xC0C0C0u);
    EXPECT_FALSE(readout->isEnabled());
    EXPECT_TRUE(readout->text().isEmpty());
    EXPECT_FALSE(caption->isEnabled());
    EXPECT_FALSE(show->isChecked());
    EXPECT_FALSE(show->isEnabled());
    EXPECT_FALSE(name->isVisible());
}

TEST(SensorGreying, MissingControlsAreSkipped)
{
    FakeGauge gauge;
    greyOutSensorControls(&gauge, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(gauge.scaleColor, 0xFFFFFFu);
    greyOutSensorControls(nullptr, nullptr, nullptr, nullptr, nullptr);
}
