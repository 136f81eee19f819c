// Named bookmarks that follow the text.
#include "core/document/TCustomBookmarks.h"

#include <vector>

namespace quarno {

void TCustomBookmarks::Add(const std::string& name, int position) {
    m_positions[name] = position;
}

void TCustomBookmarks::Remove(const std::string& name) {
    m_positions.erase(name);
}

int TCustomBookmarks::Find(const std::string& name) const {
    auto found = m_positions.find(name);
    return found == m_positions.end() ? -1 : found->second;
}

std::multimap<int, std::string> TCustomBookmarks::ByPosition() const {
    std::multimap<int, std::string> ordered;
    for (const auto& [name, position] : m_positions)
        ordered.emplace(position, name);
    return ordered;
}

void TCustomBookmarks::Clear() {
    std::vector<std::string> names;
    for (const auto& entry : m_positions)
        names.push_back(entry.first);
    m_positions.clear();
    if (OnFree)
        for (const std::string& name : names)
            OnFree(name);
}

void TCustomBookmarks::ShiftForInsert(int position, int count) {
    for (auto& entry : m_positions)
        if (entry.second >= position) entry.second += count;
}

// Bookmarks strictly inside the deleted range go; later ones move back.
void TCustomBookmarks::ShiftForDelete(int position, int count) {
    std::vector<std::string> removed;
    for (auto it = m_positions.begin(); it != m_positions.end();) {
        if (it->second > position && it->second < position + count) {
            removed.push_back(it->first);
            it = m_positions.erase(it);
            continue;
        }
        if (it->second >= position + count) it->second -= count;
        ++it;
    }
    if (OnFree)
        for (const std::string& name : removed)
            OnFree(name);
}

} // namespace quarno
