// The undo log's storage.
#include "core/document/TStack.h"

#include "core/base/Exceptions.h"

namespace quarno {

void TStack::Push(TUndoRecord record) {
    while (Total() > m_count)
        Pop();
    record.serial = m_nextSerial++;
    m_size += 16 + record.AccountedSize();
    m_records.push_back(std::move(record));
    m_count = Total();
}

TUndoRecord TStack::Pop() {
    if (m_records.empty()) throw ELexipad("Stack underflow");
    TUndoRecord record = std::move(m_records.back());
    m_records.pop_back();
    m_size -= 16 + record.AccountedSize();
    if (m_count > Total()) m_count = Total();
    return record;
}

void TStack::Clear() {
    m_records.clear();
    m_count = 0;
    m_size = 0;
}

const TUndoRecord* TStack::Current() const {
    return m_count > 0 ? &m_records[static_cast<size_t>(m_count - 1)] : nullptr;
}

const TUndoRecord* TStack::Next() const {
    return m_count < Total() ? &m_records[static_cast<size_t>(m_count)] : nullptr;
}

void TStack::MoveDown() {
    if (m_count > 0) --m_count;
}

void TStack::MoveUp() {
    if (m_count < Total()) ++m_count;
}

void TStack::RemoveOldest(int count) {
    for (int i = 0; i < count && !m_records.empty(); ++i) {
        m_size -= 16 + m_records.front().AccountedSize();
        m_records.pop_front();
        if (m_count > 0) --m_count;
    }
}

} // namespace quarno
