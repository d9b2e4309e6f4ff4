#include "config/ConfigValues.h"
#include "logging/LogState.h"
#include "logging/LogWriter.h"
#include "support/Fakes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QByteArray SensorLine = ":001E0226001900C800EB0021000000000000\r\n";

QByteArray readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

class LogWriterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        config.LOGDIR = dir.path() + "/";
        QObject::connect(&writer, &LogWriter::writeFailed, [this](const WriteFailure& f) { failures.push_back(f); });
    }
    QString path(const QString& name) const { return dir.path() + "/" + name; }

    QTemporaryDir dir;
    ConfigValues config;
    LogState state;
    FakeClock clock;
    LogWriter writer{state, config, clock};
    std::vector<WriteFailure> failures;
};

const QByteArray Header0211 = "#02-11-2026 10:34:25 Measure Started at Main_Engine !\r\n"
                              "#02-11-2026 10:34:25 lbl_S1 Sensor1\r\n"
                              "#02-11-2026 10:34:25 lbl_S2 Sensor2\r\n"
                              "#02-11-2026 10:34:25 lbl_S3 Sensor3\r\n"
                              "#02-11-2026 10:34:25 lbl_S4 Sensor4\r\n"
                              "#02-11-2026 10:34:25 lbl_S5 Sensor5\r\n"
                              "#02-11-2026 10:34:25 lbl_S6 Sensor6\r\n";

} // namespace

TEST_F(LogWriterTest, StartOfMeasurementWritesHeaderDataAndConnectionLines)
{
    writer.beginLogging();
    EXPECT_EQ(state.logfileName, path("20260211VL_Main_Engine.vlg"));
    EXPECT_EQ(state.eventfileName, path("events_VELTRA.txt"));
    EXPECT_EQ(state.LogDate, "20260211");

    writer.writeStartHeader();
    clock.advanceSeconds(1);
    writer.writeDataLine(SensorLine, 0x00);
    writer.SetInfotext("Evaluator connected at Main_Engine !");
    writer.SetEvtInfotext("Evaluator connected at Main_Engine !");

    EXPECT_EQ(readFile(state.logfileName), Header0211
                  + "#02-11-2026 10:34:26 :001E0226001900C800EB0021000000000000\r\n"
                    "#02-11-2026 10:34:26 Evaluator connected at Main_Engine !\r\n");
    EXPECT_EQ(readFile(state.eventfileName), "#02-11-2026 10:34:25 Measure Started at Main_Engine !\r\n"
                                             "#02-11-2026 10:34:26 Evaluator connected at Main_Engine !\r\n");
    EXPECT_TRUE(failures.empty());
}

TEST_F(LogWriterTest, FirstLineAfterMidnightStartsTheNewDaysFileWithHeader)
{
    clock.set(QDateTime(QDate(2026, 2, 11), QTime(23, 59, 59)));
    writer.beginLogging();
    writer.writeDataLine(SensorLine, 0x00);
    const QByteArray oldDay = readFile(path("20260211VL_Main_Engine.vlg"));

    clock.set(QDateTime(QDate(2026, 2, 12), QTime(0, 0, 0)));
    writer.writeDataLine(SensorLine, 0x01);

    EXPECT_EQ(readFile(path("20260211VL_Main_Engine.vlg")), oldDay);
    EXPECT_EQ(state.LogDate, "20260212");
    EXPECT_EQ(state.logfileName, path("20260212VL_Main_Engine.vlg"));
    QByteArray newHeader = "#02-12-2026 00:00:00 Measure Started at Main_Engine !\r\n";
    for (int s = 1; s <= 6; ++s)
        newHeader += "#02-12-2026 00:00:00 lbl_S" + QByteArray::number(s) + " Sensor" + QByteArray::number(s) + "\r\n";
    EXPECT_EQ(readFile(state.logfileName),
              newHeader + "#02-12-2026 00:00:00 :001E0226001900C800EB0021000000000000\r\n");
    EXPECT_EQ(readFile(state.eventfileName), "#02-12-2026 00:00:00 Measure Started at Main_Engine !\r\n");
}

