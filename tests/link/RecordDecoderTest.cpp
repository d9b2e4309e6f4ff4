#include "link/RecordDecoder.h"

#include "DecoderFakes.h"
#include "link/MeasurementState.h"

#include <gtest/gtest.h>

namespace {

const QByteArray WorkedExample(":001E0226001900C800EB0021000000000000\r\n");
const QByteArray ShortForm(":001E0226001900C800EB0021\r\n");

// A full parameter record: model, version, 16 unread characters, serial
// number, sensor count 2, then the eleven levels.
QByteArray parameterRecord(const QByteArray& count = "02")
{
    QByteArray r = ":81";
    r += "07K31";             // 4-8
    r += "V1.03 2026-01";     // 9-21
    r += "unread#unread#xx";  // 22-37
    r += "SN-00042";          // 38-45
    r += count;               // 46-47
    r += "0320" "01F4" "0352" "02EE"; // 800 500 850 750
    r += "0000" "0003" "0384" "0352"; // 0 3 900 850
    r += "0514" "0000" "00C8";        // 1300 0 200
    r += "\r\n";
    return r;
}

class RecordDecoderTest : public ::testing::Test {
protected:
    void decode(QByteArray line) { decoder.decodeLine(line); }

    double value(int sensor, int slot) const { return state.value(sensor, slot); }

    MeasurementState state;
    RecordingDecoderView view;
    RecordingDataLineSink sink;
    RecordDecoder decoder{state, view, sink};
};

} // namespace

TEST_F(RecordDecoderTest, WorkedExampleFillsSensorOneRow)
{
    decode(WorkedExample);
    EXPECT_EQ(value(1, Slot::OilQuality), 30);
    EXPECT_EQ(value(1, Slot::OilTemperature), 550);
    EXPECT_EQ(value(1, Slot::LossFactor), 25);
    EXPECT_EQ(value(1, Slot::TdnNumber), 200);
    EXPECT_EQ(value(1, Slot::AmbientTemperature), 235);
    EXPECT_EQ(value(1, Slot::StatusWord), 0x21);
    EXPECT_EQ(value(1, Slot::SensorErrorWord), 0);
    EXPECT_EQ(value(1, Slot::EvaluatorErrorWord), 0);
    EXPECT_EQ(value(1, Slot::ExtraValue), 0);
    EXPECT_EQ(value(2, Slot::OilQuality), 0); // other rows untouched
    ASSERT_EQ(sink.lines.size(), 1u);
    EXPECT_EQ(sink.lines[0].first, WorkedExample);
    EXPECT_EQ(sink.lines[0].second, 0x00);
    EXPECT_EQ(view.latestLine, QString::fromLatin1(WorkedExample));
}

TEST_F(RecordDecoderTest, SignedFieldsAndMaskedWordsDecodeAsTheirWidthsSay)
{
    decode(":05F6FF9C80007FFF0001FFFFFFFFFFFF8001\r\n");
    EXPECT_EQ(value(6, Slot::OilQuality), -10);
    EXPECT_EQ(value(6, Slot::OilTemperature), -100);
    EXPECT_EQ(value(6, Slot::LossFactor), -32768);
    EXPECT_EQ(value(6, Slot::TdnNumber), 32767);
    EXPECT_EQ(value(6, Slot::AmbientTemperature), 1);
    EXPECT_EQ(value(6, Slot::StatusWord), 0x3FFF);
    EXPECT_EQ(value(6, Slot::SensorErrorWord), 0x1FFF);
    EXPECT_EQ(value(6, Slot::EvaluatorErrorWord), 0x0FFF);
    EXPECT_EQ(value(6, Slot::ExtraValue), -32767);
}

