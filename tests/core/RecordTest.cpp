#include "core/Record.h"

#include <QByteArray>
#include <gtest/gtest.h>

// Every byte value at every digit of the fields: exactly the hex digits are
// read, in either case, and each lands at its own digit of its own field.
TEST(Record, LogfileSensorFieldsReadEveryHexDigitAndRefuseEveryOtherByte)
{
    auto digitValue = [](int c) {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        return -1;
    };
    auto reference = [&](const char* r, Record::Sensor& out) {
        long f[6] = {};
        const int widths[6] = {2, 2, 4, 4, 4, 4};
        for (int k = 0, at = 1; k < 6; at += widths[k++])
            for (int i = at; i < at + widths[k]; ++i)
                f[k] = f[k] * 16 + digitValue(static_cast<unsigned char>(r[i]));
        auto s16 = [](long v) { return int(v >= 0x8000 ? v - 0x10000 : v); };
        out.sensor = int(f[0]) + 1;
        out.value[0] = int(f[1] >= 0x80 ? f[1] - 0x100 : f[1]);
        for (int v = 1; v < 5; ++v)
            out.value[v] = s16(f[v + 1]);
    };
    const QByteArray base = ":051E8226001900C8F0EB0021000000000000";
    for (int at = 3; at < 21; ++at) {
        for (int c = 0; c < 256; ++c) {
            QByteArray r = base;
            r[at] = char(c);
            Record::Sensor got, want;
            const bool read = Record::parseSensor(r, Record::Logfile, got);
            ASSERT_EQ(read, digitValue(c) >= 0) << "digit " << at << " byte " << c;
            if (!read)
                continue;
            reference(r.constData(), want);
            ASSERT_EQ(got.sensor, want.sensor) << "digit " << at << " byte " << c;
            for (int v = 0; v < 5; ++v)
                ASSERT_EQ(got.value[v], want.value[v]) << "digit " << at << " byte " << c << " value " << v;
        }
    }
}


TEST(Record, OnlyTypesZeroToFiveAreSensorRecords)
{
    Record::Sensor s;
    EXPECT_TRUE(Record::parseSensor(":05000000000000000000", Record::Logfile, s));
    EXPECT_EQ(s.sensor, 6);
    for (const char* record : {":06000000000000000000", ":80000000000000000000", ":0G000000000000000000"})
        EXPECT_FALSE(Record::parseSensor(record, Record::Logfile, s)) << record;
    EXPECT_EQ(Record::kindOf(Record::typeOf(":81")), Record::Kind::Parameter);
    EXPECT_EQ(Record::kindOf(Record::typeOf(":80,text")), Record::Kind::Text);
    EXPECT_EQ(Record::kindOf(Record::typeOf(":7F")), Record::Kind::Other);
    EXPECT_EQ(Record::typeOf(":"), Record::UnreadableType);
}
