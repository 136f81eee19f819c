// Range marks: character ranges with an owner value that follow the text as
// it is edited (the main window marks search hits with them). Kept in order
// of their start; a mark's address stays valid until it is removed.
#pragma once

#include <cstdint>
#include <functional>
#include <list>

namespace quarno {

struct TRangeMark {
    int start = 0; // first character
    int end = 0;   // after the last character (never before start)
    uint8_t flag = 0;
    int32_t value = 0;
};

class TRangeMarks {
public:
    // Raised for a mark whose range an edit changed / that an edit is about to
    // remove. Handlers must not add or delete marks.
    std::function<void(TRangeMark&)> OnChange;
    std::function<void(TRangeMark&)> OnFree;

    // Adds a mark over [start, start + length) (a negative length counts back).
    TRangeMark* Add(int start, int length, int32_t value);
    // Removes a mark without raising OnFree.
    void Delete(TRangeMark* mark);
    // Removes every mark remove picks, without raising OnFree, in one pass;
    // answers how many went.
    int DeleteIf(const std::function<bool(const TRangeMark&)>& remove);
    // Whether a mark overlaps [start, start + length); first gets the first
    // such mark in start order (null when none).
    bool Find(int start, int length, TRangeMark*& first);
    TRangeMark* First();
    TRangeMark* Next(const TRangeMark* mark);
    void SetStart(TRangeMark* mark, int start);
    void SetEnd(TRangeMark* mark, int end);
    int Count() const { return static_cast<int>(m_marks.size()); }
    void Clear() { m_marks.clear(); }

    // Text of count characters was inserted at position.
    void ShiftForInsert(int position, int count);
    // [position, position + count) was deleted.
    void ShiftForDelete(int position, int count);

private:
    std::list<TRangeMark>::iterator Locate(const TRangeMark* mark);
    void Resort(std::list<TRangeMark>::iterator mark);

    std::list<TRangeMark> m_marks;
};

} // namespace quarno
