// The plain text search: Boyer-Moore-Horspool over the document's records, in
// both directions, case-sensitive or not, optionally for whole words only.
// The skip tables are kept for the last pattern and rebuilt only when the
// pattern or the case option changes.
#pragma once

#include "core/services/SearchCharacters.h"

#include <array>
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

    // Start of the first match at or after from, or -1. With wordTest set, a
    // match counts only when neither neighbour is a word character.
    int FindForward(TStoreText& text, int from, const TWordCharTest* wordTest = nullptr);
    // Start of the last match lying wholly before position to, or -1.
    int FindBackward(TStoreText& text, int to, const TWordCharTest* wordTest = nullptr);

private:
    void BuildTables();
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
};

} // namespace quarno
