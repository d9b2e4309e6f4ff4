#include "link/FrmVersion.h"
#include "chart/Colour.h"

#include "link/MeasurementState.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

ParameterInfo knownSystem()
{
    ParameterInfo info;
    info.modelCode = "07K31";
    info.versionText = "V1.03 2026-01";
    info.serialNumber = "SN-00042";
    info.sensorCount = 4;
    info.mainAlarmLevel = 800;
    info.alarm2Sensor = 3;
    info.tempPreAlarmLevel2 = -5;
    info.mainAlarmLevelHigh = 1300;
    return info;
}

QStringList texts(std::initializer_list<QLineEdit*> boxes)
{
    QStringList list;
    for (QLineEdit* box : boxes)
        list << box->text();
    return list;
}

} // namespace

TEST(FrmVersion, KnownSystemShowsRedCaptionAndEveryValue)
{
    FrmVersion w(knownSystem());
    EXPECT_EQ(w.windowTitle(), "Evaluator Parameter Info");
    EXPECT_EQ(w.LblVersion->text(), "Dravik VELTRA System connected");
    // Red, as dark as the window's ground needs.
    const QColor caption = w.LblVersion->palette().color(QPalette::WindowText);
    EXPECT_TRUE(caption.red() > 150 && caption.green() == 0 && caption.blue() == 0) << caption.name().toStdString();
    EXPECT_GE(Contrast::ratio(fromQColor(caption), fromQColor(w.LblVersion->palette().color(QPalette::Window))),
              Contrast::Readable);
    EXPECT_EQ(w.LblVersion->font().pointSize(), 16);
    EXPECT_EQ(w.LblVersion2->text(), "V1.03 2026-01");
    EXPECT_EQ(w.Lbl_ID->text(), "ID: 07K31");
    EXPECT_EQ(w.Lbl_snr->text(), "Serial No.: SN-00042");
    EXPECT_EQ(texts({w.Txt_eva_nrsens, w.Txt_almlevel, w.Txt_alm2sensor, w.Txt_talmplevel2}),
              (QStringList{"4", "800", "3", "-5"}));
}

TEST(FrmVersion, OffValuesShowOffAndTheirNeighboursShowNumbers)
{
    ParameterInfo info = knownSystem();
    FrmVersion off(info);
    EXPECT_EQ(texts({off.Txt_almlevel_h, off.Txt_prealarmlevel_h, off.Txt_malarmlevel2, off.Txt_prealarmlevel2}),
              (QStringList{"OFF", "OFF", "OFF", "OFF"}));

    info.mainAlarmLevelHigh = 1299;
    info.preAlarmLevelHigh = 1;
    info.mainAlarmLevel2 = 1300;
    info.preAlarmLevel2 = 7;
    FrmVersion on(info);
    EXPECT_EQ(texts({on.Txt_almlevel_h, on.Txt_prealarmlevel_h, on.Txt_malarmlevel2, on.Txt_prealarmlevel2}),
              (QStringList{"1299", "1", "1300", "7"}));
}

TEST(FrmVersion, OtherOrMissingModelCodeIsAnUnknownSystemInBlue)
{
    for (const char* code : {"", "07k31", "07K3"}) {
        ParameterInfo info;
        info.modelCode = code;
        FrmVersion w(info);
        EXPECT_EQ(w.LblVersion->text(), "Unknown System connected");
        EXPECT_EQ(w.LblVersion->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    }
}

TEST(FrmVersion, OkClosesAndEveryValueBoxIsReadOnlyWithAnAccessibleName)
{
    FrmVersion w(knownSystem());
    const auto boxes = w.findChildren<QLineEdit*>();
    EXPECT_EQ(boxes.size(), 12);
    for (const QLineEdit* box : boxes) {
        EXPECT_TRUE(box->isReadOnly());
        EXPECT_FALSE(box->accessibleName().isEmpty()) << box->objectName().toStdString();
    }
    w.show();
    w.CmdOk->click();
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_FALSE(w.isVisible());
}
