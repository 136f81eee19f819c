// The plain text search over the document's records.
//
// Forwards, each record is scanned where it lies for the pattern's rarest
// character; only a split inside a long line (a record without a line break)
// is looked at across. Backwards, for a pattern holding a line break, and
// when candidates come thick, the text is scanned with Boyer-Moore-Horspool
// in windows copied out of the records, so the inner loop runs over
// contiguous bytes and a match may span any number of records.
#include "core/services/TPlainSearch.h"

#include "core/services/TStoreText.h"

#include <algorithm>
#include <climits>
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

// A rough share of a byte in source text (higher: more common), to pick the
// pattern character whose occurrences are fewest: blanks first, then letters
// by their frequency in English (lower case above upper case), digits and
// the usual punctuation, then other printable characters.
int Prevalence(int c) {
    static constexpr const char* kLetters = "etaoinshrdlcumwfgypbvkjxqz";
    if (c == ' ') return 255;
    if (c >= 'a' && c <= 'z')
        return 200 - 4 * static_cast<int>(std::strchr(kLetters, c) - kLetters);
    if (c >= 'A' && c <= 'Z')
        return 190 - 4 * static_cast<int>(std::strchr(kLetters, c - 'A' + 'a') - kLetters);
    if (c >= '0' && c <= '9') return c <= '1' ? 175 : 160; // numbers are everywhere in code
    if (c != 0 && std::strchr("\t.,=()\"';:_$-", c)) return 140;
    if (c > ' ' && c < 0x7F) return 80;
    return 20;
}

// After this many candidates, more than one per this many bytes scanned
// means the pattern's characters are common here: the skip table then does
// better.
constexpr int64_t kCandidatesBeforeJudging = 256;
constexpr int64_t kBytesPerCandidate = 8;
// What looking for a second byte (the other case of a letter) adds to the
// prevalence of a pattern character.
constexpr int kSecondByteCost = 16;

// The first byte equal to c in [from, stop), or null.
const char* FindByte(const char* from, const char* stop, char c) {
    return static_cast<const char*>(std::memchr(from, c, static_cast<size_t>(stop - from)));
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
    ChooseRareCharacter();
    m_built = true;
    ++m_tableBuilds;
}

// The pattern character whose text bytes (one, or both cases of a letter)
// are rarest. None for a pattern holding a line break: the record scan
// sees one record at a time.
void TPlainSearch::ChooseRareCharacter() {
    m_rareCount = 0;
    const std::string& pattern = Folded();
    if (pattern.find('\r') != std::string::npos) return;
    const TCharMap& fold = m_matchCase ? IdentityMap() : UpperCaseMap();
    int best = INT_MAX;
    for (size_t i = 0; i < pattern.size(); ++i) {
        std::array<char, 2> bytes{};
        int count = 0;
        int score = 0;
        for (int c = 0; c < 256; ++c) {
            if (fold[static_cast<size_t>(c)] != static_cast<unsigned char>(pattern[i])) continue;
            if (count < 2) bytes[static_cast<size_t>(count)] = static_cast<char>(c);
            ++count;
            score = std::max(score, Prevalence(c));
        }
        score += count > 1 ? kSecondByteCost : 0;
        if (count == 0 || count > 2 || score >= best) continue;
        best = score;
        m_rareScore = score;
        m_rareOffset = static_cast<int>(i);
        m_rare = bytes;
        m_rareCount = count;
    }
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
    return FindForwardWithin(text, from, text.Size(), wordTest);
}

int TPlainSearch::FindForwardWithin(TStoreText& text, int from, int end,
                                    const TWordCharTest* wordTest) {
    if (m_pattern.empty() || !m_built) return -1;
    from = std::max(from, 0);
    end = std::min(end, text.Size());
    if (m_recordScan && m_rareCount > 0) return ScanRecords(text, from, end, wordTest);
    return ScanWindows(text, from, end, wordTest);
}

