#pragma once
// This process's resident memory, as the kernel counts it.
#include <fstream>
#include <string>

// A field of /proc/self/status in MB (VmRSS now, VmHWM the peak).
inline double statusMegabytes(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == field) {
            double kb = 0;
            status >> kb;
            return kb / 1024.0;
        }
        status.ignore(1 << 12, '\n');
    }
    return 0;
}

// Lets the peak resident size (VmHWM) start again from the current one.
inline void resetPeakMemory()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}
