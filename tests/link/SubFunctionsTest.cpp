#include "link/SubFunctions.h"

#include "support/Fakes.h"

#include <climits>
#include <gtest/gtest.h>

TEST(HexToSigned, TwoAndFourDigitsAreTwosComplementOtherCountsUnsigned)
{
    EXPECT_EQ(HexToSigned("F6", 2), -10);
    EXPECT_EQ(HexToSigned("7F", 2), 127);
    EXPECT_EQ(HexToSigned("80", 2), -128);
    EXPECT_EQ(HexToSigned("ff9c", 4), -100);
    EXPECT_EQ(HexToSigned("0226", 4), 550);
    EXPECT_EQ(HexToSigned("7FFF", 4), 32767);
    EXPECT_EQ(HexToSigned("8000", 4), -32768);
    EXPECT_EQ(HexToSigned("FF", 0), 255);
    EXPECT_EQ(HexToSigned("FFFF", 5), 65535);
}

TEST(HexToSigned, MalformedTextNeitherOverflowsNorReadsPastDigits)
{
    EXPECT_EQ(HexToSigned("", 4), 0);
    EXPECT_EQ(HexToSigned("\r\n", 2), 0);
    EXPECT_EQ(HexToSigned("1G", 0), 1);
    EXPECT_EQ(HexToSigned("FFFFFFFFFFFFFFFFFFFF", 0), INT_MAX);
}

TEST(SanitizeHex, ReplacesNonHexOnlyFromStartUpToTheLineEnd)
{
    QByteArray line(":0ZZz9\xE4-aF\r\nXY");
    EXPECT_EQ(SanitizeHex(line, 4), QByteArray(":0Z00900aF\r\n"));
    EXPECT_EQ(line, QByteArray(":0Z00900aF\r\nXY"));

    QByteArray noEnd(":00\rG");
    EXPECT_EQ(SanitizeHex(noEnd, 2), QByteArray(":0000"));

    QByteArray shortLine(":\r\n"), empty, beforeStart("x:");
    EXPECT_EQ(SanitizeHex(shortLine, 46), QByteArray(":\r\n"));
    EXPECT_EQ(SanitizeHex(empty, 4), QByteArray());
    EXPECT_EQ(SanitizeHex(beforeStart, 0), QByteArray("00"));
}

TEST(CutAtLineEnd, KeepsTextBeforeTheFirstCrLfOnly)
{
    EXPECT_EQ(CutAtLineEnd("a\rb\nc\r\nd\r\n"), QByteArray("a\rb\nc"));
    EXPECT_EQ(CutAtLineEnd("no end"), QByteArray("no end"));
    EXPECT_EQ(CutAtLineEnd(""), QByteArray());
}

TEST(Watchdog, StartAlwaysArmsThreeSecondsWhateverTheOldInterval)
{
    FakeTimer timer;
    timer.setInterval(100);
    StartWatchdog(timer);
    EXPECT_EQ(timer.interval(), 3000);
    EXPECT_TRUE(timer.isEnabled());
    StopWatchdog(timer);
    EXPECT_FALSE(timer.isEnabled());
}
