#include "display/ControlsFixture.h"
#include "support/RecordingSinks.h"
#include "display/AlarmTracker.h"
#include "link/MeasurementState.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

struct AlarmTrackerTest : ::testing::Test {
    AlarmTrackerTest() { state.evaluatorConnected = true; }
    void status(int sensor, int bits) { state.value(sensor, Slot::StatusWord) = bits; }
    void sensorErrors(int sensor, int bits) { state.value(sensor, Slot::SensorErrorWord) = bits; }
    QStringList tick()
    {
        tracker.track();
        return sinks.take();
    }
    static QStringList sensorEvent(int code, int sensor, const char* suffix)
    {
        return RecordingSinks::event(code, sensor, QStringLiteral("Sensor %1").arg(sensor) + QLatin1String(suffix));
    }

    ControlsFixture f;
    MeasurementState state;
    RecordingSinks sinks;
    AlarmTracker tracker{f.c, state, &sinks, &sinks};
    QMetaObject::Connection opens = QObject::connect(
        &tracker, &AlarmTracker::alarmRelayOn, [this](int relay) { sinks.calls << QStringLiteral("open %1").arg(relay); });
};

TEST_F(AlarmTrackerTest, ReadyAndMainRelayRisingRecordInOrderThenOpenPopup)
{
    EXPECT_TRUE(tick().isEmpty());
    status(1, 0xA0);
    const QStringList expected = RecordingSinks::event(3, 0, QStringLiteral("Ready Relay ON !"))
                                 + RecordingSinks::event(5, 0, QStringLiteral("Alarm Relay 1 ON !"))
                                 + QStringList{QStringLiteral("open 1")};
    EXPECT_EQ(tick(), expected);
    EXPECT_TRUE(f.ledRdy.active);
    EXPECT_TRUE(f.ledAlarm.active);
    EXPECT_FALSE(f.ledPrealarm.active);
    EXPECT_TRUE(tick().isEmpty());

    status(1, 0x40);
    EXPECT_EQ(tick(), RecordingSinks::event(4, 0, QStringLiteral("Ready Relay OFF !"))
                          + RecordingSinks::event(6, 0, QStringLiteral("Alarm Relay 1 OFF !"))
                          + RecordingSinks::event(7, 0, QStringLiteral("Alarm Relay 2 ON !"))
                          + QStringList{QStringLiteral("open 2")});
    EXPECT_FALSE(f.ledAlarm.active);
    EXPECT_TRUE(f.ledPrealarm.active);
}

TEST_F(AlarmTrackerTest, RelayBitsComeFromSensorOneOnly)
{
    status(2, 0xE0);
    EXPECT_TRUE(tick().isEmpty());
    EXPECT_FALSE(f.ledAlarm.active);
}

TEST_F(AlarmTrackerTest, ReadyChangesWhileDisconnectedAreSilentButRemembered)
{
    state.evaluatorConnected = false;
    status(1, 0x20);
    status(4, 0x001);
    EXPECT_TRUE(tick().isEmpty());
    EXPECT_TRUE(f.ledRdy.active);
    EXPECT_TRUE(f.sledRdy[3].active);

    state.evaluatorConnected = true;
    EXPECT_TRUE(tick().isEmpty()); // no late ON events

    state.evaluatorConnected = false;
    status(1, 0);
    status(4, 0);
    EXPECT_TRUE(tick().isEmpty());
    EXPECT_FALSE(f.sledRdy[3].active);
    state.evaluatorConnected = true;
    EXPECT_TRUE(tick().isEmpty()); // and no late ERROR event
}

TEST_F(AlarmTrackerTest, SensorReadyEventsCarryTheSensorNumber)
{
    status(6, 0x001);
    EXPECT_EQ(tick(), sensorEvent(9, 6, " Ready !"));
    status(6, 0);
    EXPECT_EQ(tick(), sensorEvent(10, 6, " ERROR !"));
}

TEST_F(AlarmTrackerTest, OilPreAlarmHeldWhileMainAlarmTakesOver)
{
    status(3, 0x200);
    EXPECT_EQ(tick(), sensorEvent(11, 3, " Oil quality Prealarm ON !"));
    EXPECT_TRUE(f.oledPalm[2].active);

    status(3, 0x100);
    EXPECT_EQ(tick(), sensorEvent(13, 3, " Oil quality Mainalarm ON !"));
    EXPECT_TRUE(f.oledPalm[2].active);
    EXPECT_TRUE(f.oledMalm[2].active);

    status(3, 0);
    EXPECT_EQ(tick(), sensorEvent(12, 3, " Oil quality Prealarm OFF !")
                          + sensorEvent(14, 3, " Oil quality Mainalarm OFF !"));
    EXPECT_FALSE(f.oledPalm[2].active);
    EXPECT_FALSE(f.oledMalm[2].active);
}

