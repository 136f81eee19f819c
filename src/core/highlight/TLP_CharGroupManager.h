// The pool of character groups of one compiled parser. Rules refer to groups
// by a 16-bit index; equal groups (same set, same negate flag) share an index.
#pragma once

#include "core/lexicon/TLP_CharGroup.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

namespace quarno {

class TLP_CharGroupManager {
public:
    // The index of an equal group already pooled, else of the group appended.
    // ELexipad "Invalid Set ID (%d)" when the pool is full (65536 groups).
    uint16_t Add(const TLP_CharGroup& group);
    // The group of an index; ELexipad "Invalid Set ID (%d)" beyond the pool.
    const TLP_CharGroup& Get(uint16_t index) const;
    bool IsValid(uint16_t index) const { return index < m_groups.size(); }
    // Get without the check, for a scan that has made it already.
    const TLP_CharGroup& At(uint16_t index) const { return m_groups[index]; }
    size_t Count() const { return m_groups.size(); }
    void Clear();

private:
    using Key = std::pair<std::array<uint8_t, 32>, bool>;
    std::vector<TLP_CharGroup> m_groups;
    std::map<Key, uint16_t> m_index;
};

} // namespace quarno
