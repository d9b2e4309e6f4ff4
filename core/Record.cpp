#include "core/Record.h"

#include "core/Hex.h"

#include <QByteArray>
#include <algorithm>

namespace Record {
namespace {

// Fixed-width fields of one record, by 1-based position, read by the
// dialect's rules. A logfile field with a non-hex character marks the
// record bad.
class Fields {
public:
    // A logfile's line holds no line end (lines end at their LF), so only
    // the serial line's records are searched for one.
    Fields(QByteArrayView record, const Dialect& dialect)
        : text_(dialect.fromLogfile ? record : beforeLineEnd(record)), fromLogfile_(dialect.fromLogfile)
    {
    }

    qsizetype length() const { return text_.size(); }
    bool bad() const { return bad_; }
    bool complete(int position, int width) const { return position >= 1 && position - 1 + width <= length(); }

    long unsignedValue(int position, int width)
    {
        if (!fromLogfile_ && !complete(position, width))
            return 0;
        const qsizetype from = position - 1;
        const qsizetype to = std::min<qsizetype>(from + width, length());
        long value = 0;
        for (qsizetype i = from; i < to; ++i) {
            const int d = Hex::digit(text_[i]);
            if (d < 0 && fromLogfile_)
                bad_ = true;
            value = value * 16 + std::max(d, 0);
        }
        return value;
    }

    // Two digits read as signed 8-bit, four as signed 16-bit.
    int signedValue(int position, int width)
    {
        const long v = unsignedValue(position, width);
        const long half = width == 2 ? 0x80 : 0x8000;
        return int(v >= half ? v - 2 * half : v);
    }

    // As much of a text field as the record holds, as sent.
    QString text(int position, int width) const
    {
        const qsizetype from = position - 1;
        if (from >= length())
            return QString();
        return QString::fromLatin1(text_.data() + from, std::min<qsizetype>(width, length() - from));
    }

    const char* data() const { return text_.data(); }

private:
    QByteArrayView text_;
    bool fromLogfile_;
    bool bad_ = false;
};

// The parameter levels are held as 16-bit signed numbers.
int16_t level(Fields& fields, int position)
{
    return int16_t(std::min<long>(fields.unsignedValue(position, 4), 0x7FFF));
}

// Positions 2-21 of a sensor record in two reads of sixteen digits: the type
// and the five values, the common case of a whole record. False when any of
// them is not a hex digit.
bool readValuesAtOnce(const char* text, Sensor& out)
{
    uint64_t a = 0, b = 0;
    if (!Hex::sixteen(text + 1, a) || !Hex::sixteen(text + 5, b))
        return false;
    // Byte-swapped, each value's two bytes lie in the order they are read.
    const uint64_t first = __builtin_bswap64(a);
    out.sensor = int(a & 0xFF) + 1;
    out.value[0] = int(int8_t(uint8_t(a >> 8)));
    out.value[1] = int16_t(uint16_t(first >> 32));
    out.value[2] = int16_t(uint16_t(first >> 16));
    out.value[3] = int16_t(uint16_t(first));
    out.value[4] = int16_t(uint16_t(__builtin_bswap64(b)));
    return true;
}

// The words after the values, sent on the serial line only.
void readWords(Fields& fields, Sensor& out)
{
    out.statusWord = int(fields.unsignedValue(22, 4) & 0x3FFF);
    out.sensorErrorWord = int(fields.unsignedValue(26, 4) & 0x1FFF);
    out.evaluatorErrorWord = int(fields.unsignedValue(30, 4) & 0x0FFF);
    out.extraValue = fields.signedValue(34, 4);
}

// A record cut short, or one with a field that is not hex, field by field.
bool parseSensorByFields(QByteArrayView text, const Dialect& dialect, Sensor& out)
{
    const int type = typeOf(text);
    if (kindOf(type) != Kind::Sensor)
        return false;
    if (dialect.fromLogfile && text.size() >= 21)
        return false; // every value field is there, and one is not hex
    Fields fields(text, dialect);
    out.sensor = type + 1;
    static const int positions[5] = {4, 6, 10, 14, 18};
    for (int v = 0; v < 5; ++v)
        out.value[v] = fields.signedValue(positions[v], v == 0 ? 2 : 4);
    if (!dialect.fromLogfile)
        readWords(fields, out);
    return !fields.bad();
}

} // namespace

QByteArrayView beforeLineEnd(QByteArrayView text)
{
    const qsizetype end = text.indexOf(QByteArrayView("\r\n"));
    return end < 0 ? text : text.first(end);
}

void sanitiseFrom(QByteArray& line, int startPosition)
{
    const qsizetype end = beforeLineEnd(line).size();
    for (qsizetype i = std::max(startPosition, 1) - 1; i < end; ++i)
        if (!Hex::isDigit(line.at(i)))
            line[i] = '0';
}

bool parseSensor(QByteArrayView record, const Dialect& dialect, Sensor& out)
{
    const QByteArrayView text = dialect.fromLogfile ? record : beforeLineEnd(record);
    if (text.size() < 21 || !readValuesAtOnce(text.data(), out))
        return parseSensorByFields(text, dialect, out);
    if (kindOf(out.sensor - 1) != Kind::Sensor)
        return false;
    if (!dialect.fromLogfile) {
        Fields fields(text, dialect);
        readWords(fields, out);
    }
    return true;
}

bool parseParameter(QByteArrayView record, const Dialect& dialect, Parameter& out)
{
    if (kindOf(typeOf(record)) != Kind::Parameter)
        return false;
    Fields fields(record, dialect);
    ParameterInfo& p = out.info;
    p.modelCode = fields.text(4, 5);
    p.versionText = fields.text(9, 13);
    p.serialNumber = fields.text(38, 8);
    out.hasSensorCount = dialect.fromLogfile || fields.complete(46, 2);
    p.sensorCount = int16_t(fields.unsignedValue(46, 2) & 0x0FFF);
    int16_t* levels[] = {&p.mainAlarmLevel,  &p.preAlarmLevel, &p.tempAlarmLevel,     &p.tempPreAlarmLevel,
                         &p.mainAlarmLevel2, &p.alarm2Sensor,  &p.tempAlarmLevel2,    &p.tempPreAlarmLevel2,
                         &p.mainAlarmLevelHigh, &p.preAlarmLevelHigh, &p.preAlarmLevel2};
    out.hasHighLevels = fields.length() > dialect.highLevelsAfter;
    const int count = out.hasHighLevels ? 11 : 8;
    for (int i = 0; i < count; ++i)
        *levels[i] = level(fields, 48 + 4 * i);
    return !fields.bad();
}

void Parameter::applyTo(ParameterInfo& target) const
{
    const ParameterInfo previous = target;
    target = info;
    if (!hasSensorCount)
        target.sensorCount = previous.sensorCount;
    if (!hasHighLevels) {
        target.mainAlarmLevelHigh = previous.mainAlarmLevelHigh;
        target.preAlarmLevelHigh = previous.preAlarmLevelHigh;
        target.preAlarmLevel2 = previous.preAlarmLevel2;
    }
}

void sanitise(QByteArray& line, Kind kind)
{
    if (kind != Kind::Sensor && kind != Kind::Parameter)
        return;
    sanitiseFrom(line, kind == Kind::Sensor ? 4 : 46);
    const qsizetype end = beforeLineEnd(line).size();
    if (end < line.size())
        line.truncate(end + 2);
}

} // namespace Record
