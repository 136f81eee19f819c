// The editing engine: the text area's geometry and the left mouse button
// (click counting, gutter and margin clicks, word and line selection, shift
// clicks, mouse selection, dragging the margin lines).
#include "core/editor/ITextMetrics.h"
#include "core/editor/TCustomLexipad.h"
#include "core/editor/TCustomLexipadSteps.h"
#include "core/lexicon/ShortCuts.h"

namespace quarno {

namespace {
constexpr int kMarginLineSlack = 2; // pixels either side of a margin line that catch a press
}

// The number is drawn 2 pixels in; 4 more leave room for the white line
// near the gutter's right edge.
int TCustomLexipad::GutterWidth() const {
    int width = Gutter();
    int digit = Metrics().GutterDigitWidth();
    if (width <= 0 || digit <= 0 || !HasOption(smoLineNumbers)) return width;
    int digits = 1;
    for (int lines = LineCount(); lines >= 10; lines /= 10)
        ++digits;
    return std::max(width, 2 + digits * digit + 4);
}

int TCustomLexipad::TextLeft() const {
    return (HasOption(smoShowGutter) ? GutterWidth() : 0) + Margin();
}

TPoint TCustomLexipad::PosFromChar(int position) const {
    // The text end after a final line break lies on the unstored line below.
    int count = CharCount();
    if (position >= count && count > 0 && m_store->CharAt(count - 1) == kLineBreak) {
        int row = m_store->RecordCount();
        if (row < m_topLine) return {-1, -1};
        return {TextLeft() - m_leftCol * CharWidth(), (row - m_topLine) * LineHeight()};
    }
    int record = LineFromChar(position);
    if (record < m_topLine) return {-1, -1};
    int offset = position - (m_store->RecordCount() ? m_store->RecordStart(record) : 0);
    int column = DisplayColumn(record, offset);
    return {TextLeft() + XFromColumn(record, column) - m_leftCol * CharWidth(),
            (record - m_topLine) * LineHeight()};
}

int TCustomLexipad::CharFromPos(TPoint point, bool clamp) const {
    if (!clamp && (point.x < TextLeft() || point.y < 0)) return -1;
    if (m_store->RecordCount() == 0) return 0;
    int row = point.y < 0 ? -1 : point.y / LineHeight();
    int record = m_topLine + row;
    if (record >= m_store->RecordCount()) return clamp ? CharCount() : -1;
    record = std::max(record, 0);
    int x = std::max(point.x - TextLeft(), 0) + m_leftCol * CharWidth();
    int offset = OffsetFromColumn(record, ColumnFromX(record, x));
    return m_store->RecordStart(record) + offset;
}

// 1: the right-margin line, 2: the wrap-column line, 0: neither.
int TCustomLexipad::MarginLineAt(TPoint point) const {
    auto near = [&](int column) {
        int x = TextLeft() + (column - m_leftCol) * CharWidth();
        return point.x >= x - kMarginLineSlack && point.x <= x + kMarginLineSlack;
    };
    if (HasOption(smoShowRMargin) && near(RightMargin())) return 1;
    if (HasOption(smoWordWrap) && HasOption(smoShowWrapColumn) && WrapAtColumn() >= 1 &&
        near(WrapAtColumn()))
        return 2;
    return 0;
}

std::pair<int, int> TCustomLexipad::WordAt(int position) const {
    int start = position;
    int end = position;
    while (start > 0 && CharIsInWord(m_store->CharAt(start - 1)))
        --start;
    while (end < CharCount() && CharIsInWord(m_store->CharAt(end)))
        ++end;
    return {start, end};
}

// Line numbers shown to users count real lines: continuations share one.
int TCustomLexipad::RealLineNumber(int record) const {
    return std::max(m_store->LinesThrough(record), 1);
}

void TCustomLexipad::SelectRecordAt(int position) {
    if (m_store->RecordCount() == 0) return;
    int record = LineFromChar(position);
    SetSelection(m_store->RecordStart(record), m_store->RecordStart(record + 1));
}

void TCustomLexipad::MouseDown(TPoint point, uint32_t shift, int64_t time) {
    ChangeStep step(*this);
    bool quick = time - m_lastClickTime <= m_doubleClickTime;
    m_clickCount = quick && m_clickCount < 4 ? m_clickCount + 1 : 1;
    m_lastClickTime = time;
    int position = CharFromPos(point, true);
    int line = LineFromChar(position);
    if (HasOption(smoShowGutter) && point.x < GutterWidth()) {
        int record = point.y / LineHeight() + m_topLine;
        if (OnGutterClick && record < std::max(m_store->RecordCount(), 1))
            OnGutterClick(*this, RealLineNumber(record));
        return;
    }
    if (point.x < TextLeft()) {
        SelectRecordAt(position);
        return;
    }
    if ((m_marginDrag = MarginLineAt(point)) != 0) return;
    int previousLine = m_lastClickLine;
    m_lastClickLine = line;
    if (shift & kShiftKey) {
        bool moveEnd = position >= SelStart();
        SetSelection(moveEnd ? SelStart() : SelStart() + SelLength(), position);
        m_mouseSelecting = true;
        return;
    }
    if (SelLength() > 0 && m_clickCount == 1 && position >= SelStart() &&
        position < SelStart() + SelLength()) {
        m_dragPending = true;
        return;
    }
    if (m_clickCount == 3 && line == previousLine) {
        if (OnTripleClick)
            OnTripleClick(*this, point, position);
        else
            SelectRecordAt(position);
        return;
    }
    m_beyondEol = false;
    SetSelection(position, position);
    if (m_clickCount == 2 && HasOption(smoWordSelect)) {
        auto [start, end] = WordAt(position);
        if (end > start) SetSelection(start, end);
        return;
    }
    m_mouseSelecting = true;
}

void TCustomLexipad::MouseMove(TPoint point, uint32_t) {
    if (!m_mouseSelecting) return;
    ChangeStep step(*this);
    int rows = m_visibleRows * LineHeight();
    if (point.y < 0)
        SetTopLine(m_topLine - 1);
    else if (point.y >= rows)
        SetTopLine(m_topLine + 1);
    SetSelection(m_selection.anchor, CharFromPos(point, true));
}

void TCustomLexipad::MouseUp(TPoint point, uint32_t) {
    ChangeStep step(*this);
    if (m_marginDrag != 0) {
        int column = std::clamp((point.x - TextLeft() + CharWidth() / 2) / CharWidth() + m_leftCol,
                                0, TLP_Settings::kMaxColumn);
        if (m_marginDrag == 1)
            SetRightMargin(column);
        else
            SetWrapAtColumn(std::max(column, 1));
        m_marginDrag = 0;
        Changed();
        Repaint(true);
    }
    if (m_dragPending) {
        int position = CharFromPos(point, true);
        SetSelection(position, position);
        m_dragPending = false;
    }
    m_mouseSelecting = false;
}

} // namespace quarno
