#include "link/RecordDecoder.h"

#include "core/Record.h"
#include "link/ExtendedMessagesText.h"
#include "link/IDecoderView.h"
#include "link/MeasurementState.h"
#include "logging/EventSinks.h"

RecordDecoder::RecordDecoder(MeasurementState& state, IDecoderView& view, IDataLineSink& sink)
    : state_(state), view_(view), sink_(sink)
{
}

void RecordDecoder::decodeLine(QByteArray& line)
{
    const int type = Record::typeOf(line);
    const QString lineText = QString::fromLatin1(line);
    view_.showLatestLine(lineText);
    appendToExtendedMessages(lineText);

    switch (Record::kindOf(type)) {
    case Record::Kind::Sensor: decodeSensorRecord(line); break;
    case Record::Kind::Parameter: decodeParameterRecord(line); break;
    case Record::Kind::Text: break;
    case Record::Kind::Other: countBadLine(); break;
    }
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

void RecordDecoder::decodeSensorRecord(QByteArray& line)
{
    Record::Sensor record;
    Record::parseSensor(line, Record::SerialLine, record);
    Record::sanitise(line, Record::Kind::Sensor);
    const int s = record.sensor;
    for (int k = 1; k <= 5; ++k)
        state_.value(s, k) = record.value[k - 1];
    state_.value(s, Slot::StatusWord) = record.statusWord;
    state_.value(s, Slot::SensorErrorWord) = record.sensorErrorWord;
    state_.value(s, Slot::EvaluatorErrorWord) = record.evaluatorErrorWord;
    state_.value(s, Slot::ExtraValue) = record.extraValue;
}

void RecordDecoder::decodeParameterRecord(QByteArray& line)
{
    view_.showEvaluatorMenu();
    Record::Parameter record;
    Record::parseParameter(line, Record::SerialLine, record);
    Record::sanitise(line, Record::Kind::Parameter);
    record.applyTo(state_.parameterInfo);
    // A record cut off before its sensor count says nothing about the
    // sensors; reading it as 0 would grey out all six for good.
    if (!record.hasSensorCount)
        return;
    state_.sensorCount = record.info.sensorCount;
    for (int index = record.info.sensorCount; index < MeasurementState::SensorCount; ++index)
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
