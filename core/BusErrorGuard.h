#pragma once
// Reading a mapped file that another program cuts short, or that sits on a
// medium pulled out meanwhile, raises a bus error on the missing pages, which
// would end the program. While a guard lives, a bus error inside the memory
// it watches puts a page of zeros where the missing page was and is noted;
// the reader then reports the file as unreadable instead of crashing. Bus
// errors anywhere else are left to the handler there was before.
//
// One guard at a time, on one thread (the reading one).
#include <cstddef>

class BusErrorGuard {
public:
    BusErrorGuard();
    ~BusErrorGuard();
    BusErrorGuard(const BusErrorGuard&) = delete;
    BusErrorGuard& operator=(const BusErrorGuard&) = delete;

    // The memory to watch from now on (none: nullptr, 0).
    void watch(const void* begin, size_t length);
    // Whether a bus error was caught in watched memory since the guard began.
    bool tripped() const;
};
