// Fast read access to the characters of a document store for the search
// engines: a character at a position (cached on the current record, so
// sequential access costs a compare), ranges copied out in one walk over the
// records, scans for characters of a set, and windows of contiguous text
// that are kept between calls so that successive searches reuse them.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace quarno {

class TLineRecord;
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
