#include "link/RecordDecoder.h"

#include "link/ExtendedMessagesText.h"
#include "link/IDecoderView.h"
#include "link/MeasurementState.h"
#include "link/SubFunctions.h"
#include "logging/EventSinks.h"

#include <algorithm>

namespace {

// Fixed-width fields of one line, by 1-based position. Only the part before
// the first CR LF is ever read, so a short line never yields its line end or
// bytes beyond it as digits.
class FieldReader {
public:
    explicit FieldReader(const QByteArray& line)
        : line_(line), contentLength_(CutAtLineEnd(line).size())
    {
    }

    // The digits of a field that lies wholly inside the content, else 0.
    int unsignedValue(int position, int width) const
    {
        return complete(position, width) ? HexToSigned(field(position, width), 0) : 0;
    }

    int signedValue(int position, int width) const
    {
        return complete(position, width) ? HexToSigned(field(position, width), width) : 0;
    }

    // As much of a text field as the content holds.
    QString text(int position, int width) const
    {
        const qsizetype from = position - 1;
        if (from >= contentLength_)
            return QString();
        const qsizetype count = std::min<qsizetype>(width, contentLength_ - from);
        return QString::fromLatin1(line_.constData() + from, count);
    }

    bool complete(int position, int width) const
    {
        return position >= 1 && position - 1 + width <= contentLength_;
    }

private:
    QByteArrayView field(int position, int width) const
    {
        return QByteArrayView(line_.constData() + position - 1, width);
    }

    const QByteArray& line_;
    qsizetype contentLength_;
};

// Positions 2-3; Unreadable unless both are hexadecimal digits.
int recordTypeOf(const QByteArray& line)
{
    if (line.size() < 3 || !isHexDigit(line.at(1)) || !isHexDigit(line.at(2)))
        return RecordType::Unreadable;
    return HexToSigned(QByteArrayView(line.constData() + 1, 2), 0) & 0x0FFF;
}

// The parameter fields are held as 16-bit signed numbers.
int16_t parameterValue(const FieldReader& fields, int position)
{
    return int16_t(std::min(fields.unsignedValue(position, 4), 0x7FFF));
}

} // namespace

RecordDecoder::RecordDecoder(MeasurementState& state, IDecoderView& view, IDataLineSink& sink)
    : state_(state), view_(view), sink_(sink)
{
}

void RecordDecoder::decodeLine(QByteArray& line)
{
    const int type = recordTypeOf(line);
    const QString lineText = QString::fromLatin1(line);
    view_.showLatestLine(lineText);
    appendToExtendedMessages(lineText);

    if (type >= RecordType::FirstSensor && type <= RecordType::LastSensor)
        decodeSensorRecord(line, type + 1);
    else if (type == RecordType::Parameter)
        decodeParameterRecord(line);
    else if (type != RecordType::Text)
        countBadLine();

    sink_.writeDataLine(line, type);
}

void RecordDecoder::appendToExtendedMessages(const QString& lineText)
{
    if (!view_.extendedMessagesRecording())
        return;
    const ExtendedMessagesText box =
        ExtendedMessagesText::appended(view_.extendedMessagesText(), lineText);
    view_.setExtendedMessages(box.text, box.caret);
}

void RecordDecoder::decodeSensorRecord(QByteArray& line, int sensor)
{
    line = SanitizeHex(line, 4);
    const qsizetype length = line.size();
    const FieldReader fields(line);

    state_.value(sensor, Slot::OilQuality) = fields.signedValue(4, 2);
    state_.value(sensor, Slot::OilTemperature) = fields.signedValue(6, 4);
    state_.value(sensor, Slot::LossFactor) = fields.signedValue(10, 4);
    state_.value(sensor, Slot::TdnNumber) = fields.signedValue(14, 4);
    state_.value(sensor, Slot::AmbientTemperature) = fields.signedValue(18, 4);
    state_.value(sensor, Slot::StatusWord) = length >= 23 ? fields.unsignedValue(22, 4) & 0x3FFF : 0;
    const bool full = length > 27;
    state_.value(sensor, Slot::SensorErrorWord) = full ? fields.unsignedValue(26, 4) & 0x1FFF : 0;
    state_.value(sensor, Slot::EvaluatorErrorWord) = full ? fields.unsignedValue(30, 4) & 0x0FFF : 0;
    state_.value(sensor, Slot::ExtraValue) = full ? fields.signedValue(34, 4) : 0;
}

void RecordDecoder::decodeParameterRecord(QByteArray& line)
{
    view_.showEvaluatorMenu();

    ParameterInfo& info = state_.parameterInfo;
    {
        // The identity texts are taken as sent, before the numeric part is
        // cleaned.
        const FieldReader texts(line);
        info.modelCode = texts.text(4, 5);
        info.versionText = texts.text(9, 13);
        info.serialNumber = texts.text(38, 8);
    }

    line = SanitizeHex(line, 46);
    const qsizetype length = line.size();
    const FieldReader fields(line);

    // A record cut off before its sensor count says nothing about the
    // sensors; reading it as 0 would grey out all six for good.
    const bool countSent = fields.complete(46, 2);
    const int16_t count = int16_t(fields.unsignedValue(46, 2) & 0x0FFF);
    if (countSent) {
        info.sensorCount = count;
        state_.sensorCount = count;
    }
    info.mainAlarmLevel = parameterValue(fields, 48);
    info.preAlarmLevel = parameterValue(fields, 52);
    info.tempAlarmLevel = parameterValue(fields, 56);
    info.tempPreAlarmLevel = parameterValue(fields, 60);
    info.mainAlarmLevel2 = parameterValue(fields, 64);
    info.alarm2Sensor = parameterValue(fields, 68);
    info.tempAlarmLevel2 = parameterValue(fields, 72);
    info.tempPreAlarmLevel2 = parameterValue(fields, 76);
    // Older evaluators send no high levels; the last known ones stay.
    if (length > 85) {
        info.mainAlarmLevelHigh = parameterValue(fields, 80);
        info.preAlarmLevelHigh = parameterValue(fields, 84);
        info.preAlarmLevel2 = parameterValue(fields, 88);
    }

    if (!countSent)
        return;
    for (int index = count; index < MeasurementState::SensorCount; ++index)
        view_.greyOutSensor(index);
    state_.sensorCountKnown = true;
}

void RecordDecoder::countBadLine()
{
    int count = state_.badLineCount + 1;
    if (count > BadLineLimit)
        count = BadLineRestart;
    state_.badLineCount = int16_t(count);
    view_.showBadLineCount(count);
}
