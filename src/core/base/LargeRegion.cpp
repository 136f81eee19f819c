// Allocating regions that huge pages may back.
#include "core/base/LargeRegion.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <new>

namespace quarno {

void TRegionFree::operator()(char* region) const noexcept {
    std::free(region);
}

TRegion AllocateRegion(size_t size) {
    const bool large = size >= kLargeRegion && size % kLargeRegion == 0;
    void* region = large ? std::aligned_alloc(kLargeRegion, size) : std::malloc(size ? size : 1);
    if (!region) throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
    // Advice only: where huge pages are off the region works as it is.
    if (large) madvise(region, size, MADV_HUGEPAGE);
#endif
    return TRegion(static_cast<char*>(region));
}

void ReleaseUnused(char* start, size_t size) noexcept {
    static const auto page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto from = (reinterpret_cast<uintptr_t>(start) + page - 1) / page * page;
    const auto to = (reinterpret_cast<uintptr_t>(start) + size) / page * page;
    if (to > from) madvise(reinterpret_cast<void*>(from), to - from, MADV_DONTNEED);
}

} // namespace quarno
