// The undo log's storage: records from the oldest to the newest with a
// current position; records above it form the redo branch.
#pragma once

#include "core/document/TUndoRecord.h"

#include <deque>

namespace quarno {

class TStack {
public:
    // Records at or below the current position (the undoable ones).
    int Count() const { return m_count; }
    int Total() const { return static_cast<int>(m_records.size()); }
    // 16 per record plus each record's own size.
    int64_t AccountedSize() const { return m_size; }

    // Discards the redo branch, then puts the record above the current one.
    void Push(TUndoRecord record);
    // Removes the newest record; ELexipad "Stack underflow" when empty.
    TUndoRecord Pop();
    void Clear();

    // The record at the current position; null when nothing is below it.
    const TUndoRecord* Current() const;
    // The record just above the current position; null at the newest.
    const TUndoRecord* Next() const;
    void MoveDown();
    void MoveUp();

protected:
    void RemoveOldest(int count);
    const TUndoRecord& At(int index) const { return m_records[static_cast<size_t>(index)]; }

private:
    std::deque<TUndoRecord> m_records;
    int m_count = 0;
    int64_t m_size = 0;
    uint64_t m_nextSerial = 1;
};

} // namespace quarno
