// A read-only character cursor over a document, used by the parser, the
// search engine and template expansion. Steps one character at a time across
// records without copying.
#pragma once

#include "core/base/TStream.h"

#include <string_view>

namespace quarno {

class TTextStore;

class TEdStream : public TStream {
public:
    // The store must outlive the stream and not change while it is used.
    explicit TEdStream(const TTextStore& store);

    int64_t Read(void* buffer, int64_t count) override;
    // Raises EStreamError "Cannot write to a read-only stream".
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return m_charCount; }

    int CharCount() const { return m_charCount; }
    const TTextStore& Store() const { return m_store; }
    int Pos() const { return m_position; }
    // Places the cursor at an offset of a record.
    void Place(int record, int offset);
    int RecordIndex() const { return m_record; }
    int Offset() const { return m_position - m_recordStart; }

    // The character at the cursor (then moves forward), or -1 at the end.
    int NextChar() {
        int offset = m_position - m_recordStart;
        if (offset + 1 >= m_recordLength || m_position >= m_charCount) return NextCharSlow();
        ++m_position;
        return static_cast<unsigned char>(m_text[offset]);
    }
    // Moves back one character and returns it, or -1 at the start.
    int PrevChar() {
        if (m_position <= m_recordStart) return PrevCharSlow();
        --m_position;
        return static_cast<unsigned char>(m_text[m_position - m_recordStart]);
    }
    // The character at the cursor without moving, or -1 at the end.
    int PeekChar() const {
        int offset = m_position - m_recordStart;
        if (offset >= m_recordLength || m_position >= m_charCount) return PeekCharSlow();
        return static_cast<unsigned char>(m_text[offset]);
    }

    // The characters from the cursor to the end of its record (empty at
    // the end of the text): a reader may look ahead in them without steps.
    std::string_view RecordRest() const {
        int offset = m_position - m_recordStart;
        if (offset >= m_recordLength || m_position >= m_charCount) return {};
        return {m_text + offset, static_cast<size_t>(m_recordLength - offset)};
    }
    // Moves count characters on (as many NextChar calls would).
    void Skip(int count) {
        int offset = m_position - m_recordStart;
        if (count >= 0 && offset + count < m_recordLength && m_position + count < m_charCount) {
            m_position += count;
            return;
        }
        while (count-- > 0)
            NextChar();
    }

private:
    // Character steps that leave the current record (or hit an end).
    int NextCharSlow();
    int PrevCharSlow();
    int PeekCharSlow() const;
    void MoveTo(int position);
    // Makes a neighbouring record current without looking its start up.
    void StepToRecord(int record);

    const TTextStore& m_store;
    int m_charCount;
    int m_position = 0;
    int m_record = 0;      // record holding m_position (the last one at the end)
    int m_recordStart = 0; // its first position
    int m_recordLength = 0;
    const char* m_text = "";
};

} // namespace quarno
