#pragma once
// Numbers of the stored summaries as little-endian base-128 digits, signed
// ones zigzagged: the columns hold small steps from one bucket to the next.
#include <QByteArray>
#include <cstddef>
#include <cstdint>

namespace Varint {

inline uint64_t zigzag(int64_t v)
{
    return (uint64_t(v) << 1) ^ uint64_t(v >> 63);
}

inline int64_t unzigzag(uint64_t v)
{
    return int64_t(v >> 1) ^ -int64_t(v & 1);
}

inline void put(QByteArray& out, uint64_t v)
{
    while (v >= 0x80) {
        out.append(char(v | 0x80));
        v >>= 7;
    }
    out.append(char(v));
}

inline void putSigned(QByteArray& out, int64_t v)
{
    put(out, zigzag(v));
}

// Writes into memory the caller made room in: at most MaxBytes a number.
constexpr size_t MaxBytes = 10;
inline char* put(char* p, uint64_t v)
{
    while (v >= 0x80) {
        *p++ = char(v | 0x80);
        v >>= 7;
    }
    *p++ = char(v);
    return p;
}

// Reads from a byte range; once it runs past the end (a damaged blob) every
// later read gives 0 and failed() says so.
class Reader {
public:
    Reader(const char* data, size_t size) : p_(reinterpret_cast<const unsigned char*>(data)), end_(p_ + size) {}

    uint64_t get()
    {
        uint64_t v = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            if (p_ == end_) {
                failed_ = true;
                return 0;
            }
            const unsigned char byte = *p_++;
            v |= uint64_t(byte & 0x7F) << shift;
            if (!(byte & 0x80))
                return v;
        }
        failed_ = true;
        return 0;
    }
    int64_t getSigned() { return unzigzag(get()); }
    bool failed() const { return failed_; }
    bool atEnd() const { return p_ == end_; }

private:
    const unsigned char* p_;
    const unsigned char* end_;
    bool failed_ = false;
};

} // namespace Varint
