#pragma once
#include "core/Events.h"

#include <QByteArray>
#include <QString>

// Where the parts report what happened. The logging folder implements them;
// receivers, decoders and trackers only see these interfaces.

// The event list: SetEventtext appends the text of an event, for per-sensor
// codes with the sensor number (0 when the event concerns no single sensor).
class IEventSink {
public:
    virtual ~IEventSink() = default;
    virtual void SetEventtext(EventCode code, int sensor) = 0;
};

// Information lines: SetInfotext appends to the data logfile, SetEvtInfotext
// to the event file.
class IInfoLog {
public:
    virtual ~IInfoLog() = default;
    virtual void SetInfotext(const QString& text) = 0;
    virtual void SetEvtInfotext(const QString& text) = 0;
};

// The data logfile writer as the record decoder sees it: one decoded line
// (from ":" through CR LF, as single-byte text) with its record type.
class IDataLineSink {
public:
    virtual ~IDataLineSink() = default;
    virtual void writeDataLine(const QByteArray& line, int recordType) = 0;
};

// Records an event where it belongs, in this order: the event list, the data
// logfile, the event file (each in its own words, from the event table).
// Either sink may be null.
void recordEvent(IEventSink* events, IInfoLog* info, EventCode code, int sensor = 0,
                 const QString& installation = QString());
