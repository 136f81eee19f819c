// Fast read access to the characters of a document store.
#include "core/services/TStoreText.h"

#include "core/document/TTextStore.h"

#include <algorithm>

namespace quarno {

namespace {

// Windows start small, so a search that ends near its start copies little,
// and double up to a size that keeps long scans at memory speed.
constexpr size_t kFirstWindow = 256;
constexpr size_t kLargestWindow = 256 * 1024;

} // namespace

TStoreText::TStoreText(const TTextStore& store) : m_store(store), m_size(store.CharCount()) {}

const TLineRecord* TStoreText::RunAt(int index, int& count) const {
    return m_store.RecordRun(index, count);
}

void TStoreText::Enter(int record, int start) {
    int offset = record - m_runFirst;
    if (!m_run || offset < 0 || offset >= m_runCount) {
        m_run = m_store.RecordRun(record, m_runCount);
        m_runFirst = record;
        offset = 0;
    }
    const TLineRecord& line = m_run[offset];
    m_record = record;
    m_start = start;
    m_length = line.Length();
    m_text = line.CStr();
}

int TStoreText::Locate(int position) {
    if (position < 0 || position >= m_size) return -1;
    // A position a few records ahead (the next candidate of a search) is
    // reached by walking the run, the one before by one step back; others
    // by a lookup. Records are never empty.
    int index = m_record;
    int start = m_start;
    int length = m_length;
    for (int step = 0; index >= 0 && position >= start + length && step < 16; ++step) {
        int offset = index + 1 - m_runFirst;
        if (offset >= m_runCount) break;
        start += length;
        ++index;
        length = m_run[offset].Length();
    }
    if (index >= 0 && position >= start && position < start + length) {
        Enter(index, start);
    } else if (m_record > 0 && position == m_start - 1) {
        int previous = m_record - 1;
        Enter(previous, m_start - m_store.Record(previous).Length());
    } else {
        int record = m_store.RecordFromPosition(position);
        Enter(record, m_store.RecordStart(record));
    }
    unsigned offset = static_cast<unsigned>(position - m_start);
    if (offset >= static_cast<unsigned>(m_length)) { // defensive: the walk went astray
        int record = m_store.RecordFromPosition(position);
        Enter(record, m_store.RecordStart(record));
        offset = static_cast<unsigned>(position - m_start);
        if (offset >= static_cast<unsigned>(m_length)) return -1;
    }
    return static_cast<unsigned char>(m_text[offset]);
}

// Copies record by record along the runs, without a lookup per record.
void TStoreText::AppendRange(int start, int end, std::string& out) {
    start = std::clamp(start, 0, m_size);
    end = std::clamp(end, start, m_size);
    if (start >= end || At(start) < 0) return;
    const TLineRecord* run = m_run;
    int runFirst = m_runFirst;
    int runCount = m_runCount;
    int index = m_record;
    int position = m_start;
    while (position < end) {
        int offset = index - runFirst;
        if (offset >= runCount) {
            run = m_store.RecordRun(index, runCount);
            runFirst = index;
            offset = 0;
            if (runCount == 0) return;
        }
        const TLineRecord& line = run[offset];
        int from = std::max(start - position, 0);
        int to = std::min(end - position, line.Length());
        out.append(line.CStr() + from, static_cast<size_t>(to - from));
        position += line.Length();
        ++index;
    }
}

int TStoreText::FindFirstOf(int from, int to, const TCharSet& set) {
    from = std::max(from, 0);
    to = std::min(to, m_size);
    while (from < to) {
        if (At(from) < 0) return -1;
        int offset = from - m_start;
        int stop = std::min(m_length, to - m_start);
        for (; offset < stop; ++offset)
            if (set[static_cast<unsigned char>(m_text[offset])]) return m_start + offset;
        from = m_start + stop;
    }
    return -1;
}

int TStoreText::FindLastOf(int from, int to, const TCharSet& set) {
    from = std::min(from, m_size - 1);
    to = std::max(to, 0);
    while (from >= to) {
        if (At(from) < 0) return -1;
        int offset = from - m_start;
        int stop = std::max(0, to - m_start);
        for (; offset >= stop; --offset)
            if (set[static_cast<unsigned char>(m_text[offset])]) return m_start + offset;
        from = m_start + stop - 1;
    }
    return -1;
}

size_t TStoreText::NextWindowSize(size_t wanted) {
    m_windowSize = m_windowSize == 0 ? kFirstWindow : std::min(m_windowSize * 2, kLargestWindow);
    return std::max(wanted, m_windowSize);
}

std::string_view TStoreText::Window(int position, size_t wanted) {
    position = std::clamp(position, 0, m_size);
    int windowEnd = m_windowStart + static_cast<int>(m_window.size());
    bool covered = position >= m_windowStart && position <= windowEnd &&
                   (static_cast<size_t>(windowEnd - position) >= wanted || windowEnd == m_size);
    if (!covered) {
        size_t size = NextWindowSize(wanted);
        m_window.clear();
        m_windowStart = position;
        AppendRange(position, position + static_cast<int>(std::min<size_t>(size, m_size)),
                    m_window);
    }
    return std::string_view(m_window).substr(static_cast<size_t>(position - m_windowStart));
}

std::string_view TStoreText::WindowBefore(int end, size_t wanted, int& start) {
    end = std::clamp(end, 0, m_size);
    int windowEnd = m_windowStart + static_cast<int>(m_window.size());
    bool covered = end >= m_windowStart && end <= windowEnd &&
                   (static_cast<size_t>(end - m_windowStart) >= wanted || m_windowStart == 0);
    if (!covered) {
        size_t size = NextWindowSize(wanted);
        m_window.clear();
        m_windowStart = std::max(0, end - static_cast<int>(std::min<size_t>(size, m_size)));
        AppendRange(m_windowStart, end, m_window);
    }
    start = m_windowStart;
    return std::string_view(m_window).substr(0, static_cast<size_t>(end - m_windowStart));
}

} // namespace quarno
