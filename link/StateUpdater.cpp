#include "link/StateUpdater.h"

#include "link/MeasurementState.h"
#include "link/RecordDecoder.h"

StateUpdater::StateUpdater(MeasurementState& state, QObject* parent) : QObject(parent), state_(state) {}

void StateUpdater::apply(const DecodedRecord& record)
{
    switch (record.kind) {
    case Record::Kind::Sensor: {
        const Record::Sensor& r = record.sensor;
        for (int k = 1; k <= 5; ++k)
            state_.value(r.sensor, k) = r.value[k - 1];
        state_.value(r.sensor, Slot::StatusWord) = r.statusWord;
        state_.value(r.sensor, Slot::SensorErrorWord) = r.sensorErrorWord;
        state_.value(r.sensor, Slot::EvaluatorErrorWord) = r.evaluatorErrorWord;
        state_.value(r.sensor, Slot::ExtraValue) = r.extraValue;
        break;
    }
    case Record::Kind::Parameter: applyParameter(record); break;
    case Record::Kind::Text: break;
    case Record::Kind::Other: countBadLine(); break;
    }
}

void StateUpdater::applyParameter(const DecodedRecord& record)
{
    emit parameterRecordReceived();
    const Record::Parameter& p = record.parameter;
    p.applyTo(state_.parameterInfo);
    // A record cut off before its sensor count says nothing about the
    // sensors; reading it as 0 would grey out all six for good.
    if (!p.hasSensorCount)
        return;
    state_.sensorCount = p.info.sensorCount;
    for (int index = p.info.sensorCount; index < MeasurementState::SensorCount; ++index)
        emit sensorAbsent(index);
    state_.sensorCountKnown = true;
}

void StateUpdater::countBadLine()
{
    int count = state_.badLineCount + 1;
    if (count > BadLineLimit)
        count = BadLineRestart;
    state_.badLineCount = int16_t(count);
    emit badLineCounted(count);
}
