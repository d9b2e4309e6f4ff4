#include "config/RdWrConfig.h"
#include "ConfigTestFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString Name = QStringLiteral("VELTRA-logger1.ini");
const QByteArray Header = "[VELTRA-LOGGER Version 1.03_1]";

class StoreTest : public ::testing::Test {
protected:
    QTemporaryDir home;
    RdWrConfig store{home.path()};
    QString path() const { return configPath(home.path(), Name); }
};

TEST_F(StoreTest, KeyMatchesOnlyExactCaseSensitivePrefixWithEquals)
{
    writeRaw(path(), crlf({Header, "com=7", " COM=8", "COMPORT=9", "BAUDRATE= 9600", "COM=2", "X=1", "COM=5"}));
    EXPECT_EQ(store.GetConfigValue(Name, "COM"), "2");
    EXPECT_EQ(store.GetConfigValue(Name, "BAUDRATE"), " 9600");
    EXPECT_EQ(store.GetConfigValue(Name, "Com"), "");
    EXPECT_EQ(store.GetConfigValue(Name, "LOGDIR"), "");

    ASSERT_TRUE(store.SetConfigValue(Name, "COM", "4"));
    EXPECT_EQ(readRaw(path()),
              crlf({Header, "com=7", " COM=8", "COMPORT=9", "BAUDRATE= 9600", "COM=4", "X=1", "COM=5"}));
}

TEST_F(StoreTest, CreatedFileHoldsOnlyTheHeaderAndNewKeysAreAppended)
{
    writeRaw(path(), crlf({"[old]", "COM=9"}));
    ASSERT_TRUE(store.CreateConfigFile(Name, QString::fromLatin1(Header)));
    EXPECT_EQ(store.GetConfigValue(Name, "COM"), "");
    ASSERT_TRUE(store.SetConfigValue(Name, "COM", "3"));
    ASSERT_TRUE(store.SetConfigValue(Name, "REFRESH", "2"));
    ASSERT_TRUE(store.SetConfigValue(Name, "COM", "3"));
    EXPECT_EQ(readRaw(path()), crlf({Header, "COM=3", "REFRESH=2"}));
}

TEST_F(StoreTest, LongValueIsCutOnGetButKeptWholeOnRewrite)
{
    const QByteArray longValue(150, 'v');
    writeRaw(path(), crlf({Header, "LBL_S1=" + longValue}));
    EXPECT_EQ(store.GetConfigValue(Name, "LBL_S1"), QString(100, QLatin1Char('v')));
    ASSERT_TRUE(store.SetConfigValue(Name, "COM", "1"));
    EXPECT_EQ(readRaw(path()), crlf({Header, "LBL_S1=" + longValue, "COM=1"}));
}

TEST_F(StoreTest, MissingFileIsNeverCreatedBySet)
{
    EXPECT_EQ(store.GetConfigHeader(Name), "");
    EXPECT_FALSE(store.SetConfigValue(Name, "COM", "1"));
    EXPECT_EQ(store.lastFailure(), RdWrConfig::Failure::NoFile);
    EXPECT_FALSE(QFile::exists(path()));

    writeRaw(path(), QByteArray());
    EXPECT_FALSE(store.SetConfigValue(Name, "COM", "1"));
    EXPECT_EQ(readRaw(path()), QByteArray());
}

TEST_F(StoreTest, OnlyThirtyLinesAreReadButAllAreRewrittenAndAFullTableRefusesANewKey)
{
    QList<QByteArray> lines{Header};
    for (int i = 2; i <= 35; ++i)
        lines << "K" + QByteArray::number(i) + "=" + QByteArray::number(i);
    writeRaw(path(), crlf(lines));
    EXPECT_EQ(store.ReadConfigFile(Name), 30);
    EXPECT_EQ(store.GetConfigValue(Name, "K30"), "30");
    EXPECT_EQ(store.GetConfigValue(Name, "K31"), "");

    ASSERT_TRUE(store.SetConfigValue(Name, "K5", "five"));
    QList<QByteArray> expected = lines; // the lines after the 30th are kept unread
    expected[4] = "K5=five";
    EXPECT_EQ(readRaw(path()), crlf(expected));

    EXPECT_FALSE(store.SetConfigValue(Name, "LOGDIR", "/tmp/"));
    EXPECT_EQ(store.lastFailure(), RdWrConfig::Failure::TableFull);
    EXPECT_EQ(readRaw(path()), crlf(expected));
}

