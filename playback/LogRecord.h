#pragma once
// Decoding of the record text of a logfile line: the evaluator line as it
// was logged, from the character after its ":" on. Positions here count
// from 1 at that character, one less than on the serial line. Unlike the
// live decoder nothing is sanitised: a field holding a character that is
// not a hex digit makes the record unreadable.
#include "link/MeasurementState.h"

#include <cstddef>

namespace LogRecord {

enum class Kind { Ignored, Parameter, Sensor, Unreadable };

// The kind from the record code (the first two characters).
Kind kindOf(const char* r, size_t length);

// A sensor record: sensor number (code + 1, may be above 6) and the five
// values as they are plotted: value 1 and 3 as stored, 2, 4 and 5 in tenths
// divided by 10. False when a field cannot be read.
struct SensorValues {
    int sensor = 0;
    double value[5] = {};
};
bool decodeSensor(const char* r, size_t length, SensorValues& out);
// The sensor number of a record whose kind is Sensor (its code is two hex
// digits): code + 1, 1..256.
int sensorOf(const char* r);

// A parameter record. The three last words exist only when the record text
// is longer than 85 characters; apply() keeps the previous ones otherwise.
struct Parameters {
    ParameterInfo info;
    bool hasHighWords = false;
    void apply(ParameterInfo& target) const;
};
bool decodeParameters(const char* r, size_t length, Parameters& out);

} // namespace LogRecord
