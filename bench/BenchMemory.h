// The resident memory of the benchmark process, for memory-per-byte figures.
#pragma once

#include <cstdint>
#include <fstream>
#include <malloc.h>
#include <unistd.h>

namespace quarno::bench {

// Resident bytes now (not the peak).
inline int64_t ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    int64_t size = 0;
    int64_t resident = 0;
    statm >> size >> resident;
    return resident * static_cast<int64_t>(sysconf(_SC_PAGESIZE));
}

// Hands freed heap memory back, so a later difference counts what was kept.
inline void ReleaseFreedMemory() {
    malloc_trim(0);
}

} // namespace quarno::bench
