// A read-only character cursor over a document.
#include "core/document/TEdStream.h"

#include "core/base/Exceptions.h"
#include "core/document/TTextStore.h"

#include <algorithm>
#include <cstring>

namespace quarno {

TEdStream::TEdStream(const TTextStore& store) : m_store(store), m_charCount(store.CharCount()) {
    MoveTo(0);
}

void TEdStream::MoveTo(int position) {
    m_position = std::clamp(position, 0, m_charCount);
    if (m_store.RecordCount() == 0) {
        m_record = m_recordStart = m_recordLength = 0;
        m_text = "";
        return;
    }
    m_record = m_store.RecordFromPosition(m_position);
    m_recordStart = m_store.RecordStart(m_record);
    const TLineRecord& record = m_store.Record(m_record);
    m_recordLength = record.Length();
    m_text = record.CStr();
}

void TEdStream::Place(int record, int offset) {
    if (m_store.RecordCount() == 0) {
        MoveTo(0);
        return;
    }
    record = std::clamp(record, 0, m_store.RecordCount() - 1);
    MoveTo(m_store.RecordStart(record) + std::max(offset, 0));
}

int64_t TEdStream::Read(void* buffer, int64_t count) {
    char* out = static_cast<char*>(buffer);
    int64_t done = 0;
    while (done < count && m_position < m_charCount) {
        int offset = m_position - m_recordStart;
        if (offset >= m_recordLength) {
            MoveTo(m_position);
            continue;
        }
        int64_t piece = std::min<int64_t>(count - done, m_recordLength - offset);
        std::memcpy(out + done, m_text + offset, static_cast<size_t>(piece));
        done += piece;
        m_position += static_cast<int>(piece);
    }
    return done;
}

int64_t TEdStream::Write(const void*, int64_t) {
    throw EStreamError("Cannot write to a read-only stream");
}

int64_t TEdStream::Seek(int64_t offset, TSeekOrigin origin) {
    int64_t base = origin == TSeekOrigin::soBeginning ? 0
                   : origin == TSeekOrigin::soCurrent ? m_position
                                                      : m_charCount;
    int64_t target = std::clamp<int64_t>(base + offset, 0, m_charCount);
    if (target != m_position) MoveTo(static_cast<int>(target));
    return m_position;
}

void TEdStream::StepToRecord(int record) {
    if (record == m_record + 1) {
        m_recordStart += m_recordLength;
    } else if (record == m_record - 1) {
        m_recordStart -= m_store.Record(record).Length();
    } else {
        MoveTo(m_position);
        return;
    }
    m_record = record;
    const TLineRecord& current = m_store.Record(record);
    m_recordLength = current.Length();
    m_text = current.CStr();
}

// Taking the last character of a record moves on to the next record at once,
// so reading on (and peeking) stays on the fast path.
int TEdStream::NextCharSlow() {
    if (m_position >= m_charCount) return -1;
    int offset = m_position - m_recordStart;
    if (offset >= m_recordLength) {
        if (offset == m_recordLength && m_record + 1 < m_store.RecordCount())
            StepToRecord(m_record + 1);
        if (m_position - m_recordStart >= m_recordLength) MoveTo(m_position);
        offset = m_position - m_recordStart;
    }
    ++m_position;
    int c = static_cast<unsigned char>(m_text[offset]);
    if (offset + 1 == m_recordLength && m_record + 1 < m_store.RecordCount())
        StepToRecord(m_record + 1);
    return c;
}

int TEdStream::PrevCharSlow() {
    if (m_position <= 0) return -1;
    --m_position;
    if (m_position < m_recordStart) {
        if (m_record > 0 && m_position == m_recordStart - 1) StepToRecord(m_record - 1);
        if (m_position < m_recordStart || m_position >= m_recordStart + m_recordLength)
            MoveTo(m_position);
    }
    return static_cast<unsigned char>(m_text[m_position - m_recordStart]);
}

int TEdStream::PeekCharSlow() const {
    if (m_position >= m_charCount) return -1;
    int offset = m_position - m_recordStart;
    if (offset < m_recordLength) return static_cast<unsigned char>(m_text[offset]);
    int next = m_record + 1;
    return static_cast<unsigned char>(m_store.Record(next).CStr()[0]);
}

} // namespace quarno