TEST_F(LogWriterTest, UnknownTypeAfterMidnightRollsOverButIsNotWritten)
{
    clock.set(QDateTime(QDate(2026, 2, 11), QTime(23, 59, 59)));
    writer.beginLogging();
    clock.set(QDateTime(QDate(2026, 2, 12), QTime(0, 0, 1)));
    writer.writeDataLine(":7F0000\r\n", 0x7F);

    const QByteArray text = readFile(path("20260212VL_Main_Engine.vlg"));
    EXPECT_EQ(text.count('\n'), 7);
    EXPECT_TRUE(text.startsWith("#02-12-2026 00:00:01 Measure Started at Main_Engine !\r\n"));
    EXPECT_FALSE(text.contains(":7F"));
}

TEST_F(LogWriterTest, OnlySensorAndParameterTypesAreWritten)
{
    writer.beginLogging();
    for (int type : {0x00, 0x05, 0x06, 0x7F, 0x80, 0x81, 0x82, -1})
        writer.writeDataLine(":" + QByteArray::number(type, 16) + "\r\n", type);
    EXPECT_EQ(readFile(state.logfileName), "#02-11-2026 10:34:25 :0\r\n#02-11-2026 10:34:25 :5\r\n"
                                           "#02-11-2026 10:34:25 :80\r\n#02-11-2026 10:34:25 :81\r\n");
}

TEST_F(LogWriterTest, ClockSetBackDropsDataLinesUntilItPassesTheLatestSecond)
{
    std::vector<std::pair<int32_t, int32_t>> counted;
    QObject::connect(&writer, &LogWriter::secondsCounted,
                     [&](int32_t now, int32_t highest) { counted.emplace_back(now, highest); });
    clock.set(QDateTime(QDate(2026, 2, 11), QTime(10, 0, 0)));
    writer.beginLogging();
    writer.writeDataLine(":00A\r\n", 0);
    const int32_t atTen = state.secondsCounter;
    EXPECT_EQ(atTen, QDateTime(QDate(2010, 1, 1), QTime(12, 0, 0)).secsTo(clock.now()));

    clock.set(QDateTime(QDate(2026, 2, 11), QTime(9, 0, 0)));
    writer.writeDataLine(":00B\r\n", 0);
    writer.SetInfotext("info while set back");
    clock.set(QDateTime(QDate(2026, 2, 11), QTime(9, 59, 59)));
    writer.writeDataLine(":00C\r\n", 0);
    clock.set(QDateTime(QDate(2026, 2, 11), QTime(10, 0, 0)));
    writer.writeDataLine(":00D\r\n", 0);
    writer.writeDataLine(":00E\r\n", 0);

    EXPECT_EQ(readFile(state.logfileName), "#02-11-2026 10:00:00 :00A\r\n"
                                           "#02-11-2026 09:00:00 info while set back\r\n"
                                           "#02-11-2026 10:00:00 :00D\r\n"
                                           "#02-11-2026 10:00:00 :00E\r\n");
    ASSERT_EQ(counted.size(), 5u);
    EXPECT_EQ(counted[1], std::make_pair(atTen - 3600, atTen));
    EXPECT_EQ(state.highestSeconds, atTen);
}

TEST_F(LogWriterTest, EmptyInstallationGivesBareFileNameAndTwoBlanksBeforeBang)
{
    config.INSTALLATION.clear();
    writer.beginLogging();
    writer.writeStartHeader();
    EXPECT_EQ(state.logfileName, path("20260211VL_.vlg"));
    EXPECT_TRUE(readFile(state.logfileName).startsWith("#02-11-2026 10:34:25 Measure Started at  !\r\n"));
}

