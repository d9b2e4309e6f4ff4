#include "link/LineReceiver.h"
#include "link/StateUpdater.h"

#include "support/Fakes.h"
#include "support/RecordingSinks.h"

#include <gtest/gtest.h>

namespace {

class LineReceiverTest : public ::testing::Test {
protected:
    LineReceiverTest()
    {
        QObject::connect(&receiver, &LineReceiver::lineReceived, [this](const QByteArray& line) {
            trace.calls.push_back(QStringLiteral("line ") + QString::fromLatin1(line));
        });
        QObject::connect(&receiver, &LineReceiver::statusTextChanged, [this](const QString& s) { statusShown << s; });
        // As the main window connects it: a discarded line is a bad line.
        QObject::connect(&receiver, &LineReceiver::overlongLineDiscarded, &updater, &StateUpdater::countBadLine);
    }

    QStringList lines() const { return trace.calls.filter(QStringLiteral("line ")); }

    FakeSerialPort port;
    FakeTimer watchdog;
    MeasurementState state;
    ConfigValues config;
    RecordingSinks trace;
    FakeLamp alarm, preAlarm, ready;
    QStringList statusShown;
    LineReceiver receiver{port, watchdog, state, config, trace, trace, ReceiverLamps{&alarm, &preAlarm, &ready}};
    StateUpdater updater{state};
};

const QByteArray Sensor1 = QByteArrayLiteral(":001E0226001900C800EB0021000000000000");

TEST_F(LineReceiverTest, LineSplitOverTwoChunksIsHandedOnOnceAfterTheSecond)
{
    port.feed(Sensor1.left(10));
    EXPECT_TRUE(lines().isEmpty());
    port.feed(Sensor1.mid(10) + "\r\n");
    EXPECT_EQ(lines(), QStringList{QStringLiteral("line ") + QString::fromLatin1(Sensor1) + "\r\n"});
}

TEST_F(LineReceiverTest, TwoLinesInOneChunkComeInOrderAndTheConnectedReportFollowsOnce)
{
    port.feed(":0101\r\n:0202\r\n");
    port.feed(":0303\r\n");
    const QString connected = QStringLiteral("Evaluator connected at Main_Engine !");
    EXPECT_EQ(trace.calls, (QStringList{"line :0101\r\n", "line :0202\r\n", "event 43/0", "info " + connected,
                                          "evt " + connected, "line :0303\r\n"}));
    EXPECT_TRUE(state.evaluatorConnected);
}

TEST_F(LineReceiverTest, FramingRulesKeepOnlyTheTextFromTheLastColon)
{
    // Garbage before ":" is dropped; a second ":" throws the partial line
    // away; LF alone or LF outside a line completes nothing; a character
    // between CR and LF is kept.
    port.feed("xx\n\r\n:00AB:80first\nsecond\rX\n");
    port.feed("\n:81\r\r\n");
    EXPECT_EQ(lines(), (QStringList{"line :80firstsecondX\r\n", "line :81\r\n"}));
}

TEST_F(LineReceiverTest, ChunkWithoutLineReportsConnectionButLeavesWatchdogAlone)
{
    port.feed("noise");
    EXPECT_TRUE(state.evaluatorConnected);
    EXPECT_EQ(trace.calls.first(), QStringLiteral("event 43/0"));
    EXPECT_FALSE(watchdog.isEnabled());
}

TEST_F(LineReceiverTest, EveryCompleteLineRestartsTheWatchdogAt3000ms)
{
    watchdog.setInterval(100);
    port.feed(":00");
    const int before = watchdog.restarts;
    port.feed("\r\n");
    EXPECT_TRUE(watchdog.isEnabled());
    EXPECT_EQ(watchdog.interval(), 3000);
    EXPECT_EQ(watchdog.restarts - before, 2); // stopped, then started: the count begins again
}

TEST_F(LineReceiverTest, SilentEvaluatorIsReportedOnceWithTableClearedAndLampsOut)
{
    port.feed(Sensor1 + "\r\n");
    for (int sensor = 1; sensor <= 6; ++sensor)
        for (int slot = 1; slot <= 10; ++slot)
            state.value(sensor, slot) = 7;
    alarm.active = preAlarm.active = ready.active = true;
    trace.calls.clear();

    ASSERT_TRUE(watchdog.fire());
    const QString lost = QStringLiteral("Evaluator not connected at Main_Engine !");
    EXPECT_EQ(trace.calls, (QStringList{"event 44/0", "info " + lost, "evt " + lost}));
    EXPECT_FALSE(state.evaluatorConnected);
    for (int sensor = 1; sensor <= 6; ++sensor) {
        for (int slot = 1; slot <= 9; ++slot)
            EXPECT_EQ(state.value(sensor, slot), 0) << sensor << "/" << slot;
        EXPECT_EQ(state.value(sensor, Slot::Spare), 7);
    }
    EXPECT_FALSE(alarm.active || preAlarm.active || ready.active);
    EXPECT_FALSE(watchdog.fire()) << "fires once per loss";

    port.feed(Sensor1 + "\r\n");
    EXPECT_TRUE(state.evaluatorConnected);
    EXPECT_TRUE(trace.calls.contains(QStringLiteral("event 43/0")));
    EXPECT_TRUE(watchdog.isEnabled());
}

TEST_F(LineReceiverTest, ConnectionTextsUseTheInstallationNameOfTheMoment)
{
    config.INSTALLATION = QStringLiteral("Aux");
    port.feed(":");
    EXPECT_TRUE(trace.calls.contains(QStringLiteral("info Evaluator connected at Aux !")));
}

TEST_F(LineReceiverTest, StatusTextFollowsEachEventAndResetsOnTheNext)
{
    port.raise(1004);
    port.raise(1005);
    port.feed(":");
    port.raise(1);
    port.raise(3);
    port.raise(ISerialPort::PortLostEvent);
    EXPECT_EQ(statusShown, (QStringList{"Frame Error", "Unknown Event", "no error", "no error", "no error",
                                        "Port lost"}));
    EXPECT_EQ(receiver.lineStateText(), QStringLiteral("CTS changed"));
}

TEST(LineReceiverStatusTexts, LineErrorsAndLineStatesHaveTheirOwnTexts)
{
    const std::pair<int, const char*> status[] = {
        {1001, "Break received"},   {1002, "CTS-Timeout"},    {1003, "DSR-Timeout"},
        {1004, "Frame Error"},      {1006, "Overflow Error"}, {1007, "CD-Timeout"},
        {1008, "Receive Buffer overflow"}, {1009, "Parity Error"}, {1010, "Transmit Buffer full"},
        {1011, "DCB-Error"},        {1005, "Unknown Event"},  {0, "Unknown Event"},
        {7, "no error"}};
    for (const auto& [code, text] : status)
        EXPECT_EQ(LineReceiver::statusTextFor(code), QString::fromLatin1(text)) << code;
    const char* states[] = {"CTS changed", "DSR changed", "CD changed", "Ringing", "EOF recognized"};
    for (int code = 3; code <= 7; ++code)
        EXPECT_EQ(LineReceiver::lineStateTextFor(code), QString::fromLatin1(states[code - 3]));
    EXPECT_TRUE(LineReceiver::lineStateTextFor(1004).isEmpty());
}

TEST_F(LineReceiverTest, LineErrorKeepsThePartialLine)
{
    port.feed(":00AB");
    port.raise(1009);
    port.feed("CD\r\n");
    EXPECT_EQ(lines(), QStringList{"line :00ABCD\r\n"});
}

TEST_F(LineReceiverTest, EndlessLineIsDiscardedAsBadLineAndReceptionWaitsForNextColon)
{
    int shown = 0;
    QObject::connect(&updater, &StateUpdater::badLineCounted, [&] { ++shown; });
    QByteArray endless(":");
    endless += QByteArray(100000, '0');
    port.feed(endless);
    EXPECT_EQ(state.badLineCount, 1);
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(receiver.inLine());
    port.feed("00\r\n" + Sensor1 + "\r\n");
    EXPECT_EQ(lines(), QStringList{"line " + QString::fromLatin1(Sensor1) + "\r\n"});
}

TEST_F(LineReceiverTest, LineOfExactlyTheLimitIsStillHandedOn)
{
    QByteArray longest(":");
    longest += QByteArray(LineReceiver::MaxLineLength - 1, 'A');
    port.feed(longest + "\r\n");
    ASSERT_EQ(lines().size(), 1);
    EXPECT_EQ(lines().first().size(), 5 + LineReceiver::MaxLineLength + 2);
    EXPECT_EQ(state.badLineCount, 0);
}

TEST_F(LineReceiverTest, BadLineCountStaysWithin20000)
{
    state.badLineCount = 20000;
    port.feed(":" + QByteArray(600, '1'));
    EXPECT_EQ(state.badLineCount, 19900);
}

} // namespace
