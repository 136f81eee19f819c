// The editing engine: display columns and tab stops, caret movement, word
// boundaries and numbered bookmarks.
#include "core/base/Exceptions.h"
#include "core/document/TEdStream.h"
#include "core/editor/ITextMetrics.h"
#include "core/editor/TCustomLexipad.h"
#include "core/editor/TCustomLexipadSteps.h"

#include <algorithm>

namespace quarno {

namespace {

const TFixedMetrics kDefaultMetrics;
constexpr int kMaxVirtualColumn = 2047;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

const ITextMetrics& TCustomLexipad::Metrics() const {
    if (m_metrics) return *m_metrics;
    return kDefaultMetrics;
}

void TCustomLexipad::SetMetrics(ITextMetrics* metrics) {
    m_metrics = metrics;
    Repaint(true);
}

int TCustomLexipad::CharWidth() const {
    return std::max(1, Metrics().CharWidth());
}

int TCustomLexipad::LineHeight() const {
    return std::max(1, Metrics().LineHeight());
}

void TCustomLexipad::SetTabStops(std::vector<int> columns, int defaultWidth) {
    std::string text;
    for (int column : columns) {
        if (column < 0) break;
        text += std::to_string(column + 1) + " ";
    }
    m_settings->SetTabColumns(text);
    m_settings->SetTabDefault(std::max(defaultWidth, 1));
    Repaint(true);
}

int TCustomLexipad::NextTabStop(int column) const {
    for (int stop : m_settings->TabColumns()) {
        if (stop < 0) break;
        if (stop > column) return stop;
    }
    int width = std::max(m_settings->TabDefault(), 1);
    return column + width - column % width;
}

int TCustomLexipad::DisplayColumn(int record, int offset) const {
    if (record < 0 || record >= m_store->RecordCount()) return 0;
    const TLineRecord& line = m_store->Record(record);
    offset = std::clamp(offset, 0, line.TextLength());
    if (!(line.Flags() & lfHasTab)) return offset;
    std::string_view text = line.Text();
    int column = 0;
    for (int i = 0; i < offset; ++i)
        column = text[static_cast<size_t>(i)] == '\t' ? NextTabStop(column) : column + 1;
    return column;
}

// The offset of the character that covers a display column (the line end
// when the line is shorter).
int TCustomLexipad::OffsetFromColumn(int record, int column) const {
    if (record < 0 || record >= m_store->RecordCount()) return 0;
    const TLineRecord& line = m_store->Record(record);
    std::string_view text = line.Text();
    int length = line.TextLength();
    if (!(line.Flags() & lfHasTab)) return std::clamp(column, 0, length);
    int current = 0;
    for (int i = 0; i < length; ++i) {
        int next = text[static_cast<size_t>(i)] == '\t' ? NextTabStop(current) : current + 1;
        if (next > column) return i;
        current = next;
    }
    return length;
}

// Proportional fonts measure each run; fixed pitch is column arithmetic.
int TCustomLexipad::XFromColumn(int record, int column) const {
    const ITextMetrics& metrics = Metrics();
    if (metrics.FixedPitch() || record < 0 || record >= m_store->RecordCount())
        return column * CharWidth();
    int offset = OffsetFromColumn(record, column);
    std::string_view text = m_store->Record(record).Text().substr(0, static_cast<size_t>(offset));
    if (text.find('\t') == std::string_view::npos)
        return metrics.TextWidth(text) + (column - offset) * CharWidth();
    return column * CharWidth();
}

int TCustomLexipad::ColumnFromX(int record, int x) const {
    const ITextMetrics& metrics = Metrics();
    if (metrics.FixedPitch() || record < 0 || record >= m_store->RecordCount())
        return (x + CharWidth() / 2) / CharWidth();
    int length = m_store->Record(record).TextLength();
    for (int column = 0; column <= length; ++column)
        if (XFromColumn(record, column + 1) > x + CharWidth() / 2) return column;
    return length;
}

bool TCustomLexipad::CharStartsWord(char c) const {
    if (fn_CharStartsWord) return fn_CharStartsWord(c);
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool TCustomLexipad::CharIsInWord(char c) const {
    if (fn_CharIsInWord) return fn_CharIsInWord(c);
    return CharStartsWord(c) || (c >= '0' && c <= '9') || c == '\'' || c == '-';
}

// Back over the non-word characters before the position, then over the word.
int TCustomLexipad::WordLeft(int position) const {
    TEdStream stream(*m_store);
    stream.Seek(position, TSeekOrigin::soBeginning);
    int c = stream.PrevChar();
    while (c >= 0 && !CharIsInWord(static_cast<char>(c)))
        c = stream.PrevChar();
    while (c >= 0 && CharIsInWord(static_cast<char>(c)))
        c = stream.PrevChar();
    return c >= 0 ? stream.Pos() + 1 : 0;
}

// Past the rest of the current word and the characters up to the next word
// start; the position itself when no word follows.
int TCustomLexipad::WordRight(int position) const {
    TEdStream stream(*m_store);
    stream.Seek(position, TSeekOrigin::soBeginning);
    int c = stream.PeekChar();
    while (c >= 0 && CharIsInWord(static_cast<char>(c))) {
        stream.NextChar();
        c = stream.PeekChar();
    }
    while (c >= 0 && !CharStartsWord(static_cast<char>(c))) {
        stream.NextChar();
        c = stream.PeekChar();
    }
    return c >= 0 ? stream.Pos() : position;
}

int TCustomLexipad::CaretLine() const {
    return CaretRecordAt(m_selection.caret) + 1;
}

int TCustomLexipad::CaretColumn() const {
    if (m_beyondEol) return m_virtualColumn + 1;
    return CaretDisplayColumn() + 1;
}

// The display column of the caret in its line (0 on the unstored last line).
int TCustomLexipad::CaretDisplayColumn() const {
    int record = CaretRecordAt(m_selection.caret);
    return DisplayColumn(record, m_selection.caret - m_store->RecordStart(record));
}

// Characters of a line without its CR; 0 for the unstored last line.
int TCustomLexipad::RecordTextLength(int record) const {
    return record >= 0 && record < m_store->RecordCount() ? m_store->Record(record).TextLength()
                                                          : 0;
}

void TCustomLexipad::SetInsertMode(bool insert) {
    ChangeStep step(*this);
    if (insert != m_insertMode) Changed();
    m_insertMode = insert;
}

// The caret's display column becomes the column vertical moves aim for.
void TCustomLexipad::RememberColumn() {
    if (m_store->RecordCount() == 0) {
        m_desiredColumn = 0;
        return;
    }
    m_desiredColumn = CaretDisplayColumn();
}

void TCustomLexipad::MoveCaret(int position, bool extend) {
    m_beyondEol = false;
    SetSelection(extend ? m_selection.anchor : position, position);
    ScrollCaret();
}

void TCustomLexipad::MoveLeft(bool extend) {
    if (m_beyondEol) {
        int record = CaretRecordAt(m_selection.caret);
        int end = DisplayColumn(record, RecordTextLength(record));
        m_beyondEol = --m_virtualColumn > end;
        Changed();
        return;
    }
    MoveCaret(std::max(m_selection.caret - 1, 0), extend);
}

void TCustomLexipad::MoveRight(bool extend) {
    int caret = m_selection.caret;
    int record = CaretRecordAt(caret);
    bool atLineEnd = m_store->RecordCount() > 0 &&
                     caret - m_store->RecordStart(record) == RecordTextLength(record);
    if (HasOption(smoCaretAfterEOL) && (atLineEnd || m_beyondEol)) {
        if (!m_beyondEol) m_virtualColumn = DisplayColumn(record, RecordTextLength(record));
        m_beyondEol = true;
        m_virtualColumn = std::min(m_virtualColumn + 1, kMaxVirtualColumn);
        Changed();
        return;
    }
    MoveCaret(std::min(caret + 1, CharCount()), extend);
}

// After the last character of the record that is not a blank.
void TCustomLexipad::MoveLineEnd(bool extend) {
    int record = CaretRecordAt(m_selection.caret);
    if (record >= m_store->RecordCount()) return; // no record, nor a character, on this line
    const TLineRecord& line = m_store->Record(record);
    int end = line.TextLength();
    while (end > 0 && IsBlank(line.Text()[static_cast<size_t>(end - 1)]))
        --end;
    MoveCaret(m_store->RecordStart(record) + end, extend);
}

void TCustomLexipad::MoveVertically(int lines, bool extend) {
    if (m_store->RecordCount() == 0) return;
    int caret = m_selection.caret;
    int record = CaretRecordAt(caret);
    int target = std::clamp(record + lines, 0, m_store->RecordCount() - 1);
    if (lines > 0 && record >= m_store->RecordCount() - 1) {
        MoveCaret(CharCount(), extend);
        return;
    }
    bool beyond = m_beyondEol;
    int column = beyond ? m_virtualColumn : m_desiredColumn;
    int targetColumn = ColumnFromX(target, XFromColumn(record, column));
    int offset = OffsetFromColumn(target, targetColumn);
    MoveCaret(m_store->RecordStart(target) + offset, extend);
    int lineEnd = DisplayColumn(target, RecordTextLength(target));
    if (beyond && column > lineEnd) {
        m_beyondEol = true;
        m_virtualColumn = column;
    }
    if (HasOption(smoColumnTrack) || beyond) m_desiredColumn = column;
}

void TCustomLexipad::ScrollOneLine(int delta) {
    SetTopLine(m_topLine + delta);
    int line = CaretRecordAt(m_selection.caret);
    if (line < m_topLine || line >= m_topLine + m_visibleRows) MoveVertically(delta, false);
}

// Movement actions; false when the code is not one of them.
bool TCustomLexipad::RunMoveAction(int code, bool extend) {
    switch (code) {
    case caLEFT: MoveLeft(extend); return true;
    case caRIGHT: MoveRight(extend); return true;
    case caLINEHOME:
        if (m_store->RecordCount() > 0 && CaretLine() <= m_store->RecordCount())
            MoveCaret(m_store->RecordStart(LineFromChar(m_selection.caret)), extend);
        return true;
    case caLINEEND: MoveLineEnd(extend); return true;
    case caUP: MoveVertically(-1, extend); return true;
    case caDOWN: MoveVertically(1, extend); return true;
    case caPAGEUP:
        SetTopLine(m_topLine - m_visibleRows);
        MoveVertically(-m_visibleRows, extend);
        return true;
    case caPAGEDOWN:
        SetTopLine(m_topLine + m_visibleRows);
        MoveVertically(m_visibleRows, extend);
        return true;
    case caWORDLEFT: MoveCaret(WordLeft(m_selection.caret), extend); return true;
    case caWORDRIGHT: MoveCaret(WordRight(m_selection.caret), extend); return true;
    case caDOCSTART: MoveCaret(0, extend); return true;
    case caDOCEND: MoveCaret(CharCount(), extend); return true;
    case caSCROLLUP: ScrollOneLine(-1); return true;
    case caSCROLLDOWN: ScrollOneLine(1); return true;
    default: return false;
    }
}

void TCustomLexipad::SetBookmark(int index, int line, int column) {
    if (index < 0 || index > 9) throw ELexipad("Bookmark index range error");
    if (m_store->RecordCount() == 0) return;
    ChangeStep step(*this);
    int caretRecord = LineFromChar(m_selection.caret);
    int record = line == -1 ? caretRecord : std::clamp(line - 1, 0, m_store->RecordCount() - 1);
    while (record > 0 && m_store->Record(record).IsContinuation())
        --record;
    uint16_t bit = static_cast<uint16_t>(1u << index);
    TLineRecord& target = m_store->Record(record);
    if (target.Marks() & bit) {
        target.SetMarks(static_cast<uint16_t>(target.Marks() & ~bit));
        target.AddFlags(lfRepaint);
        Repaint(false);
        return;
    }
    m_store->VisitRecords(0, m_store->RecordCount() - 1, [bit](TLineRecord& other, int) {
        if (other.Marks() & bit) {
            other.SetMarks(static_cast<uint16_t>(other.Marks() & ~bit));
            other.AddFlags(lfRepaint);
        }
        return true;
    });
    target.SetMarks(static_cast<uint16_t>((target.Marks() & ~kBookmarkBits) | bit));
    target.AddFlags(lfRepaint);
    int caretColumn = m_selection.caret - m_store->RecordStart(caretRecord) + 1;
    m_store->BookmarkColumns()[static_cast<size_t>(index)] =
        static_cast<uint16_t>(column <= 0 ? caretColumn : column);
    if (OnBookmarkSet) OnBookmarkSet(*this, index);
    Repaint(false);
}

bool TCustomLexipad::GetBookmark(int index, int& line, int& column) const {
    if (index < 0 || index > 9) throw ELexipad("Bookmark index range error");
    int slot = m_store->BookmarkColumns()[static_cast<size_t>(index)];
    if (slot == 0) return false;
    uint16_t bit = static_cast<uint16_t>(1u << index);
    return !m_store->VisitRecords(0, m_store->RecordCount() - 1,
                                  [&](const TLineRecord& record, int index) {
                                      if (!(record.Marks() & bit)) return true;
                                      line = index + 1;
                                      column = std::min(slot, record.TextLength() + 1);
                                      return false;
                                  });
}

void TCustomLexipad::GotoBookmark(int index) {
    int line = 0;
    int column = 0;
    if (!GetBookmark(index, line, column)) return;
    ChangeStep step(*this);
    int position = m_store->RecordStart(line - 1) + column - 1;
    m_beyondEol = false;
    SetSelection(position, position);
    SetTopLine(line - 1 - m_visibleRows / 2);
}

} // namespace quarno
