// A sorted list of two-column entries.
#include "core/options/TEntryList.h"

#include "core/base/StringUtils.h"

#include <algorithm>

namespace quarno {

namespace {

bool Before(const std::string& a, const std::string& b) {
    return LowerCase(a) < LowerCase(b);
}

} // namespace

std::string TEntryList::Entry(std::string_view name, std::string_view value) {
    return std::string(name) + '\t' + std::string(value);
}

std::string TEntryList::Name(int index) const {
    const std::string& item = m_items.at(static_cast<size_t>(index));
    return item.substr(0, item.find('\t'));
}

std::string TEntryList::Value(int index) const {
    const std::string& item = m_items.at(static_cast<size_t>(index));
    size_t tab = item.find('\t');
    return tab == std::string::npos ? std::string() : item.substr(tab + 1);
}

int TEntryList::Insert(const std::string& entry) {
    auto at = std::upper_bound(m_items.begin(), m_items.end(), entry, Before);
    auto inserted = m_items.insert(at, entry);
    return static_cast<int>(inserted - m_items.begin());
}

void TEntryList::RemoveAt(int index) {
    if (index < 0 || index >= Count()) return;
    m_items.erase(m_items.begin() + index);
}

int TEntryList::IndexOf(std::string_view entry) const {
    auto found = std::find(m_items.begin(), m_items.end(), entry);
    return found == m_items.end() ? -1 : static_cast<int>(found - m_items.begin());
}

int TEntryList::IndexOfName(std::string_view name) const {
    std::string prefix = std::string(name) + '\t';
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].starts_with(prefix)) return static_cast<int>(i);
    return -1;
}

} // namespace quarno