TEST_F(RecordDecoderTest, ShortFormKeepsStatusAndZeroesStaleErrorWords)
{
    decode(":00000000000000000000000000FF00FF0007\r\n");
    ASSERT_NE(value(1, Slot::SensorErrorWord), 0);
    decode(ShortForm);
    EXPECT_EQ(value(1, Slot::StatusWord), 0x21);
    EXPECT_EQ(value(1, Slot::SensorErrorWord), 0);
    EXPECT_EQ(value(1, Slot::EvaluatorErrorWord), 0);
    EXPECT_EQ(value(1, Slot::ExtraValue), 0);
    EXPECT_EQ(value(1, Slot::AmbientTemperature), 235);
}

TEST_F(RecordDecoderTest, InBetweenLengthsNeverReadTheLineEndAsDigits)
{
    // 21 characters: the status field would take in the CR LF.
    decode(":001E0226001900C800EB\r\n");
    EXPECT_EQ(value(1, Slot::AmbientTemperature), 235);
    EXPECT_EQ(value(1, Slot::StatusWord), 0);

    // 23 characters: a half status field reads 0, not 0x00 followed by CR LF.
    decode(":001E0226001900C800EB00\r\n");
    EXPECT_EQ(value(1, Slot::StatusWord), 0);

    // 31 characters: the sensor error word is complete, the rest is not.
    decode(":001E0226001900C800EB002100400F\r\n");
    EXPECT_EQ(value(1, Slot::StatusWord), 0x21);
    EXPECT_EQ(value(1, Slot::SensorErrorWord), 0x40);
    EXPECT_EQ(value(1, Slot::EvaluatorErrorWord), 0);
    EXPECT_EQ(value(1, Slot::ExtraValue), 0);

    // No line end at all: what is there is read.
    decode(":011E0226001900C800EB0021");
    EXPECT_EQ(value(2, Slot::StatusWord), 0x21);
}

TEST_F(RecordDecoderTest, OnlyTypesZeroToFiveEightyAndEightyOneAreAccepted)
{
    decode(":05" + WorkedExample.mid(3));
    EXPECT_EQ(value(6, Slot::TdnNumber), 200);
    decode(":80Text,record,ZZ\r\n");
    EXPECT_EQ(state.badLineCount, 0);

    for (const char* bad : {":06", ":7F", ":82", ":FF"})
        decode(bad + WorkedExample.mid(3));
    EXPECT_EQ(state.badLineCount, 4);
    EXPECT_EQ(view.shownBadLineCount, 4);
    for (int sensor = 1; sensor <= 5; ++sensor)
        EXPECT_EQ(value(sensor, Slot::TdnNumber), 0) << sensor;

    // Every line goes to the writer, which sorts out the ones it skips.
    ASSERT_EQ(sink.lines.size(), 6u);
    EXPECT_EQ(sink.lines[1].second, 0x80);
    EXPECT_EQ(sink.lines[2].second, 0x06);
    EXPECT_EQ(sink.lines[5].second, 0xFF);
}

TEST_F(RecordDecoderTest, UnreadableTypeFieldIsABadLine)
{
    for (const QByteArray& line : {QByteArray(":\r\n"), QByteArray(":0\r\n"), QByteArray(":G0rest\r\n"),
                                   QByteArray(":0 rest\r\n"), QByteArray(), QByteArray(":")}) {
        decode(line);
        ASSERT_FALSE(sink.lines.empty());
        EXPECT_EQ(sink.lines.back().second, RecordType::Unreadable) << line.toStdString();
    }
    EXPECT_EQ(state.badLineCount, 6);
}

TEST_F(RecordDecoderTest, TypeWithoutPayloadZeroesTheRow)
{
    decode(WorkedExample);
    decode(":00\r\n");
    for (int slot = 1; slot <= 9; ++slot)
        EXPECT_EQ(value(1, slot), 0) << slot;
    EXPECT_EQ(state.badLineCount, 0);
}

TEST_F(RecordDecoderTest, NonHexDigitsReadAsZeroAndAreLoggedAsZero)
{
    QByteArray line = ":00ZZ0226001900C800EB0021000000000000\r\n";
    decoder.decodeLine(line);
    EXPECT_EQ(value(1, Slot::OilQuality), 0);
    EXPECT_EQ(value(1, Slot::OilTemperature), 550);
    EXPECT_EQ(line, ":00000226001900C800EB0021000000000000\r\n");
    EXPECT_EQ(sink.lines.back().first, line);
    // The window shows the line as it arrived.
    EXPECT_EQ(view.latestLine, QStringLiteral(":00ZZ0226001900C800EB0021000000000000\r\n"));
}

