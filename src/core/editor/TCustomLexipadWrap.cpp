// The editing engine: word wrap, laying real lines out as records that fit
// the wrap width, broken at blanks.
#include "core/editor/ITextMetrics.h"
#include "core/editor/TCustomLexipad.h"
#include "core/editor/TCustomLexipadSteps.h"

#include <algorithm>

namespace quarno {

namespace {
constexpr int kScrollBarWidth = 16;
constexpr int kMinPieceCharacters = 5;
constexpr int kMinWrapWidth = 8;

bool IsBreakBlank(char c) {
    return static_cast<unsigned char>(c) <= 32 || static_cast<unsigned char>(c) == 160;
}
} // namespace

void TCustomLexipad::SetOptions(uint32_t options) {
    bool rewrap = ((options ^ Options()) & (smoWordWrap | smoWrapOverride)) != 0;
    m_settings->SetOptions(static_cast<int32_t>(options));
    if (rewrap) Rewrap();
    Repaint(true);
}

void TCustomLexipad::SetWrapAtColumn(int column) {
    if (column == WrapAtColumn()) return;
    m_settings->SetWrapColumn(column);
    if (HasOption(smoWordWrap)) Rewrap();
}

void TCustomLexipad::SetWrapOverride(const std::string& characters) {
    m_settings->SetWrapOverride(characters);
    if (HasOption(smoWordWrap) && HasOption(smoWrapOverride)) Rewrap();
}

void TCustomLexipad::SetClientSize(int width, int height) {
    bool widthChanged = width != m_clientWidth;
    m_clientWidth = width;
    SetVisibleSize((width - TextLeft()) / CharWidth(), height / LineHeight());
    if (widthChanged && HasOption(smoWordWrap) && WrapAtColumn() == 0) Rewrap();
}

int TCustomLexipad::WrapWidth() const {
    int width = WrapAtColumn() != 0 ? WrapAtColumn() * CharWidth()
                                    : m_clientWidth - TextLeft() - 2 * kScrollBarWidth;
    return std::max(width, kMinWrapWidth);
}

// Left of current: past the blanks when current is a blank, else just after
// the previous blank; current itself when the text before it has none.
int TCustomLexipad::WordBreak(std::string_view text, int current) const {
    if (OnWordBreakProc)
        return OnWordBreakProc(text.data(), current, static_cast<int>(text.size()), 0);
    int length = static_cast<int>(text.size());
    if (current < length && IsBreakBlank(text[static_cast<size_t>(current)])) {
        while (current < length && IsBreakBlank(text[static_cast<size_t>(current)]))
            ++current;
        return current;
    }
    for (int i = current - 1; i > 0; --i)
        if (IsBreakBlank(text[static_cast<size_t>(i)])) return i + 1;
    return current;
}

std::vector<int> TCustomLexipad::WrapBreaks(std::string_view text) const {
    return WrapBreaks(text, WrapWidth(), Metrics());
}

std::vector<int> TCustomLexipad::WrapBreaks(std::string_view text, int width,
                                            const ITextMetrics& metrics) const {
    std::vector<int> breaks;
    AppendWrapBreaks(text, width, metrics, breaks);
    return breaks;
}

void TCustomLexipad::AppendWrapBreaks(std::string_view text, int width, const ITextMetrics& metrics,
                                      std::vector<int>& breaks) const {
    const int charWidth = std::max(metrics.CharWidth(), 1);
    const bool fixedPitch = metrics.FixedPitch();
    int length = static_cast<int>(text.size());
    int start = 0;
    while (start < length) {
        int x = 0;
        int column = 0;
        int end = start;
        while (end < length) {
            char c = text[static_cast<size_t>(end)];
            int next = c == '\t' ? NextTabStop(column) : column + 1;
            int right = fixedPitch || c == '\t' ? next * charWidth
                                                : x + metrics.TextWidth(std::string_view(&c, 1));
            if (right > width) break;
            x = right;
            column = next;
            ++end;
        }
        if (end >= length) break;
        end = std::max(end, start + kMinPieceCharacters);
        if (end >= length) break;
        int piece = WordBreak(text.substr(static_cast<size_t>(start)), end - start);
        int at = start + (piece > 0 ? piece : end - start);
        if (at >= length) break;
        breaks.push_back(at);
        start = at;
    }
}

bool TCustomLexipad::KeepsLineWhole(std::string_view text) const {
    if (!HasOption(smoWordWrap)) return true;
    return HasOption(smoWrapOverride) && !text.empty() &&
           WrapOverride().find(text.front()) != std::string::npos;
}

// With a fixed pitch and no TAB a line's width is its length in cells: most
// lines of a document fit as they stand and are not measured.
bool TCustomLexipad::FitsUnwrapped(std::string_view text, int width,
                                   const ITextMetrics& metrics) const {
    if (!metrics.FixedPitch() || text.find('\t') != std::string_view::npos) return false;
    return static_cast<int64_t>(text.size()) * std::max(metrics.CharWidth(), 1) <= width;
}

void TCustomLexipad::LineBreaks(std::string_view text, std::vector<int>& breaks) const {
    if (KeepsLineWhole(text)) return;
    const int width = WrapWidth();
    const ITextMetrics& metrics = Metrics();
    if (!FitsUnwrapped(text, width, metrics)) AppendWrapBreaks(text, width, metrics, breaks);
}

// Lays out the real line starting at a record; returns its record count.
int TCustomLexipad::RewrapLine(int record) {
    const int count = m_store->LineRecordCount(record);
    std::string joined;
    for (int i = record; count > 1 && i < record + count; ++i)
        joined.append(m_store->Record(i).Text());
    std::string_view text = count == 1 ? m_store->Record(record).Text() : joined;
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    std::vector<int> breaks;
    LineBreaks(text, breaks);
    if (count == 1 && breaks.empty()) return 1;
    return m_store->RelayoutLine(record, breaks);
}

// A layout that changes most records is built anew in one pass: line by
// line, each changed line moves the records after it in its block and
// allocates its rows one by one. With fewer changes the line-by-line way is
// faster and needs no second copy of the text. The changes are guessed from
// the records wider than the wrap width and the soft continuations there are.
bool TCustomLexipad::RewrapsManyRecords() const {
    const int records = m_store->RecordCount();
    const int continuations = records - m_store->LinesThrough(records - 1);
    const int cells = HasOption(smoWordWrap) ? WrapWidth() / std::max(Metrics().CharWidth(), 1)
                                             : kMaxRecordLength;
    return continuations + m_store->RecordsLongerThan(cells) > records / 2;
}

void TCustomLexipad::RewrapRange(int start, int end) {
    if (m_store->RecordCount() == 0) return;
    int record = LineFromChar(m_store->RealLineStart(start));
    int last = LineFromChar(std::max(start, end));
    int lastEnd = m_store->RealLineEnd(m_store->RecordStart(last));
    while (record < m_store->RecordCount() && m_store->RecordStart(record) < lastEnd)
        record += RewrapLine(record);
    m_topLine = std::min(m_topLine, std::max(m_store->RecordCount() - 1, 0));
}

// The text at the top of the view stays there, however many rows the
// lines above it now take.
void TCustomLexipad::Rewrap() {
    if (m_store->RecordCount() == 0) return;
    ChangeStep step(*this);
    const int topText = m_store->RecordStart(std::clamp(m_topLine, 0, m_store->RecordCount() - 1));
    if (RewrapsManyRecords()) {
        m_store->RelayoutAll(
            [this](std::string_view text, std::vector<int>& breaks) { LineBreaks(text, breaks); });
    } else {
        for (int record = 0; record < m_store->RecordCount();)
            record += RewrapLine(record);
    }
    m_topLine = m_store->RecordFromPosition(topText);
    Changed();
    Repaint(true);
}

} // namespace quarno
