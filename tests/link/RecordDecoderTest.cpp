#include "support/DecodeChain.h"

#include <gtest/gtest.h>

namespace {

const QByteArray WorkedExample(":001E0226001900C800EB0021000000000000\r\n");
const QByteArray ShortForm(":001E0226001900C800EB0021\r\n");

// Model, version, 16 unread characters, serial number, sensor count, then
// the levels 800 500 850 750 0 3 900 850 1300 0 200.
QByteArray parameterRecord(const QByteArray& count = "02")
{
    return ":8107K31V1.03 2026-01unread#unread#xxSN-00042" + count +
           "032001F4035202EE00000003038403520514000000C8\r\n";
}

std::vector<int> levels(const ParameterInfo& p)
{
    return {p.mainAlarmLevel,     p.preAlarmLevel,   p.tempAlarmLevel,   p.tempPreAlarmLevel,
            p.mainAlarmLevel2,    p.alarm2Sensor,    p.tempAlarmLevel2,  p.tempPreAlarmLevel2,
            p.mainAlarmLevelHigh, p.preAlarmLevelHigh, p.preAlarmLevel2};
}

class RecordDecoderTest : public ::testing::Test {
protected:
    void decode(const QByteArray& line) { chain.decode(line); }
    // Slots 1..9 of a row.
    std::vector<double> row(int sensor) const
    {
        return std::vector<double>(state.sensorValues[sensor - 1], state.sensorValues[sensor - 1] + 9);
    }

    MeasurementState state;
    DecodeChain chain{state};
    DecodeChain& view = chain; // what the window is shown
    DecodeChain& sink = chain; // what the writer is handed
};

} // namespace

TEST_F(RecordDecoderTest, WorkedExampleFillsSensorOneRowAndIsLoggedAfterShowing)
{
    decode(WorkedExample);
    // Slots: quality, temperature, loss, TDN, ambient, extra, status, errors.
    EXPECT_EQ(row(1), (std::vector<double>{30, 550, 25, 200, 235, 0, 0x21, 0, 0}));
    EXPECT_EQ(row(2), std::vector<double>(9, 0.0));
    EXPECT_EQ(view.calls, (QStringList{"showLatestLine", "writeDataLine"}));
    EXPECT_EQ(sink.lines.at(0), std::make_pair(WorkedExample, 0x00));
}

TEST_F(RecordDecoderTest, SignedFieldsAndMaskedWordsDecodeAsTheirWidthsSay)
{
    decode(":05F6FF9C80007FFF0001FFFFFFFFFFFF8001\r\n");
    EXPECT_EQ(row(6), (std::vector<double>{-10, -100, -32768, 32767, 1, -32767, 0x3FFF, 0x1FFF, 0x0FFF}));
}

TEST_F(RecordDecoderTest, ShorterRecordsZeroStaleFieldsAndNeverReadTheLineEndAsDigits)
{
    decode(":00000000000000000000000000FF00FF0007\r\n");
    decode(ShortForm);
    EXPECT_EQ(row(1), (std::vector<double>{30, 550, 25, 200, 235, 0, 0x21, 0, 0}));

    // 21 and 23 characters: the status field is missing or half there.
    decode(":001E0226001900C800EB\r\n");
    EXPECT_EQ(row(1)[6], 0);
    decode(":001E0226001900C800EB00\r\n");
    EXPECT_EQ(row(1)[6], 0);
    // 31 characters: only the sensor error word is complete.
    decode(":001E0226001900C800EB002100400F\r\n");
    EXPECT_EQ(row(1), (std::vector<double>{30, 550, 25, 200, 235, 0, 0x21, 0x40, 0}));
    // Type only, and no line end at all.
    decode(":00\r\n");
    EXPECT_EQ(row(1), std::vector<double>(9, 0.0));
    decode(":011E0226001900C800EB0021");
    EXPECT_EQ(row(2)[6], 0x21);
}

TEST_F(RecordDecoderTest, OnlySensorTextAndParameterTypesAreAccepted)
{
    decode(":05" + WorkedExample.mid(3));
    decode(":80Text,record,ZZ\r\n");
    EXPECT_EQ(row(6)[3], 200);
    EXPECT_EQ(state.badLineCount, 0);

    for (const char* bad : {":06", ":7F", ":82", ":FF", ":G0", ":0 ", ":"})
        decode(bad + WorkedExample.mid(3));
    decode(":0\r\n");
    decode(QByteArray());
    EXPECT_EQ(state.badLineCount, 9);
    EXPECT_TRUE(view.calls.contains("showBadLineCount 9"));
    for (int sensor = 1; sensor <= 5; ++sensor)
        EXPECT_EQ(row(sensor)[3], 0) << sensor;
    // Every line reaches the writer, which skips the ones it does not log.
    ASSERT_EQ(sink.lines.size(), 11u);
    EXPECT_EQ(sink.lines[1].second, 0x80);
    EXPECT_EQ(sink.lines[2].second, 0x06);
    EXPECT_EQ(sink.lines[6].second, Record::UnreadableType);
    EXPECT_EQ(sink.lines[10].second, Record::UnreadableType);
}

