#include "link/RecordDecoder.h"

void RecordDecoder::decodeLine(QByteArray line)
{
    DecodedRecord record;
    record.received = line;
    record.type = Record::typeOf(line);
    record.kind = Record::kindOf(record.type);
    // The identity texts of a parameter record are taken as sent; only then
    // is the numeric part cleaned for the logfile.
    if (record.kind == Record::Kind::Sensor)
        Record::parseSensor(line, Record::SerialLine, record.sensor);
    else if (record.kind == Record::Kind::Parameter)
        Record::parseParameter(line, Record::SerialLine, record.parameter);
    Record::sanitise(line, record.kind);
    record.line = line;
    emit recordDecoded(record);
}
