// The plain text search: Boyer-Moore-Horspool over the document's records.
//
// The text is copied out of the records into a window and scanned there, so
// the inner loop runs over contiguous bytes and a match may span any number
// of records (a soft continuation or a line break inside the pattern).
// Windows start small and double up to a limit, so a search whose match is
// near costs little and one that crosses the document runs at memory speed.
#include "services/TPlainSearch.h"

#include "services/TStoreText.h"

#include <algorithm>
#include <cstring>

namespace quarno {

namespace {

constexpr size_t kFirstWindow = 256;
constexpr size_t kLargestWindow = 256 * 1024;

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
    if (m_built && pattern == m_pattern && matchCase == m_matchCase)
        return;
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
    if (m_matchCase)
        return std::memcmp(text, pattern, count) == 0;
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

// A window long enough to hold the pattern well more than once.
size_t TPlainSearch::WindowFor(size_t wanted) const {
    return std::max(wanted, 2 * m_pattern.size() + 1);
}

int TPlainSearch::FindForward(TStoreText& text, int from, const TWordCharTest* wordTest) {
    const size_t length = m_pattern.size();
    if (length == 0 || !m_built)
        return -1;
    const TCharMap& fold = m_matchCase ? IdentityMap() : UpperCaseMap();
    const std::array<int, 256>& skip = m_matchCase ? m_forward : m_forwardUpper;
    const std::string& pattern = m_matchCase ? m_pattern : m_upper;
    const unsigned char last = static_cast<unsigned char>(pattern[length - 1]);
    int base = std::max(from, 0);
    size_t window = kFirstWindow;
    while (static_cast<size_t>(text.Size() - std::min(base, text.Size())) >= length) {
        window = WindowFor(window);
        m_window.clear();
        text.AppendRange(base, base + static_cast<int>(window), m_window);
        const char* data = m_window.data();
        const size_t size = m_window.size();
        size_t i = 0;
        while (i + length <= size) {
            unsigned char c = fold[static_cast<unsigned char>(data[i + length - 1])];
            if (c == last && Equal(data + i, pattern.data(), length - 1)) {
                int start = base + static_cast<int>(i);
                if (!wordTest || IsWholeWord(text, start, *wordTest))
                    return start;
                ++i; // the scan resumes one character further on
                continue;
            }
            i += static_cast<size_t>(skip[c]);
        }
        // i is the next start to examine; the window kept its last length - 1
        // characters for the starts it could not complete.
        base += static_cast<int>(std::min(i, size - length + 1));
        window = std::min(window * 2, kLargestWindow);
    }
    return -1;
}

int TPlainSearch::FindBackward(TStoreText& text, int to, const TWordCharTest* wordTest) {
    const int length = static_cast<int>(m_pattern.size());
    if (length == 0 || !m_built)
        return -1;
    const TCharMap& fold = m_matchCase ? IdentityMap() : UpperCaseMap();
    const std::array<int, 256>& skip = m_matchCase ? m_backward : m_backwardUpper;
    const std::string& pattern = m_matchCase ? m_pattern : m_upper;
    const unsigned char first = static_cast<unsigned char>(pattern[0]);
    int end = std::min(to, text.Size()); // matches end at or before this
    size_t window = kFirstWindow;
    while (end >= length) {
        window = WindowFor(window);
        int start = std::max(0, end - static_cast<int>(window));
        m_window.clear();
        text.AppendRange(start, end, m_window);
        const char* data = m_window.data();
        int i = static_cast<int>(m_window.size()) - length;
        while (i >= 0) {
            unsigned char c = fold[static_cast<unsigned char>(data[i])];
            if (c == first && Equal(data + i + 1, pattern.data() + 1, static_cast<size_t>(length - 1))) {
                int found = start + i;
                if (!wordTest || IsWholeWord(text, found, *wordTest))
                    return found;
                --i;
                continue;
            }
            i -= skip[c];
        }
        if (start == 0)
            break;
        end = start + i + length; // i < 0: the starts before start + i + 1 remain
        window = std::min(window * 2, kLargestWindow);
    }
    return -1;
}

} // namespace quarno
