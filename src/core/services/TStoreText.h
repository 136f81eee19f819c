// Fast read access to the characters of a document store for the search
// engines: a character at a position (cached on the current record, so
// sequential access costs a compare), ranges copied out in one walk over the
// records, scans for characters of a set, and windows of contiguous text
// that are kept between calls so that successive searches reuse them.
#pragma once

#include "core/document/TLineRecord.h"

#include <array>
#include <string>
#include <string_view>

namespace quarno {

class TTextStore;

// Member c of a set is element c.
using TCharSet = std::array<bool, 256>;

class TStoreText {
public:
    // The store must not change while this object is used.
    explicit TStoreText(const TTextStore& store);
    TStoreText(const TStoreText&) = delete;
    TStoreText& operator=(const TStoreText&) = delete;

    const TTextStore& Store() const { return m_store; }
    int Size() const { return m_size; }

    // The character at position as 0..255, or -1 outside the text.
    int At(int position) {
        unsigned offset = static_cast<unsigned>(position - m_start);
        if (offset < static_cast<unsigned>(m_length))
            return static_cast<unsigned char>(m_text[offset]);
        return Locate(position);
    }

    // The characters of the record holding position (its line break
    // included), start receiving its first position; empty outside the
    // text. Valid while the store is unchanged.
    std::string_view RecordAt(int position, int& start) {
        if (At(position) < 0) {
            start = position;
            return {};
        }
        start = m_start;
        return {m_text, static_cast<size_t>(m_length)};
    }

    // Calls visit(data, length, start, continues) with each record's
    // characters from the record holding position on, walking the records
    // where they are stored, until visit returns false or the text ends.
    // continues tells that the next record goes on with the same line (a
    // record split inside a long line). visit may use this reader meanwhile.
    template <class Visit> void VisitRecords(int position, Visit&& visit) {
        if (At(position) < 0) return;
        // The run of the current record is at hand; the next one is looked up
        // at each run's last record.
        int first = m_record;
        const TLineRecord* run = m_run + (m_record - m_runFirst);
        int count = m_runCount - (m_record - m_runFirst);
        int start = m_start;
        while (count > 0) {
            int nextCount = 0;
            const TLineRecord* nextRun = nullptr;
            for (int i = 0; i < count; ++i) {
                if (i + 1 == count) nextRun = RunAt(first + count, nextCount);
                const TLineRecord* after = i + 1 < count ? run + i + 1
                                           : nextCount   ? nextRun
                                                         : nullptr;
                const TLineRecord& record = run[i];
                if (!visit(record.CStr(), record.Length(), start,
                           after && after->IsContinuation())) {
                    // Later reads start from here.
                    m_run = run;
                    m_runFirst = first;
                    m_runCount = count;
                    Enter(first + i, start);
                    return;
                }
                start += record.Length();
            }
            first += count;
            run = nextRun;
            count = nextCount;
        }
    }

    // Appends the characters of [start, end) (clamped to the text) to out.
    void AppendRange(int start, int end, std::string& out);
    // First position in [from, to) holding a member of set, or -1.
    int FindFirstOf(int from, int to, const TCharSet& set);
    // Last position in [to, from] holding a member of set, or -1.
    int FindLastOf(int from, int to, const TCharSet& set);

    // The text from position on, at least wanted characters (fewer at the
    // text end). Valid until the next window is asked for.
    std::string_view Window(int position, size_t wanted);
    // The text ending at end, at least wanted characters (fewer at the text
    // start); start receives its first position. Valid as Window's.
    std::string_view WindowBefore(int end, size_t wanted, int& start);

private:
    const TLineRecord* RunAt(int index, int& count) const;
    // Makes the record holding position current; its character or -1.
    int Locate(int position);
    void Enter(int record, int start);
    size_t NextWindowSize(size_t wanted);

    const TTextStore& m_store;
    int m_size;
    int m_record = -1; // current record, -1 before the first access
    int m_start = 0;   // its first position
    int m_length = 0;
    const char* m_text = "";
    // Records stored next to the current one, reached without a lookup.
    const TLineRecord* m_run = nullptr;
    int m_runFirst = 0;
    int m_runCount = 0;
    // A copy of [m_windowStart, m_windowStart + size) of the text.
    std::string m_window;
    int m_windowStart = 0;
    size_t m_windowSize = 0; // of the next copy; doubles up to a limit
};

} // namespace quarno