TEST_F(AlarmTrackerTest, MainAlarmAloneDoesNotLightHeldPreAlarmLamp)
{
    status(2, 0x400);
    EXPECT_EQ(tick(), sensorEvent(17, 2, " Temperature Mainalarm ON !"));
    EXPECT_FALSE(f.tledPalm[1].active);
    EXPECT_TRUE(f.tledMalm[1].active);
    status(2, 0xC00);
    EXPECT_EQ(tick(), sensorEvent(15, 2, " Temperature Prealarm ON !"));
    status(2, 0);
    EXPECT_EQ(tick(), sensorEvent(16, 2, " Temperature Prealarm OFF !")
                          + sensorEvent(18, 2, " Temperature Mainalarm OFF !"));
}

TEST_F(AlarmTrackerTest, SensorErrorRecordedOncePerAppearanceAndEndsSilently)
{
    sensorErrors(5, 0x080);
    EXPECT_EQ(tick(), sensorEvent(29, 5, " Error TEMPERATURE HIGH !"));
    EXPECT_TRUE(tick().isEmpty());
    EXPECT_TRUE(tick().isEmpty());
    sensorErrors(5, 0);
    EXPECT_TRUE(tick().isEmpty());
    sensorErrors(5, 0x080);
    EXPECT_EQ(tick(), sensorEvent(29, 5, " Error TEMPERATURE HIGH !"));

    sensorErrors(5, 0x080 | 0x040 | 0x100 | 0x200 | 0x400);
    EXPECT_EQ(tick(), sensorEvent(30, 5, " Error TEMPERATURE LOW !")
                          + sensorEvent(31, 5, " Error CPU TEMPERATURE HIGH !")
                          + sensorEvent(32, 5, " Error CPU TEMPERATURE LOW !")
                          + sensorEvent(33, 5, " POWERUP BUSY !"));
}

TEST_F(AlarmTrackerTest, EvaluatorErrorsFromSensorOneInFixedOrder)
{
    state.value(2, Slot::EvaluatorErrorWord) = 0x107;
    EXPECT_TRUE(tick().isEmpty());
    state.value(1, Slot::EvaluatorErrorWord) = 0x107;
    EXPECT_EQ(tick(), RecordingSinks::event(19, 0, QStringLiteral("EvaError no sensor detected !"))
                          + RecordingSinks::event(20, 0, QStringLiteral("EvaError clock !"))
                          + RecordingSinks::event(21, 0, QStringLiteral("EvaError LOG EEPROM !"))
                          + RecordingSinks::event(22, 0, QStringLiteral("EvaError CPU EEPROM !")));
    state.value(1, Slot::EvaluatorErrorWord) = 0x002;
    EXPECT_TRUE(tick().isEmpty());
    state.value(1, Slot::EvaluatorErrorWord) = 0x003;
    EXPECT_EQ(tick(), RecordingSinks::event(19, 0, QStringLiteral("EvaError no sensor detected !")));
}

TEST_F(AlarmTrackerTest, ClearedTableEndsEverythingButReadyChangesWhenDisconnected)
{
    status(1, 0xE0 | 0x201);
    tick();
    // The watchdog clears the table together with the connection flag.
    state = MeasurementState();
    EXPECT_EQ(tick(), RecordingSinks::event(6, 0, QStringLiteral("Alarm Relay 1 OFF !"))
                          + RecordingSinks::event(8, 0, QStringLiteral("Alarm Relay 2 OFF !"))
                          + sensorEvent(12, 1, " Oil quality Prealarm OFF !"));
}

TEST_F(AlarmTrackerTest, UnreadableStatusCountsAsNoBits)
{
    status(1, 0x80);
    tick();
    state.value(1, Slot::StatusWord) = std::nan("");
    EXPECT_EQ(tick(), RecordingSinks::event(6, 0, QStringLiteral("Alarm Relay 1 OFF !")));
    state.value(1, Slot::StatusWord) = 1e300;
    EXPECT_TRUE(tick().isEmpty());
}

TEST_F(AlarmTrackerTest, MissingLampsAndSinksAreSkipped)
{
    MainControls empty;
    AlarmTracker bare(empty, state, nullptr, nullptr, nullptr);
    status(1, 0xE0);
    status(2, 0xF01);
    sensorErrors(2, 0x7C0);
    state.value(1, Slot::EvaluatorErrorWord) = 0x107;
    bare.track();
    EXPECT_TRUE(bare.alarmRelay1On);
    EXPECT_TRUE(bare.oilPreAlarmOn[2]);
    EXPECT_TRUE(bare.powerUpBusyOn[2]);
    EXPECT_TRUE(bare.evaCpuEepromErrorOn);
}

} // namespace