int TPlainSearch::ScanRecords(TStoreText& text, int from, int end, const TWordCharTest* wordTest) {
    const int length = Length();
    int64_t scanned = 0;
    int64_t candidates = 0;
    int found = -1;
    int handOver = -1; // where the skip table takes over
    text.VisitRecords(from, [&](const char* data, int size, int start, bool continues) {
        const int recordEnd = start + size;
        const int last = std::min(recordEnd, end) - length - start; // last start inside
        for (int first = std::max(from - start, 0); first <= last;) {
            int at = MatchInRecord(data, first, last, candidates);
            if (at < 0) break;
            if (!wordTest || IsWholeWord(text, start + at, *wordTest)) {
                found = start + at;
                return false;
            }
            first = at + 1; // the scan resumes one character further on
        }
        // A match can run into the next record only where the line goes on
        // (the pattern holds no line break).
        if (continues && recordEnd < end) {
            found = MatchAcross(text, std::max(from, recordEnd - length + 1), recordEnd - 1, end,
                                wordTest);
            if (found >= 0) return false;
        }
        scanned += size;
        if (candidates > kCandidatesBeforeJudging && candidates * kBytesPerCandidate > scanned) {
            handOver = recordEnd;
            return false;
        }
        return end - recordEnd >= length;
    });
    return handOver >= 0 ? ScanWindows(text, handOver, end, wordTest) : found;
}

// The first start in [first, last] of a record's characters where the
// pattern stands, or -1. With two rare bytes, each one's next place is
// looked up once, so the scan stays linear when they alternate.
int TPlainSearch::MatchInRecord(const char* data, int first, int last, int64_t& candidates) const {
    const std::string& pattern = Folded();
    const char* from = data + first + m_rareOffset;
    const char* stop = data + last + m_rareOffset + 1;
    if (m_rareCount == 1) {
        while (const char* at = FindByte(from, stop, m_rare[0])) {
            ++candidates;
            const char* start = at - m_rareOffset;
            if (Equal(start, pattern.data(), pattern.size())) return static_cast<int>(start - data);
            from = at + 1;
        }
        return -1;
    }
    std::array<const char*, 2> next{nullptr, nullptr};
    auto look = [&](size_t k) {
        if (!next[k] || next[k] < from) {
            const char* at = FindByte(from, stop, m_rare[k]);
            next[k] = at ? at : stop;
        }
        return next[k];
    };
    while (from < stop) {
        const char* hit = std::min(look(0), look(1));
        if (hit == stop) return -1;
        ++candidates;
        const char* start = hit - m_rareOffset;
        if (Equal(start, pattern.data(), pattern.size())) return static_cast<int>(start - data);
        from = hit + 1;
    }
    return -1;
}

// A match starting in [first, last] and ending at or before end, read from
// a copy of the text around a record split.
int TPlainSearch::MatchAcross(TStoreText& text, int first, int last, int end,
                              const TWordCharTest* wordTest) {
    const int length = Length();
    const int stop = std::min(end, last + length);
    m_across.clear();
    text.AppendRange(first, stop, m_across);
    const std::string& pattern = Folded();
    for (int start = first; start <= last && start + length <= stop; ++start) {
        const char* at = m_across.data() + (start - first);
        if (Equal(at, pattern.data(), pattern.size()) &&
            (!wordTest || IsWholeWord(text, start, *wordTest)))
            return start;
    }
    return -1;
}

int TPlainSearch::ScanWindows(TStoreText& text, int from, int end, const TWordCharTest* wordTest) {
    const size_t length = m_pattern.size();
    const TCharMap& fold = m_matchCase ? IdentityMap() : UpperCaseMap();
    const std::array<int, 256>& skip = m_matchCase ? m_forward : m_forwardUpper;
    const std::string& pattern = Folded();
    const unsigned char last = static_cast<unsigned char>(pattern[length - 1]);
    int base = from;
    while (base < end && static_cast<size_t>(end - base) >= length) {
        std::string_view window = text.Window(base, 2 * length + 1);
        const char* data = window.data();
        const size_t size = std::min(window.size(), static_cast<size_t>(end - base));
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