TEST_F(StoreTest, UnknownBlankAndEightBitLinesSurviveASetByteForByte)
{
    const QByteArray latin1Line = "LBL_S2=\xC4l-Pumpe"; // 8-bit code page text
    const char brokenBytes[] = "junk \xE2\x82 \xFF\x00 end";
    const QByteArray brokenUtf8(brokenBytes, sizeof brokenBytes - 1);
    writeRaw(path(), crlf({Header, "", latin1Line, brokenUtf8, "   ", "COM=1"}));
    EXPECT_EQ(store.GetConfigValue(Name, "LBL_S2"), QString::fromLatin1("\xC4l-Pumpe"));
    ASSERT_TRUE(store.SetConfigValue(Name, "COM", "2"));
    EXPECT_EQ(readRaw(path()), crlf({Header, "", latin1Line, brokenUtf8, "   ", "COM=2"}));
}

TEST_F(StoreTest, NewValuesAreUtf8AndCannotAddLinesOfTheirOwn)
{
    writeRaw(path(), crlf({Header, "PASSWORD=kesmor"}));
    ASSERT_TRUE(store.SetConfigValue(Name, "LBL_S1", QStringLiteral("Öl \u00B0C")));
    EXPECT_EQ(store.GetConfigValue(Name, "LBL_S1"), QStringLiteral("Öl \u00B0C"));

    ASSERT_TRUE(store.SetConfigValue(Name, "INSTALLATION", "Ship\r\nPASSWORD=\nX"));
    EXPECT_EQ(store.ReadConfigFile(Name), 4);
    EXPECT_EQ(store.GetConfigValue(Name, "PASSWORD"), "kesmor");
    EXPECT_EQ(store.GetConfigValue(Name, "INSTALLATION"), "Ship  PASSWORD= X");

    EXPECT_FALSE(store.SetConfigValue(Name, "A=B", "1"));
    EXPECT_FALSE(store.SetConfigValue(Name, "", "1"));
    EXPECT_EQ(store.ReadConfigFile(Name), 4);
}

TEST_F(StoreTest, LfAndLoneCrEndLinesAndTheLastLineNeedsNoEnd)
{
    writeRaw(path(), Header + "\nCOM=3\rBAUDRATE=19200\r\n\r\nREFRESH=1");
    EXPECT_EQ(store.ReadConfigFile(Name), 5);
    EXPECT_EQ(store.GetConfigHeader(Name), QString::fromLatin1(Header));
    EXPECT_EQ(store.GetConfigValue(Name, "COM"), "3");
    EXPECT_EQ(store.GetConfigValue(Name, "REFRESH"), "1");
    ASSERT_TRUE(store.SetConfigValue(Name, "COM", "4"));
    EXPECT_EQ(readRaw(path()), crlf({Header, "COM=4", "BAUDRATE=19200", "", "REFRESH=1"}));
}

TEST_F(StoreTest, FailedRewriteIsReportedAndKeepsTheOldFile)
{
    // The temporary file beside a 250-character name cannot be created,
    // while the file itself reads fine.
    const QString longName = QString(250, QLatin1Char('c'));
    const QByteArray before = crlf({Header, "COM=1"});
    writeRaw(configPath(home.path(), longName), before);
    ASSERT_EQ(store.GetConfigValue(longName, "COM"), "1");
    EXPECT_FALSE(store.SetConfigValue(longName, "COM", "2"));
    EXPECT_EQ(store.lastFailure(), RdWrConfig::Failure::WriteFailed);
    EXPECT_EQ(readRaw(configPath(home.path(), longName)), before);
    EXPECT_EQ(QDir(home.path()).entryList(QDir::Files).size(), 1);
}

} // namespace
