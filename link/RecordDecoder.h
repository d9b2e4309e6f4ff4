#pragma once
#include "core/Record.h"

#include <QByteArray>
#include <QObject>

// One evaluator line as the decoder hands it on: the line as received (what
// the window shows), as it is logged (a sensor or parameter record's numeric
// part cleaned, nothing after its first CR LF) and the record it holds.
struct DecodedRecord {
    QByteArray received;
    QByteArray line;
    int type = Record::UnreadableType;
    Record::Kind kind = Record::Kind::Other;
    Record::Sensor sensor;       // when kind is Sensor
    Record::Parameter parameter; // when kind is Parameter
};

// Decodes each line the receiver hands over, by the serial line's dialect
// of the record format, and hands the record on. Takes any bytes: fields
// that lie wholly or partly beyond the end of the line, or would take in its
// CR LF, read 0, and non-hex characters in a numeric field read "0".
//
// The main window connects recordDecoded to the window (the latest line),
// the measurement state and the data logfile writer, in that order.
class RecordDecoder final : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // line runs from ":" through CR LF.
    void decodeLine(QByteArray line);

signals:
    void recordDecoded(const DecodedRecord& record);
};
