#pragma once
#include <QObject>

struct DecodedRecord;
struct MeasurementState;

// Writes each decoded record into the measurement state: a sensor record
// into its sensor's row, a parameter record into the parameter info and the
// sensor count, and counts the lines of any other type.
class StateUpdater final : public QObject {
    Q_OBJECT
public:
    // Lines of unknown type above this count set it back to BadLineRestart.
    static constexpr int BadLineLimit = 20000;
    static constexpr int BadLineRestart = 19900;

    explicit StateUpdater(MeasurementState& state, QObject* parent = nullptr);

    void apply(const DecodedRecord& record);
    // One more bad line (also one the receiver had to discard).
    void countBadLine();

signals:
    // A parameter record came: the "Evaluator" menu has something to show.
    void parameterRecordReceived();
    // The evaluator has no sensor of this index (0..5): its controls get
    // their disabled look. Sent for each absent sensor before
    // sensorCountKnown is set.
    void sensorAbsent(int index);
    void badLineCounted(int count);

private:
    void applyParameter(const DecodedRecord& record);

    MeasurementState& state_;
};
