#pragma once
// A running checksum of a file's first bytes, to tell a file that only grew
// from one rewritten in place. Four independent lanes of multiply and
// rotate, some 4 bytes a cycle: it runs over every byte a summary reads.
// Not cryptographic; a file is never trusted for more than being the same.
#include <cstddef>
#include <cstdint>

class PrefixChecksum {
public:
    PrefixChecksum();
    void add(const char* data, size_t length);
    // The checksum of all bytes added so far; adding may go on after it.
    uint64_t digest() const;
    uint64_t bytes() const { return total_; }

private:
    uint64_t lanes_[4];
    unsigned char pending_[32] = {};
    size_t pendingSize_ = 0;
    uint64_t total_ = 0;
};
