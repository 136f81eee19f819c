// The shared pool of character groups.
#include "core/highlight/TLP_CharGroupManager.h"

#include "core/base/Exceptions.h"
#include "core/base/StringUtils.h"

namespace quarno {

uint16_t TLP_CharGroupManager::Add(const TLP_CharGroup& group) {
    Key key{group.set.Bytes(), group.negate};
    auto found = m_index.find(key);
    if (found != m_index.end()) return found->second;
    if (m_groups.size() > 0xFFFF)
        throw ELexipad(Format("Invalid Set ID (%d)", static_cast<int>(m_groups.size())));
    auto index = static_cast<uint16_t>(m_groups.size());
    m_groups.push_back(group);
    m_index.emplace(key, index);
    return index;
}

const TLP_CharGroup& TLP_CharGroupManager::Get(uint16_t index) const {
    if (index >= m_groups.size())
        throw ELexipad(Format("Invalid Set ID (%d)", static_cast<int>(index)));
    return m_groups[index];
}

void TLP_CharGroupManager::Clear() {
    m_groups.clear();
    m_index.clear();
}

} // namespace quarno
