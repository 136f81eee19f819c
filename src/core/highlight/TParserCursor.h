// The parser's view of the control's character cursor: the operations the
// scanning routines are written in (current character, advance, step back,
// jump), mapped onto TEdStream without copying text.
#pragma once

#include "core/document/TEdStream.h"

namespace quarno {

class TParserCursor {
public:
    explicit TParserCursor(TEdStream& stream) : m_stream(stream), m_end(stream.CharCount()) {}

    TEdStream& Stream() { return m_stream; }
    int Position() const { return m_stream.Pos(); }
    // True once the cursor is past the last character of the text.
    bool AtEnd() const { return m_stream.Pos() >= m_end; }
    // The character at the cursor; 0 at the end (callers test AtEnd first).
    uint8_t CurrentChar() const {
        int c = m_stream.PeekChar();
        return c < 0 ? 0 : static_cast<uint8_t>(c);
    }
    void Advance() { m_stream.NextChar(); }
    // The rest of the current record, and a move forward within it.
    std::string_view Window() const { return m_stream.RecordRest(); }
    void Skip(int count) { m_stream.Skip(count); }
    void StepBack() { m_stream.PrevChar(); }
    // Short moves step character by character, which stays inside the
    // current record; long ones look the record up.
    void SetPosition(int position) {
        int delta = position - m_stream.Pos();
        if (delta > 0 && delta <= 16) {
            while (delta-- > 0)
                m_stream.NextChar();
        } else if (delta < 0 && delta >= -64) {
            while (delta++ < 0)
                m_stream.PrevChar();
        } else if (delta != 0) {
            m_stream.Seek(position, TSeekOrigin::soBeginning);
        }
    }

private:
    TEdStream& m_stream;
    int m_end;
};

} // namespace quarno
