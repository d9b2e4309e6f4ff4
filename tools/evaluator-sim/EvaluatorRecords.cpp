#include "EvaluatorRecords.h"

void appendHex(std::string& out, long value, int digits)
{
    static const char Digits[] = "0123456789ABCDEF";
    const unsigned long v = static_cast<unsigned long>(value);
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
        out.push_back(Digits[(v >> shift) & 0xF]);
}

void appendSensorRecord(std::string& out, int sensor, const SensorReading& r)
{
    out.push_back(':');
    appendHex(out, sensor - 1, 2);
    appendHex(out, r.oilQuality, 2);
    appendHex(out, r.oilTemperature, 4);
    appendHex(out, r.lossFactor, 4);
    appendHex(out, r.tdnNumber, 4);
    appendHex(out, r.ambientTemperature, 4);
    appendHex(out, r.statusWord & 0x3FFF, 4);
    appendHex(out, r.sensorErrorWord & 0x1FFF, 4);
    appendHex(out, r.evaluatorErrorWord & 0x0FFF, 4);
    appendHex(out, r.extraValue, 4);
}

std::string parameterRecord(int sensorCount, const ParameterLevels& l)
{
    std::string out = ":81";
    out += "07K31";
    out += "V2.14 SIM    "; // version text, 13 characters
    out += std::string(16, '0');
    out += "SIM00001"; // serial number
    appendHex(out, sensorCount, 2);
    const int levels[] = {
        l.main,     // main alarm level
        l.pre,      // pre-alarm level
        900,        // temperature alarm level (90.0)
        800,        // temperature pre-alarm level (80.0)
        0,          // main alarm level 2: off
        0,          // alarm 2 sensor
        0,          // temperature alarm level 2
        0,          // temperature pre-alarm level 2
        l.mainHigh, // main alarm level high (1300: off)
        l.preHigh,  // pre-alarm level high (0: off)
        0,          // pre-alarm level 2: off
    };
    for (const int level : levels)
        appendHex(out, level, 4);
    return out;
}

std::string textRecord(const std::string& text)
{
    return ":80" + text;
}
