#include "link/FrmVersion.h"

#include "DecoderFakes.h"
#include "link/MeasurementState.h"
#include "link/RecordDecoder.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

ParameterInfo knownSystem()
{
    ParameterInfo info;
    info.modelCode = QStringLiteral("07K31");
    info.versionText = QStringLiteral("V1.03 2026-01");
    info.serialNumber = QStringLiteral("SN-00042");
    info.sensorCount = 4;
    info.mainAlarmLevel = 800;
    info.preAlarmLevel = 500;
    info.tempAlarmLevel = 850;
    info.tempPreAlarmLevel = 750;
    info.mainAlarmLevel2 = 0;
    info.alarm2Sensor = 3;
    info.tempAlarmLevel2 = 900;
    info.tempPreAlarmLevel2 = -5;
    info.mainAlarmLevelHigh = 1300;
    info.preAlarmLevelHigh = 0;
    info.preAlarmLevel2 = 0;
    return info;
}

} // namespace

TEST(FrmVersion, KnownSystemShowsRedCaptionAndEveryValue)
{
    FrmVersion window(knownSystem());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Evaluator Parameter Info"));
    EXPECT_EQ(window.LblVersion->text(), QStringLiteral("Dravik VELTRA System connected"));
    EXPECT_EQ(window.LblVersion->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(window.LblVersion->font().pointSize(), 16);
    EXPECT_EQ(window.LblVersion2->text(), QStringLiteral("V1.03 2026-01"));
    EXPECT_EQ(window.Lbl_ID->text(), QStringLiteral("ID: 07K31"));
    EXPECT_EQ(window.Lbl_snr->text(), QStringLiteral("Serial No.: SN-00042"));
    EXPECT_EQ(window.Txt_eva_nrsens->text(), QStringLiteral("4"));
    EXPECT_EQ(window.Txt_almlevel->text(), QStringLiteral("800"));
    EXPECT_EQ(window.Txt_prealarmlevel->text(), QStringLiteral("500"));
    EXPECT_EQ(window.Txt_talmlevel->text(), QStringLiteral("850"));
    EXPECT_EQ(window.Txt_talmplevel->text(), QStringLiteral("750"));
    EXPECT_EQ(window.Txt_alm2sensor->text(), QStringLiteral("3"));
    EXPECT_EQ(window.Txt_talmlevel2->text(), QStringLiteral("900"));
    EXPECT_EQ(window.Txt_talmplevel2->text(), QStringLiteral("-5"));
    EXPECT_TRUE(window.Txt_almlevel->isReadOnly());
}

TEST(FrmVersion, OffValuesShowOffAndNeighbouringValuesShowNumbers)
{
    ParameterInfo info = knownSystem();
    FrmVersion off(info);
    EXPECT_EQ(off.Txt_almlevel_h->text(), QStringLiteral("OFF"));
    EXPECT_EQ(off.Txt_prealarmlevel_h->text(), QStringLiteral("OFF"));
    EXPECT_EQ(off.Txt_malarmlevel2->text(), QStringLiteral("OFF"));
    EXPECT_EQ(off.Txt_prealarmlevel2->text(), QStringLiteral("OFF"));

    info.mainAlarmLevelHigh = 1299;
    info.preAlarmLevelHigh = 1;
    info.mainAlarmLevel2 = 1300;
    info.preAlarmLevel2 = 7;
    FrmVersion on(info);
    EXPECT_EQ(on.Txt_almlevel_h->text(), QStringLiteral("1299"));
    EXPECT_EQ(on.Txt_prealarmlevel_h->text(), QStringLiteral("1"));
    EXPECT_EQ(on.Txt_malarmlevel2->text(), QStringLiteral("1300"));
    EXPECT_EQ(on.Txt_prealarmlevel2->text(), QStringLiteral("7"));
}

TEST(FrmVersion, OtherOrMissingModelCodeIsAnUnknownSystemInBlue)
{
    for (const QString& code : {QString(), QStringLiteral("07k31"), QStringLiteral("07K3")}) {
        ParameterInfo info;
        info.modelCode = code;
        FrmVersion window(info);
        EXPECT_EQ(window.LblVersion->text(), QStringLiteral("Unknown System connected"));
        EXPECT_EQ(window.LblVersion->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        EXPECT_EQ(window.LblVersion->font().pointSize(), 16);
    }
}

TEST(FrmVersion, OkClosesAccepted)
{
    FrmVersion window(knownSystem());
    window.show();
    window.CmdOk->click();
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_FALSE(window.isVisible());
}

TEST(FrmVersion, EveryValueBoxHasAnAccessibleName)
{
    FrmVersion window(knownSystem());
    const auto boxes = window.findChildren<QLineEdit*>();
    EXPECT_EQ(boxes.size(), 12);
    for (const QLineEdit* box : boxes)
        EXPECT_FALSE(box->accessibleName().isEmpty()) << box->objectName().toStdString();
}

TEST(FrmVersion, ShortRecordShowsHighLevelsOfThePreviousRecord)
{
    MeasurementState state;
    RecordingDecoderView view;
    RecordingDataLineSink sink;
    RecordDecoder decoder(state, view, sink);
    QByteArray full = ":8107K31V1.03 2026-01unread#unread#xxSN-00042"
                      "02" "0320" "01F4" "0352" "02EE" "0000" "0003" "0384" "0352"
                      "0513" "0001" "00C8\r\n";
    QByteArray older = full.left(79) + "\r\n";
    decoder.decodeLine(full);
    decoder.decodeLine(older);

    FrmVersion window(state.parameterInfo);
    EXPECT_EQ(window.Txt_almlevel_h->text(), QStringLiteral("1299"));
    EXPECT_EQ(window.Txt_prealarmlevel_h->text(), QStringLiteral("1"));
    EXPECT_EQ(window.Txt_prealarmlevel2->text(), QStringLiteral("200"));
}
