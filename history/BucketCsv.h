#pragma once
// Buckets as CSV rows (UTF-8, comma, RFC 4180, CR LF):
//
//   start,sensor,value,count,min,mean,max
//   2026-03-29T03:00:00+02:00,1,oil_temperature,3600,55.1,55.342,55.9
//
// One row per sensor and value with records in the bucket, sensor by
// sensor, values in their order. Values in the readouts' units (Series),
// min and max with the value's decimals, the mean with three (halves away
// from zero), "." as decimal point whatever the locale.
#include "history/Bucket.h"

#include <QByteArray>
#include <cstdint>

namespace BucketCsv {

QByteArray header();
void appendRows(QByteArray& out, const Bucket& bucket);

// ISO 8601 local time with its offset: 2026-10-25T02:00:00+01:00.
QByteArray localTime(int64_t instant, int32_t offset);
// A record's number in the readout's unit with the value's decimals: 552 -> "55.2".
QByteArray valueText(int value, int64_t raw);
// sum / count in the readout's unit with three decimals.
QByteArray meanText(int value, int64_t sum, int64_t count);

} // namespace BucketCsv
