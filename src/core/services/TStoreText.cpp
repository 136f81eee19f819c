// Fast read access to the characters of a document store.
#include "services/TStoreText.h"

#include "editor/TTextStore.h"

#include <algorithm>

namespace quarno {

TStoreText::TStoreText(const TTextStore& store) : m_store(store), m_size(store.CharCount()) {}

void TStoreText::Enter(int record, int start) {
    const TLineRecord& line = m_store.Record(record);
    m_record = record;
    m_start = start;
    m_length = line.Length();
    m_text = line.CStr();
}

int TStoreText::Locate(int position) {
    if (position < 0 || position >= m_size)
        return -1;
    // Neighbouring records are reached without a lookup; records are never
    // empty, so one step lands on the record holding the position.
    int count = m_store.RecordCount();
    if (m_record >= 0 && position == m_start + m_length && m_record + 1 < count) {
        Enter(m_record + 1, m_start + m_length);
    } else if (m_record > 0 && position == m_start - 1) {
        int previous = m_record - 1;
        Enter(previous, m_start - m_store.Record(previous).Length());
    } else {
        int record = m_store.RecordFromPosition(position);
        Enter(record, m_store.RecordStart(record));
    }
    unsigned offset = static_cast<unsigned>(position - m_start);
    if (offset >= static_cast<unsigned>(m_length)) { // defensive: a store without that position
        int record = m_store.RecordFromPosition(position);
        Enter(record, m_store.RecordStart(record));
        offset = static_cast<unsigned>(position - m_start);
        if (offset >= static_cast<unsigned>(m_length))
            return -1;
    }
    return static_cast<unsigned char>(m_text[offset]);
}

void TStoreText::AppendRange(int start, int end, std::string& out) {
    start = std::clamp(start, 0, m_size);
    end = std::clamp(end, start, m_size);
    while (start < end) {
        if (At(start) < 0)
            return;
        int offset = start - m_start;
        int take = std::min(m_length - offset, end - start);
        out.append(m_text + offset, static_cast<size_t>(take));
        start += take;
    }
}

int TStoreText::FindFirstOf(int from, int to, const TCharSet& set) {
    from = std::max(from, 0);
    to = std::min(to, m_size);
    while (from < to) {
        if (At(from) < 0)
            return -1;
        int offset = from - m_start;
        int stop = std::min(m_length, to - m_start);
        for (; offset < stop; ++offset)
            if (set[static_cast<unsigned char>(m_text[offset])])
                return m_start + offset;
        from = m_start + stop;
    }
    return -1;
}

int TStoreText::FindLastOf(int from, int to, const TCharSet& set) {
    from = std::min(from, m_size - 1);
    to = std::max(to, 0);
    while (from >= to) {
        if (At(from) < 0)
            return -1;
        int offset = from - m_start;
        int stop = std::max(0, to - m_start);
        for (; offset >= stop; --offset)
            if (set[static_cast<unsigned char>(m_text[offset])])
                return m_start + offset;
        from = m_start + stop - 1;
    }
    return -1;
}

} // namespace quarno
