// Printed lines and pages of a document.
#include "core/print/TPrintPaginator.h"

#include "core/editor/ITextMetrics.h"
#include "core/editor/TCustomLexipad.h"

#include <algorithm>
#include <string>

namespace quarno {

namespace {

int DigitCount(int number) {
    int digits = 1;
    for (; number >= 10; number /= 10)
        ++digits;
    return digits;
}

// Index of the real line a record belongs to (0-based).
int RealLineOfRecord(const TTextStore& store, int record) {
    return std::max(store.LinesThrough(record) - 1, 0);
}

int RealLineCount(const TTextStore& store) {
    return std::max(store.LinesThrough(store.RecordCount() - 1), 1);
}

} // namespace

TPrintPaginator::TPrintPaginator(const TCustomLexipad& pad, const ITextMetrics& metrics,
                                 TPrintLines lines)
    : m_pad(pad), m_metrics(metrics), m_wrap(pad.HasOption(smoPrintWrap)) {
    int count = RealLineCount(pad.Store());
    lines.first = std::clamp(lines.first, 0, count - 1);
    lines.last = std::clamp(lines.last, lines.first, count - 1);
    m_record = RealLineRecord(lines.first);
    // Printed text shows the highlighting of a complete restyle.
    pad.StyleRecords(m_record, RealLineRecord(lines.last + 1) - 1);
    m_nextNumber = lines.first + 1;
    m_lastNumber = lines.last + 1;
    if (pad.HasOption(smoPrintLineNos))
        m_numberWidth = metrics.TextWidth(std::string(DigitCount(m_lastNumber) + 1, '0'));
}

TPrintLines TPrintPaginator::WholeDocument(const TCustomLexipad& pad) {
    return {0, RealLineCount(pad.Store()) - 1};
}

TPrintLines TPrintPaginator::SelectionLines(const TCustomLexipad& pad) {
    const TTextStore& store = pad.Store();
    int start = pad.SelStart();
    int end = start + pad.SelLength();
    TPrintLines lines;
    lines.first = RealLineOfRecord(store, store.RecordFromPosition(start));
    lines.last = RealLineOfRecord(store, store.RecordFromPosition(end));
    if (end > start && end < store.CharCount() && store.RealLineStart(end) == end) --lines.last;
    lines.last = std::max(lines.last, lines.first);
    return lines;
}

int TPrintPaginator::RealLineRecord(int line) const {
    const TTextStore& store = m_pad.Store();
    int seen = -1;
    int found = store.RecordCount();
    store.VisitRecords(0, store.RecordCount() - 1, [&](const TLineRecord& record, int index) {
        if (record.IsContinuation() || ++seen != line) return true;
        found = index;
        return false;
    });
    return found;
}

int TPrintPaginator::LineHeight() const {
    return std::max(m_metrics.LineHeight(), 1);
}

bool TPrintPaginator::Finished() const {
    if (m_pendingIndex < m_pending.size()) return false;
    return m_nextNumber > m_lastNumber || m_record >= m_pad.Store().RecordCount();
}

// Joins the records of the next real line and cuts it into printed lines.
void TPrintPaginator::LoadNextLine(int textWidth) {
    const TTextStore& store = m_pad.Store();
    int count = std::max(store.LineRecordCount(m_record), 1);
    TPrintLine line;
    line.position = store.RecordStart(m_record);
    line.lineNumber = m_nextNumber;
    for (int i = m_record; i < m_record + count && i < store.RecordCount(); ++i) {
        const TLineRecord& record = store.Record(i);
        std::string_view text = record.Text().substr(0, static_cast<size_t>(record.TextLength()));
        line.text.append(text);
        const uint8_t* tokens = record.Tokens();
        for (size_t c = 0; c < text.size(); ++c)
            line.tokens.push_back(tokens ? tokens[c] : 0);
    }
    m_record += count;
    ++m_nextNumber;
    m_pending.clear();
    m_pendingIndex = 0;
    std::vector<int> breaks;
    if (m_wrap) breaks = m_pad.WrapBreaks(line.text, textWidth, m_metrics);
    int from = 0;
    breaks.push_back(static_cast<int>(line.text.size()));
    for (int at : breaks) {
        TPrintLine piece;
        piece.position = line.position + from;
        piece.lineNumber = from == 0 ? line.lineNumber : 0;
        piece.text = line.text.substr(static_cast<size_t>(from), static_cast<size_t>(at - from));
        piece.tokens.assign(line.tokens.begin() + from, line.tokens.begin() + at);
        m_pending.push_back(std::move(piece));
        from = at;
    }
}

TPrintPage TPrintPaginator::NextPage(int width, int height) {
    TPrintPage page;
    page.number = ++m_pagesMade;
    int rows = std::max(height / LineHeight(), 1);
    int textWidth = std::max(width - m_numberWidth, 1);
    while (static_cast<int>(page.lines.size()) < rows && !Finished()) {
        if (m_pendingIndex >= m_pending.size()) LoadNextLine(textWidth);
        page.lines.push_back(std::move(m_pending[m_pendingIndex++]));
    }
    return page;
}

} // namespace quarno