TEST_F(RecordDecoderTest, TextRecordIsPassedOnUnchanged)
{
    QByteArray line = ":80Oil,ZZ,\xB0" "C\r\n";
    const QByteArray sent = line;
    decoder.decodeLine(line);
    EXPECT_EQ(line, sent);
    EXPECT_EQ(sink.lines.back().first, sent);
    EXPECT_EQ(view.latestLine, QString::fromLatin1(sent));
    EXPECT_EQ(view.latestLine.at(10), QChar(0xB0));
}

TEST_F(RecordDecoderTest, ParameterRecordFillsParameterInfo)
{
    const QByteArray record = parameterRecord();
    ASSERT_EQ(record.size(), 93);
    decode(record);
    const ParameterInfo& info = state.parameterInfo;
    EXPECT_EQ(info.modelCode, QStringLiteral("07K31"));
    EXPECT_EQ(info.versionText, QStringLiteral("V1.03 2026-01"));
    EXPECT_EQ(info.serialNumber, QStringLiteral("SN-00042"));
    EXPECT_EQ(info.sensorCount, 2);
    EXPECT_EQ(state.sensorCount, 2);
    EXPECT_EQ(info.mainAlarmLevel, 800);
    EXPECT_EQ(info.preAlarmLevel, 500);
    EXPECT_EQ(info.tempAlarmLevel, 850);
    EXPECT_EQ(info.tempPreAlarmLevel, 750);
    EXPECT_EQ(info.mainAlarmLevel2, 0);
    EXPECT_EQ(info.alarm2Sensor, 3);
    EXPECT_EQ(info.tempAlarmLevel2, 900);
    EXPECT_EQ(info.tempPreAlarmLevel2, 850);
    EXPECT_EQ(info.mainAlarmLevelHigh, 1300);
    EXPECT_EQ(info.preAlarmLevelHigh, 0);
    EXPECT_EQ(info.preAlarmLevel2, 200);
    EXPECT_TRUE(state.sensorCountKnown);
    EXPECT_TRUE(view.evaluatorMenuShown);
    // The identity texts are not hex and must reach the logfile as sent.
    EXPECT_EQ(sink.lines.back().first, record);
    EXPECT_EQ(sink.lines.back().second, 0x81);
}

TEST_F(RecordDecoderTest, ParameterRecordGreysOutSensorsAboveTheCountThenMarksItKnown)
{
    decode(parameterRecord("02"));
    EXPECT_EQ(view.greyed, (std::vector<int>{2, 3, 4, 5}));
    EXPECT_EQ(view.calls.first(), QStringLiteral("showLatestLine"));
    EXPECT_EQ(view.calls.at(1), QStringLiteral("showEvaluatorMenu"));

    view.greyed.clear();
    decode(parameterRecord("06"));
    decode(parameterRecord("07"));
    EXPECT_TRUE(view.greyed.empty());

    decode(parameterRecord("00"));
    EXPECT_EQ(view.greyed, (std::vector<int>{0, 1, 2, 3, 4, 5}));
}

TEST_F(RecordDecoderTest, ShortParameterRecordKeepsThePreviousHighLevels)
{
    decode(parameterRecord());
    QByteArray older = parameterRecord("03").left(79) + "\r\n";
    older.replace(47, 4, "0321"); // main alarm level 801
    decode(older);
    const ParameterInfo& info = state.parameterInfo;
    EXPECT_EQ(info.sensorCount, 3);
    EXPECT_EQ(info.mainAlarmLevel, 801);
    EXPECT_EQ(info.tempPreAlarmLevel2, 850);
    EXPECT_EQ(info.mainAlarmLevelHigh, 1300);
    EXPECT_EQ(info.preAlarmLevelHigh, 0);
    EXPECT_EQ(info.preAlarmLevel2, 200);
}

