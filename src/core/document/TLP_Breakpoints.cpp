// Breakpoints and the code-break marker.
#include "core/document/TLP_Breakpoints.h"

#include <algorithm>

namespace quarno {

void TLP_BreakpointData::SetEnabled(bool enabled) {
    if (enabled == m_enabled) return;
    m_enabled = enabled;
    if (m_owner) {
        m_owner->m_changed = true;
        if (m_owner->OnStateChange) m_owner->OnStateChange(*this);
    }
}

TLP_Breakpoints::TLP_Breakpoints() = default;

TLP_Breakpoints::~TLP_Breakpoints() {
    Clear();
}

TLP_BreakpointData* TLP_Breakpoints::Add(int position) {
    auto item = std::make_unique<TLP_BreakpointData>();
    item->position = position;
    item->m_owner = this;
    m_items.push_back(std::move(item));
    m_sorted = false;
    m_changed = true;
    return m_items.back().get();
}

void TLP_Breakpoints::Destroy(size_t index) {
    if (OnFree) OnFree(*m_items[index]);
    m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(index));
    m_changed = true;
}

void TLP_Breakpoints::Remove(TLP_BreakpointData* item) {
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].get() == item) {
            Destroy(i);
            return;
        }
}

void TLP_Breakpoints::Clear() {
    while (!m_items.empty())
        Destroy(m_items.size() - 1);
}

void TLP_Breakpoints::Sort() {
    if (m_sorted) return;
    std::stable_sort(m_items.begin(), m_items.end(),
                     [](const auto& a, const auto& b) { return a->position < b->position; });
    m_sorted = true;
}

TLP_BreakpointData* TLP_Breakpoints::Find(int position) {
    Sort();
    auto found = std::lower_bound(m_items.begin(), m_items.end(), position,
                                  [](const auto& item, int p) { return item->position < p; });
    return found != m_items.end() && (*found)->position == position ? found->get() : nullptr;
}

bool TLP_Breakpoints::LineLook(int lineStart, TBreakpointLook& look) {
    TLP_BreakpointData* item = Find(lineStart);
    if (!item) return false;
    look = item->Enabled() ? enabledLook : disabledLook;
    return true;
}

void TLP_Breakpoints::ShiftForInsert(int position, int count) {
    for (auto& item : m_items)
        if (item->position >= position) item->position += count;
    m_sorted = false;
}

void TLP_Breakpoints::ShiftForDelete(int position, int count,
                                     const std::function<int(int)>& lineEnd) {
    int end = position + count;
    for (size_t i = m_items.size(); i-- > 0;) {
        int start = m_items[i]->position;
        if (start >= position && lineEnd(start) <= end) {
            Destroy(i);
            continue;
        }
        if (start > position) m_items[i]->position = start >= end ? start - count : position;
    }
    m_sorted = false;
}

void TLP_Breakpoints::SnapToLines(const std::function<int(int)>& lineStart) {
    for (auto& item : m_items)
        item->position = lineStart(item->position);
    m_sorted = false;
}

TLP_CodeBreak::TLP_CodeBreak() {
    Add(0)->m_enabled = false;
    enabledLook = {12, 16777215, 8388608};
    m_changed = false;
}

void TLP_CodeBreak::Set(int lineStart) {
    Data().position = lineStart;
    Data().SetEnabled(true);
    m_changed = true;
}

bool TLP_CodeBreak::LineLook(int lineStart, TBreakpointLook& look) {
    if (!Data().Enabled() || Data().position != lineStart) return false;
    look = enabledLook;
    return true;
}

void TLP_CodeBreak::ShiftForDelete(int position, int count,
                                   const std::function<int(int)>& lineEnd) {
    int start = Data().position;
    if (start >= position && lineEnd(start) <= position + count) Data().SetEnabled(false);
    if (start > position) Data().position = start >= position + count ? start - count : position;
}

} // namespace quarno
