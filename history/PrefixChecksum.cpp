#include "history/PrefixChecksum.h"

#include <cstring>

namespace {
constexpr uint64_t P1 = 0x9E3779B185EBCA87ull;
constexpr uint64_t P2 = 0xC2B2AE3D27D4EB4Full;
constexpr uint64_t P3 = 0x165667B19E3779F9ull;

inline uint64_t rotl(uint64_t v, int r)
{
    return (v << r) | (v >> (64 - r));
}

inline uint64_t round(uint64_t lane, uint64_t input)
{
    return rotl(lane + input * P2, 31) * P1;
}

inline uint64_t word(const unsigned char* p)
{
    uint64_t w;
    std::memcpy(&w, p, sizeof w);
    return w;
}

inline void stripe(uint64_t (&lanes)[4], const unsigned char* p)
{
    lanes[0] = round(lanes[0], word(p));
    lanes[1] = round(lanes[1], word(p + 8));
    lanes[2] = round(lanes[2], word(p + 16));
    lanes[3] = round(lanes[3], word(p + 24));
}
} // namespace

PrefixChecksum::PrefixChecksum() : lanes_{P1 + P2, P2, 0, 0 - P1} {}

void PrefixChecksum::add(const char* data, size_t length)
{
    auto p = reinterpret_cast<const unsigned char*>(data);
    total_ += length;
    if (pendingSize_ > 0) {
        const size_t take = length < 32 - pendingSize_ ? length : 32 - pendingSize_;
        std::memcpy(pending_ + pendingSize_, p, take);
        pendingSize_ += take;
        p += take;
        length -= take;
        if (pendingSize_ < 32)
            return;
        stripe(lanes_, pending_);
        pendingSize_ = 0;
    }
    for (; length >= 32; p += 32, length -= 32)
        stripe(lanes_, p);
    std::memcpy(pending_, p, length);
    pendingSize_ = length;
}

uint64_t PrefixChecksum::digest() const
{
    uint64_t h = rotl(lanes_[0], 1) + rotl(lanes_[1], 7) + rotl(lanes_[2], 12) + rotl(lanes_[3], 18);
    h ^= total_ * P3;
    for (size_t i = 0; i < pendingSize_; ++i)
        h = rotl(h ^ (pending_[i] * P3), 11) * P1;
    h ^= h >> 33;
    h *= P2;
    h ^= h >> 29;
    return h;
}
