#pragma once
// The stored form of a file's buckets of one tier: column after column, each
// number as its step from the bucket before, then zlib. A day of minute
// buckets (600 KB as structs) keeps some tens of KB.
#include "history/Bucket.h"

#include <QByteArray>
#include <vector>

namespace BucketCodec {

QByteArray encode(const std::vector<Bucket>& buckets);
// False for bytes that are not an encoding of buckets (out is then empty).
bool decode(const QByteArray& stored, std::vector<Bucket>& out);

} // namespace BucketCodec
