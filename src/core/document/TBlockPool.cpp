// Carving block arrays from growing regions.
#include "core/document/TBlockPool.h"

#include <algorithm>

namespace quarno {

void* TBlockPool::Take() {
    if (!m_free.empty()) {
        void* array = m_free.back();
        m_free.pop_back();
        return array;
    }
    if (m_left == 0) {
        // Regions double with what was carved, from four arrays, so a short
        // document stays small; past 32 arrays they are huge-page regions
        // (an array size that does not divide one leaves its rest unused).
        const size_t perLarge = std::max<size_t>(kLargeRegion / m_arrayBytes, 1);
        const size_t arrays = m_carved >= 32 ? perLarge : std::clamp<size_t>(m_carved, 4, 32);
        const size_t bytes = arrays == perLarge && m_arrayBytes <= kLargeRegion
                                 ? kLargeRegion
                                 : arrays * m_arrayBytes;
        m_regions.push_back(AllocateRegion(bytes));
        m_next = m_regions.back().get();
        m_left = bytes / m_arrayBytes;
    }
    void* array = m_next;
    m_next += m_arrayBytes;
    --m_left;
    ++m_carved;
    return array;
}

} // namespace quarno