TEST_F(RecordDecoderTest, NonHexDigitsReadAsZeroAndAreLoggedAsZeroOnlyInNumericRecords)
{
    decode(":00ZZ0226001900C800EB0021000000000000\r\n");
    EXPECT_EQ(row(1)[0], 0);
    EXPECT_EQ(row(1)[1], 550);
    EXPECT_EQ(sink.lines.back().first, ":00000226001900C800EB0021000000000000\r\n");
    EXPECT_EQ(view.latestLine, QStringLiteral(":00ZZ0226001900C800EB0021000000000000\r\n"));

    const QByteArray text = ":80Oil,ZZ,\xB0" "C\r\n";
    decode(text);
    EXPECT_EQ(sink.lines.back().first, text);
    EXPECT_EQ(view.latestLine.at(10), QChar(0xB0));
}

TEST_F(RecordDecoderTest, ParameterRecordFillsInfoThenGreysOutSensorsAboveTheCount)
{
    const QByteArray record = parameterRecord();
    ASSERT_EQ(record.size(), 93);
    decode(record);
    const ParameterInfo& info = state.parameterInfo;
    EXPECT_EQ(info.modelCode, "07K31");
    EXPECT_EQ(info.versionText, "V1.03 2026-01");
    EXPECT_EQ(info.serialNumber, "SN-00042");
    EXPECT_EQ(info.sensorCount, 2);
    EXPECT_EQ(state.sensorCount, 2);
    EXPECT_EQ(levels(info), (std::vector<int>{800, 500, 850, 750, 0, 3, 900, 850, 1300, 0, 200}));
    EXPECT_TRUE(state.sensorCountKnown);
    EXPECT_EQ(view.greyed, (std::vector<int>{2, 3, 4, 5}));
    EXPECT_EQ(view.calls.at(1), "showEvaluatorMenu");
    EXPECT_EQ(sink.lines.back(), std::make_pair(record, 0x81)); // identity texts kept

    view.greyed.clear();
    decode(parameterRecord("06"));
    decode(parameterRecord("07"));
    EXPECT_TRUE(view.greyed.empty());
}

TEST_F(RecordDecoderTest, ShortParameterRecordKeepsThePreviousHighLevels)
{
    decode(parameterRecord());
    QByteArray older = parameterRecord("03").left(79) + "\r\n";
    older.replace(47, 4, "0321");
    decode(older);
    EXPECT_EQ(state.parameterInfo.sensorCount, 3);
    EXPECT_EQ(levels(state.parameterInfo), (std::vector<int>{801, 500, 850, 750, 0, 3, 900, 850, 1300, 0, 200}));
}

TEST_F(RecordDecoderTest, ParameterNumbersAreCleanedAndClampedToSixteenBits)
{
    QByteArray record = parameterRecord("?2");
    record.replace(47, 12, "03Z0FFFF8000");
    decode(record);
    const QByteArray& line = sink.lines.back().first;
    EXPECT_EQ(state.sensorCount, 2);
    EXPECT_EQ(levels(state.parameterInfo)[0], 0x300);
    EXPECT_EQ(levels(state.parameterInfo)[1], 0x7FFF);
    EXPECT_EQ(levels(state.parameterInfo)[2], 0x7FFF);
    EXPECT_EQ(line.left(45), record.left(45));
    EXPECT_EQ(line.mid(45, 6), "020300");
}

TEST_F(RecordDecoderTest, ParameterRecordCutBeforeItsSensorCountGreysOutNothing)
{
    decode(":8107K\r\nXYZ");
    EXPECT_EQ(state.parameterInfo.modelCode, "07K");
    EXPECT_FALSE(state.sensorCountKnown);
    EXPECT_TRUE(view.greyed.empty());

    decode(parameterRecord("04"));
    decode(parameterRecord().left(46) + "\r\n");
    EXPECT_EQ(state.sensorCount, 4);
    EXPECT_EQ(view.greyed, (std::vector<int>{4, 5}));
    EXPECT_TRUE(view.calls.contains("showEvaluatorMenu"));
}

TEST_F(RecordDecoderTest, BadLineCountFallsBackBelowItsLimit)
{
    state.badLineCount = 19999;
    decode(":7F\r\n");
    EXPECT_EQ(state.badLineCount, 20000);
    decode(":7F\r\n");
    EXPECT_EQ(state.badLineCount, 19900);
    EXPECT_EQ(view.calls.last(), "writeDataLine");
    EXPECT_TRUE(view.calls.contains("showBadLineCount 19900"));
}