TEST_F(LogWriterTest, LineBreaksInNamesCannotForgeLogLines)
{
    config.INSTALLATION = "Main\r\n#02-11-2026 10:00:00 Measure Stopped at X !";
    config.LBL_S[2] = QString::fromUtf8("Pump\nÖl");
    writer.beginLogging();
    writer.writeStartHeader();
    writer.writeDataLine(":00\r1\n2\r\n", 0);

    const QByteArray text = readFile(state.logfileName);
    EXPECT_EQ(text.count('\n'), 8);
    EXPECT_EQ(text.count('\r'), 8);
    EXPECT_TRUE(text.contains("#02-11-2026 10:34:25 lbl_S3 Pump \xC3\x96l\r\n"));
    EXPECT_TRUE(text.contains("Main  #02-11-2026 10:00:00 Measure Stopped at X ! !\r\n"));
    EXPECT_TRUE(text.endsWith("#02-11-2026 10:34:25 :00 1 2\r\n"));
    EXPECT_EQ(readFile(state.eventfileName).count('\n'), 1);
}

TEST_F(LogWriterTest, MissingDirectoryOnDataLineIsReportedOnceWithItsReason)
{
    config.LOGDIR = dir.path() + "/missing/";
    writer.beginLogging();
    state.LogDate = "20260211";
    writer.writeDataLine(SensorLine, 0);
    EXPECT_TRUE(state.LogWriteFailed);
    writer.writeDataLine(SensorLine, 0);
    writer.SetInfotext("nothing while failed");

    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].file, WriteFailure::File::Logfile);
    EXPECT_EQ(failures[0].message, LogWriter::LogfileFailedOnData + "\nNo such file or directory");
    EXPECT_EQ(LogWriter::LogfileFailedOnData,
              "Directory for Logfile doesn't exist, start setup Installation ! 1");
    EXPECT_FALSE(QDir(dir.path() + "/missing").exists());
}

TEST_F(LogWriterTest, FailedRolloverReportsAsDataLine)
{
    clock.set(QDateTime(QDate(2026, 2, 11), QTime(23, 59, 59)));
    writer.beginLogging();
    config.LOGDIR = dir.path() + "/gone/";
    clock.set(QDateTime(QDate(2026, 2, 12), QTime(0, 0, 0)));
    writer.writeDataLine(SensorLine, 0);

    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].message,
              "Directory for Logfile doesn't exist, start setup Installation ! 1\nNo such file or directory");
}

TEST_F(LogWriterTest, FailedInfoLineAndEventLineUseTheirOwnMessagesAndFlags)
{
    writer.beginLogging();
    writer.SetInfotext("kept");
    const QString logfile = state.logfileName;
    state.logfileName = dir.path() + "/missing/x.vlg";
    writer.SetInfotext("lost");
    EXPECT_TRUE(state.LogWriteFailed);
    EXPECT_FALSE(state.EventWriteFailed);

    state.eventfileName = dir.path() + "/missing/events_VELTRA.txt";
    writer.SetEvtInfotext("lost");
    EXPECT_TRUE(state.EventWriteFailed);
    writer.SetEvtInfotext("skipped");

    ASSERT_EQ(failures.size(), 2u);
    EXPECT_EQ(failures[0].message,
              "Directory for Logfile doesn't exist, start setup Installation ! 2\nNo such file or directory");
    EXPECT_EQ(failures[1].file, WriteFailure::File::Eventfile);
    EXPECT_EQ(failures[1].message,
              "Directory for Eventfile doesn't exist, start setup Installation ! 3\nNo such file or directory");
    EXPECT_EQ(readFile(logfile), "#02-11-2026 10:34:25 kept\r\n");

    writer.clearWriteFailures();
    EXPECT_FALSE(state.LogWriteFailed);
    EXPECT_FALSE(state.EventWriteFailed);
}

TEST_F(LogWriterTest, ExitLineIsWrittenEvenAfterAFailureAndKeepsEarlierLines)
{
    writer.beginLogging();
    writer.SetInfotext("earlier");
    state.LogWriteFailed = true;
    writer.writeExitLine();
    EXPECT_EQ(readFile(state.logfileName), "#02-11-2026 10:34:25 earlier\r\n#02-11-2026 10:34:25 Measure Stopped\r\n");

    state.logfileName = dir.path() + "/missing/x.vlg";
    writer.writeExitLine();
    EXPECT_TRUE(failures.empty());
}
