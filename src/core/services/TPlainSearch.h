// The plain text search over the document's records, in both directions,
// case-sensitive or not, optionally for whole words only. Forwards it scans
// each record in place for the pattern's rarest character (memchr, which
// skips many bytes per step) and compares the pattern only there; backwards,
// and wherever that pays less, Boyer-Moore-Horspool runs over copied windows.
// The skip tables are kept for the last pattern and rebuilt only when the
// pattern or the case option changes.
#pragma once

#include "core/services/SearchCharacters.h"

#include <array>
#include <climits>
#include <cstdint>
#include <string>
#include <string_view>

namespace quarno {

class TStoreText;

class TPlainSearch {
public:
    void SetPattern(std::string_view pattern, bool matchCase);
    const std::string& Pattern() const { return m_pattern; }
    bool MatchCase() const { return m_matchCase; }
    int Length() const { return static_cast<int>(m_pattern.size()); }
    // How often the skip tables were built (they are cached per pattern).
    int TableBuilds() const { return m_tableBuilds; }
    // How common the character the record scan looks for is in source text
    // (lower: rarer), to rank literals as filters.
    int RareScore() const { return m_rareCount > 0 ? m_rareScore : INT_MAX; }

    // Start of the first match at or after from, or -1. With wordTest set, a
    // match counts only when neither neighbour is a word character.
    int FindForward(TStoreText& text, int from, const TWordCharTest* wordTest = nullptr);
    // The same for a match that also ends at or before end.
    int FindForwardWithin(TStoreText& text, int from, int end,
                          const TWordCharTest* wordTest = nullptr);
    // Start of the last match lying wholly before position to, or -1.
    int FindBackward(TStoreText& text, int to, const TWordCharTest* wordTest = nullptr);

    // Off, forward searches run the skip table over copied windows too (the
    // results are the same; the tests compare both ways).
    void SetRecordScan(bool on) { m_recordScan = on; }

private:
    void BuildTables();
    void ChooseRareCharacter();
    int ScanRecords(TStoreText& text, int from, int end, const TWordCharTest* wordTest);
    int ScanWindows(TStoreText& text, int from, int end, const TWordCharTest* wordTest);
    int MatchInRecord(const char* data, int first, int last, int64_t& candidates) const;
    int MatchAcross(TStoreText& text, int first, int last, int end, const TWordCharTest* wordTest);
    const std::string& Folded() const { return m_matchCase ? m_pattern : m_upper; }
    bool Equal(const char* text, const char* pattern, size_t count) const;
    bool IsWholeWord(TStoreText& text, int start, const TWordCharTest& test) const;

    std::string m_pattern; // as given
    std::string m_upper;   // upper-cased
    bool m_matchCase = true;
    bool m_built = false;
    int m_tableBuilds = 0;
    // Shift after a mismatch, by the text character under the window's last
    // (forward) or first (backward) pattern character, for the exact and the
    // upper-cased pattern.
    std::array<int, 256> m_forward{};
    std::array<int, 256> m_backward{};
    std::array<int, 256> m_forwardUpper{};
    std::array<int, 256> m_backwardUpper{};
    // The pattern character the record scan looks for: its offset and the
    // one or two text bytes that fold to it (count 0: no record scan, as for
    // a pattern holding a line break, which only the windows see whole).
    int m_rareOffset = 0;
    int m_rareCount = 0;
    int m_rareScore = 0;
    std::array<char, 2> m_rare{};
    bool m_recordScan = true;
    std::string m_across; // the text around a record split, for matches across it
};

} // namespace quarno
