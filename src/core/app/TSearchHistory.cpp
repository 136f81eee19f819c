// The list behind a search dialog's history box.
#include "core/app/TSearchHistory.h"

#include <algorithm>

namespace quarno {

bool TSearchHistory::Listable(const std::string& text) {
    return !text.empty() && text.find_first_of("\r\n") == std::string::npos;
}

void TSearchHistory::Load(const std::vector<std::string>& items) {
    m_items.clear();
    for (const std::string& item : items)
        AddAtEnd(item);
}

int TSearchHistory::IndexOf(const std::string& text) const {
    auto found = std::find(m_items.begin(), m_items.end(), text);
    return found == m_items.end() ? -1 : static_cast<int>(found - m_items.begin());
}

int TSearchHistory::AddAtEnd(const std::string& text) {
    if (!Listable(text)) return -1;
    int index = IndexOf(text);
    if (index >= 0) return index;
    m_items.push_back(text);
    return static_cast<int>(m_items.size()) - 1;
}

void TSearchHistory::Remember(const std::string& text) {
    if (!Listable(text)) return;
    int index = IndexOf(text);
    if (index >= 0) m_items.erase(m_items.begin() + index);
    m_items.insert(m_items.begin(), text);
}

} // namespace quarno
