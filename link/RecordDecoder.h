#pragma once
#include <QByteArray>

struct MeasurementState;
class IDecoderView;
class IDataLineSink;


// Decodes one evaluator line into the measurement state, shows it and hands
// it to the data logfile writer. Takes any bytes: fields that lie wholly or
// partly beyond the end of the line, or that would take in its CR LF, read 0;
// a parameter record cut off before its sensor count leaves the count, the
// greyed-out sensors and sensorCountKnown as they were.
class RecordDecoder {
public:
    RecordDecoder(MeasurementState& state, IDecoderView& view, IDataLineSink& sink);

    // line runs from ":" through CR LF. Sensor and parameter records have
    // their numeric part rewritten in line (non-hex characters become "0",
    // anything after the first CR LF is cut off); the rewritten line is what
    // the writer gets.
    void decodeLine(QByteArray& line);

    // Lines of unknown type above this count set it back to BadLineRestart.
    static constexpr int BadLineLimit = 20000;
    static constexpr int BadLineRestart = 19900;

private:
    void decodeSensorRecord(QByteArray& line);
    void decodeParameterRecord(QByteArray& line);
    void countBadLine();
    void appendToExtendedMessages(const QString& lineText);

    MeasurementState& state_;
    IDecoderView& view_;
    IDataLineSink& sink_;
};
