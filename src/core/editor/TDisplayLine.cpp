// A record laid out in display columns for painting.
#include "core/editor/TDisplayLine.h"

#include "core/editor/TCustomLexipad.h"

#include <algorithm>

namespace quarno {

void TDisplayLine::Build(const TCustomLexipad& pad, int record, int maxColumns) {
    m_text.clear();
    m_tokens.clear();
    m_runs.clear();
    m_endColumn = 0;
    m_endsWithBreak = m_continuesBelow = m_selectedPastEnd = false;
    const TTextStore& store = pad.Store();
    if (record < 0 || record >= store.RecordCount()) {
        m_recordStart = pad.CharCount();
        return;
    }
    const TLineRecord& line = store.Record(record);
    std::string_view text = line.Text();
    const uint8_t* tokens = line.Tokens();
    int length = line.TextLength();
    m_recordStart = store.RecordStart(record);
    m_endsWithBreak = line.EndsWithBreak();
    m_continuesBelow =
        record + 1 < store.RecordCount() && store.Record(record + 1).IsContinuation();
    int selStart = pad.SelStart();
    int selEnd = selStart + pad.SelLength();
    int left = pad.LeftCol();
    int column = 0;
    for (int offset = 0; offset < length; ++offset) {
        char c = text[static_cast<size_t>(offset)];
        int next = c == '\t' ? pad.NextTabStop(column) : column + 1;
        if (next > left && column - left < maxColumns) {
            int first = std::max(column, left);
            int position = m_recordStart + offset;
            bool selected = position >= selStart && position < selEnd;
            AddColumns(first - left, next - first, offset, tokens ? tokens[offset] : 0, selected,
                       c == '\t');
            if (c != '\t') m_text.back() = c;
        }
        column = next;
    }
    m_endColumn = column - left;
    int lineEnd = m_recordStart + length;
    m_selectedPastEnd = selEnd > lineEnd && selStart <= lineEnd;
}

// Extends the last run when the columns continue it, else starts a new one.
// TABs are runs of their own, so text runs never hold one.
void TDisplayLine::AddColumns(int column, int count, int offset, uint8_t token, bool selected,
                              bool tab) {
    m_text.append(static_cast<size_t>(count), ' ');
    m_tokens.insert(m_tokens.end(), static_cast<size_t>(count), token);
    if (!m_runs.empty() && !tab) {
        TDisplayRun& last = m_runs.back();
        if (!last.tab && last.token == token && last.selected == selected) {
            last.columns += count;
            ++last.length;
            return;
        }
    }
    m_runs.push_back({column, count, offset, 1, token, selected, tab});
}

} // namespace quarno
