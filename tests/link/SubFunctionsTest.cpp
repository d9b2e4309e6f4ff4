#include "link/SubFunctions.h"

#include "support/Fakes.h"

#include <gtest/gtest.h>

TEST(HexToSigned, ReadsTwoAndFourDigitFieldsAsTwosComplement)
{
    EXPECT_EQ(HexToSigned("F6", 2), -10);
    EXPECT_EQ(HexToSigned("7F", 2), 127);
    EXPECT_EQ(HexToSigned("80", 2), -128);
    EXPECT_EQ(HexToSigned("FF9C", 4), -100);
    EXPECT_EQ(HexToSigned("0226", 4), 550);
    EXPECT_EQ(HexToSigned("7FFF", 4), 32767);
    EXPECT_EQ(HexToSigned("8000", 4), -32768);
    EXPECT_EQ(HexToSigned("ff9c", 4), -100);
}

TEST(HexToSigned, OtherDigitCountsStayUnsigned)
{
    EXPECT_EQ(HexToSigned("FF", 0), 255);
    EXPECT_EQ(HexToSigned("FFFF", 5), 65535);
    EXPECT_EQ(HexToSigned("81", 3), 0x81);
}

TEST(HexToSigned, MalformedTextNeitherOverflowsNorReadsPastDigits)
{
    EXPECT_EQ(HexToSigned("", 4), 0);
    EXPECT_EQ(HexToSigned("G1", 2), 0);
    EXPECT_EQ(HexToSigned("1G", 0), 1);
    EXPECT_EQ(HexToSigned("\r\n", 2), 0);
    EXPECT_EQ(HexToSigned("FFFFFFFFFFFFFFFFFFFF", 0), INT_MAX);
}

TEST(SanitizeHex, ReplacesNonHexOnlyBetweenStartAndLineEnd)
{
    QByteArray line(":0ZZz9\xE4-aF\r\nXY");
    const QByteArray cut = SanitizeHex(line, 4);
    // Before the start position and after the CR LF nothing changes.
    EXPECT_EQ(line, QByteArray(":0Z00900aF\r\nXY"));
    EXPECT_EQ(cut, QByteArray(":0Z00900aF\r\n"));
}

TEST(SanitizeHex, LineWithoutLineEndIsCleanedToItsEnd)
{
    QByteArray line(":00\rG");
    EXPECT_EQ(SanitizeHex(line, 2), QByteArray(":0000"));
    EXPECT_EQ(line, QByteArray(":0000"));
}

TEST(SanitizeHex, StartBeyondTheLineOrBeforeItsBeginningIsSafe)
{
    QByteArray shortLine(":\r\n");
    EXPECT_EQ(SanitizeHex(shortLine, 46), QByteArray(":\r\n"));
    QByteArray empty;
    EXPECT_EQ(SanitizeHex(empty, 4), QByteArray());
    QByteArray line("x:");
    EXPECT_EQ(SanitizeHex(line, 0), QByteArray("00"));
}

TEST(CutAtLineEnd, KeepsTextBeforeTheFirstCrLfOnly)
{
    EXPECT_EQ(CutAtLineEnd(":80abc\r\n"), QByteArray(":80abc"));
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
