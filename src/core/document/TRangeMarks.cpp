// Range marks that follow the text.
#include "core/document/TRangeMarks.h"

#include <algorithm>

namespace quarno {

TRangeMark* TRangeMarks::Add(int start, int length, int32_t value) {
    TRangeMark mark;
    mark.start = std::min(start, start + length);
    mark.end = std::max(start, start + length);
    mark.value = value;
    // After the last mark starting at or before it: marks mostly come in text
    // order (every match of a search), so the place is sought from the end.
    auto after = std::find_if(m_marks.rbegin(), m_marks.rend(),
                              [&](const TRangeMark& other) { return other.start <= mark.start; });
    return &*m_marks.insert(after.base(), mark);
}

std::list<TRangeMark>::iterator TRangeMarks::Locate(const TRangeMark* mark) {
    return std::find_if(m_marks.begin(), m_marks.end(),
                        [&](const TRangeMark& candidate) { return &candidate == mark; });
}

void TRangeMarks::Delete(TRangeMark* mark) {
    auto found = Locate(mark);
    if (found != m_marks.end()) m_marks.erase(found);
}

int TRangeMarks::DeleteIf(const std::function<bool(const TRangeMark&)>& remove) {
    return static_cast<int>(std::erase_if(m_marks, remove));
}

bool TRangeMarks::Find(int start, int length, TRangeMark*& first) {
    int from = std::min(start, start + length);
    int to = std::max(start, start + length);
    first = nullptr;
    for (TRangeMark& mark : m_marks) {
        bool overlaps = mark.start < to && mark.end > from;
        bool touchesEmpty = from == to && mark.start <= from && from < mark.end;
        if (overlaps || touchesEmpty) {
            first = &mark;
            return true;
        }
    }
    return false;
}

TRangeMark* TRangeMarks::First() {
    return m_marks.empty() ? nullptr : &m_marks.front();
}

TRangeMark* TRangeMarks::Next(const TRangeMark* mark) {
    auto found = Locate(mark);
    if (found == m_marks.end() || ++found == m_marks.end()) return nullptr;
    return &*found;
}

// Moves a mark whose start changed to its place in start order.
void TRangeMarks::Resort(std::list<TRangeMark>::iterator mark) {
    auto at = std::find_if(m_marks.begin(), m_marks.end(), [&](const TRangeMark& other) {
        return &other != &*mark && other.start > mark->start;
    });
    m_marks.splice(at, m_marks, mark);
}

void TRangeMarks::SetStart(TRangeMark* mark, int start) {
    auto found = Locate(mark);
    if (found == m_marks.end()) return;
    found->start = start;
    if (found->start > found->end) std::swap(found->start, found->end);
    Resort(found);
}

void TRangeMarks::SetEnd(TRangeMark* mark, int end) {
    auto found = Locate(mark);
    if (found == m_marks.end()) return;
    found->end = end;
    if (found->start > found->end) std::swap(found->start, found->end);
    Resort(found);
}

void TRangeMarks::ShiftForInsert(int position, int count) {
    for (TRangeMark& mark : m_marks) {
        if (mark.start >= position) {
            mark.start += count;
            mark.end += count;
        } else if (mark.end >= position) {
            mark.end += count;
        } else {
            continue;
        }
        if (OnChange) OnChange(mark);
    }
}

void TRangeMarks::ShiftForDelete(int position, int count) {
    int end = position + count;
    auto map = [&](int x) { return x <= position ? x : (x >= end ? x - count : position); };
    for (auto it = m_marks.begin(); it != m_marks.end();) {
        if (it->start >= position && it->end <= end) {
            if (OnFree) OnFree(*it);
            it = m_marks.erase(it);
            continue;
        }
        TRangeMark before = *it;
        it->start = map(it->start);
        it->end = map(it->end);
        if ((it->start != before.start || it->end != before.end) && OnChange) OnChange(*it);
        ++it;
    }
}

} // namespace quarno
