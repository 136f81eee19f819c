// Memory for stores that grow to many megabytes. A region of kLargeRegion
// bytes is aligned and advised so that the kernel may back it with one huge
// page: touching it then costs one page fault where 4 KB pages cost 512,
// which is most of the time a large file takes to load. Smaller regions are
// plain allocations, so a small document does not hold a huge page.
#pragma once

#include <cstddef>
#include <memory>

namespace quarno {

inline constexpr size_t kLargeRegion = size_t{2} << 20;

struct TRegionFree {
    void operator()(char* region) const noexcept;
};
using TRegion = std::unique_ptr<char[], TRegionFree>;

// Uninitialised storage of size bytes (at least one); throws std::bad_alloc.
TRegion AllocateRegion(size_t size);
// Gives the whole pages within [start, start + size), the unused end of a
// region, back to the system: a huge page no longer holds the megabyte a
// finished load did not fill. The bytes read as zero when touched again.
void ReleaseUnused(char* start, size_t size) noexcept;

} // namespace quarno
