// The plain text search: Boyer-Moore-Horspool over the document's records.
//
// The text is scanned in windows copied out of the records, so the inner
// loop runs over contiguous bytes and a match may span any number of records
// (a soft continuation or a line break inside the pattern).
#include "core/services/TPlainSearch.h"

#include "core/services/TStoreText.h"

#include <algorithm>
#include <cstring>

namespace quarno {

namespace {

void FillForward(std::array<int, 256>& table, std::string_view pattern) {
    int length = static_cast<int>(pattern.size());
    table.fill(length);
    for (int i = 0; i + 1 < length; ++i)
        table[static_cast<unsigned char>(pattern[static_cast<size_t>(i)])] = length - 1 - i;
}

void FillBackward(std::array<int, 256>& table, std::string_view pattern) {
    int length = static_cast<int>(pattern.size());
    table.fill(length);
    for (int i = length - 1; i >= 1; --i)
        table[static_cast<unsigned char>(pattern[static_cast<size_t>(i)])] = i;
}

} // namespace

void TPlainSearch::SetPattern(std::string_view pattern, bool matchCase) {
    if (m_built && pattern == m_pattern && matchCase == m_matchCase) return;
    m_pattern.assign(pattern);
    m_matchCase = matchCase;
    m_upper.resize(m_pattern.size());
    const TCharMap& upper = UpperCaseMap();
    for (size_t i = 0; i < m_pattern.size(); ++i)
        m_upper[i] = static_cast<char>(upper[static_cast<unsigned char>(m_pattern[i])]);
    BuildTables();
}

void TPlainSearch::BuildTables() {
    if (m_matchCase) {
        FillForward(m_forward, m_pattern);
        FillBackward(m_backward, m_pattern);
    } else {
        FillForward(m_forwardUpper, m_upper);
        FillBackward(m_backwardUpper, m_upper);
    }
    m_built = true;
    ++m_tableBuilds;
}

bool TPlainSearch::Equal(const char* text, const char* pattern, size_t count) const {
    if (m_matchCase) return std::memcmp(text, pattern, count) == 0;
    const TCharMap& upper = UpperCaseMap();
    for (size_t i = 0; i < count; ++i)
        if (upper[static_cast<unsigned char>(text[i])] != static_cast<unsigned char>(pattern[i]))
            return false;
    return true;
}

bool TPlainSearch::IsWholeWord(TStoreText& text, int start, const TWordCharTest& test) const {
    int before = text.At(start - 1);
    int after = text.At(start + Length());
    return !(before >= 0 && test(static_cast<char>(before))) &&
           !(after >= 0 && test(static_cast<char>(after)));
}

int TPlainSearch::FindForward(TStoreText& text, int from, const TWordCharTest* wordTest) {
    const size_t length = m_pattern.size();
    if (length == 0 || !m_built) return -1;
    const TCharMap& fold = m_matchCase ? IdentityMap() : UpperCaseMap();
    const std::array<int, 256>& skip = m_matchCase ? m_forward : m_forwardUpper;
    const std::string& pattern = m_matchCase ? m_pattern : m_upper;
    const unsigned char last = static_cast<unsigned char>(pattern[length - 1]);
    int base = std::max(from, 0);
    while (base < text.Size() && static_cast<size_t>(text.Size() - base) >= length) {
        std::string_view window = text.Window(base, 2 * length + 1);
        const char* data = window.data();
        const size_t size = window.size();
        size_t i = 0;
        while (i + length <= size) {
            unsigned char c = fold[static_cast<unsigned char>(data[i + length - 1])];
            if (c == last && Equal(data + i, pattern.data(), length - 1)) {
                int start = base + static_cast<int>(i);
                if (!wordTest || IsWholeWord(text, start, *wordTest)) return start;
                ++i; // the scan resumes one character further on
                continue;
            }
            i += static_cast<size_t>(skip[c]);
        }
        // i is the next start to examine; the starts the window could not
        // complete are examined again in the next one.
        base += static_cast<int>(std::min(i, size - length + 1));
    }
    return -1;
}

int TPlainSearch::FindBackward(TStoreText& text, int to, const TWordCharTest* wordTest) {
    const int length = static_cast<int>(m_pattern.size());
    if (length == 0 || !m_built) return -1;
    const TCharMap& fold = m_matchCase ? IdentityMap() : UpperCaseMap();
    const std::array<int, 256>& skip = m_matchCase ? m_backward : m_backwardUpper;
    const std::string& pattern = m_matchCase ? m_pattern : m_upper;
    const unsigned char first = static_cast<unsigned char>(pattern[0]);
    int end = std::min(to, text.Size()); // matches end at or before this
    while (end >= length) {
        int start = 0;
        std::string_view window =
            text.WindowBefore(end, 2 * static_cast<size_t>(length) + 1, start);
        const char* data = window.data();
        int i = static_cast<int>(window.size()) - length;
        while (i >= 0) {
            unsigned char c = fold[static_cast<unsigned char>(data[i])];
            if (c == first &&
                Equal(data + i + 1, pattern.data() + 1, static_cast<size_t>(length - 1))) {
                int found = start + i;
                if (!wordTest || IsWholeWord(text, found, *wordTest)) return found;
                --i;
                continue;
            }
            i -= skip[c];
        }
        if (start == 0) break;
        end = start + i + length; // i < 0: the starts before start + i + 1 remain
    }
    return -1;
}

} // namespace quarno