TEST_F(RecordDecoderTest, ParameterValuesAboveTheSixteenBitRangeClamp)
{
    QByteArray record = parameterRecord();
    record.replace(47, 4, "FFFF");
    record.replace(51, 4, "8000");
    record.replace(55, 4, "7FFF");
    decode(record);
    EXPECT_EQ(state.parameterInfo.mainAlarmLevel, 0x7FFF);
    EXPECT_EQ(state.parameterInfo.preAlarmLevel, 0x7FFF);
    EXPECT_EQ(state.parameterInfo.tempAlarmLevel, 0x7FFF);
}

TEST_F(RecordDecoderTest, ParameterRecordCleansOnlyItsNumericPart)
{
    QByteArray record = parameterRecord();
    record.replace(45, 2, "?2");
    record.replace(47, 4, "03Z0");
    QByteArray line = record;
    decoder.decodeLine(line);
    EXPECT_EQ(state.parameterInfo.sensorCount, 2);
    EXPECT_EQ(state.parameterInfo.mainAlarmLevel, 0x300);
    EXPECT_EQ(line.left(45), record.left(45));
    EXPECT_EQ(line.mid(45, 6), QByteArray("020300"));
}

TEST_F(RecordDecoderTest, TruncatedParameterRecordsReadMissingFieldsAsZero)
{
    decode(":81\r\n");
    EXPECT_TRUE(state.parameterInfo.modelCode.isEmpty());
    EXPECT_EQ(state.sensorCount, 0);
    EXPECT_TRUE(state.sensorCountKnown);

    decode(":8107K3");
    EXPECT_EQ(state.parameterInfo.modelCode, QStringLiteral("07K3"));
    decode(":8107K\r\nXYZ");
    EXPECT_EQ(state.parameterInfo.modelCode, QStringLiteral("07K"));
}

TEST_F(RecordDecoderTest, BadLineCountFallsBackBelowItsLimit)
{
    state.badLineCount = 19999;
    decode(":7F\r\n");
    EXPECT_EQ(state.badLineCount, 20000);
    decode(":7F\r\n");
    EXPECT_EQ(state.badLineCount, 19900);
    EXPECT_EQ(view.shownBadLineCount, 19900);
}

TEST_F(RecordDecoderTest, ExtendedMessagesFollowOnlyWhileRecording)
{
    decode(WorkedExample);
    EXPECT_TRUE(view.extendedText.isEmpty());

    view.recording = true;
    decode(WorkedExample);
    decode(":80a\r\n");
    EXPECT_EQ(view.extendedText, QString::fromLatin1(WorkedExample) + QStringLiteral(":80a\r\n"));
    EXPECT_EQ(view.extendedCaret, view.extendedText.size());
}

TEST_F(RecordDecoderTest, ExtendedMessagesEmptyWhenReaching60001Characters)
{
    view.recording = true;
    const int lineLength = ShortForm.size();
    view.extendedText = QString(60000 - lineLength, QLatin1Char('x'));
    decode(ShortForm);
    EXPECT_EQ(view.extendedText.size(), 60000);
    EXPECT_EQ(view.extendedCaret, 60000);

    view.extendedText = QString(60001 - lineLength, QLatin1Char('x'));
    decode(ShortForm);
    EXPECT_TRUE(view.extendedText.isEmpty());
    EXPECT_EQ(view.extendedCaret, 0);

    decode(ShortForm);
    EXPECT_EQ(view.extendedText, QString::fromLatin1(ShortForm));
}

TEST_F(RecordDecoderTest, WindowIsUpdatedBeforeTheLineIsLogged)
{
    view.recording = true;
    sink.calls = &view.calls;
    decode(":7F\r\n");
    EXPECT_EQ(view.calls, (QStringList{QStringLiteral("showLatestLine"),
                                       QStringLiteral("setExtendedMessages"),
                                       QStringLiteral("showBadLineCount 1"),
                                       QStringLiteral("writeDataLine")}));
}
