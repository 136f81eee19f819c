// The editing engine: word wrap, laying real lines out as records that fit
// the wrap width, broken at blanks.
#include "core/editor/ITextMetrics.h"
#include "core/editor/TCustomLexipad.h"
#include "core/editor/TCustomLexipadSteps.h"

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
    int charWidth = std::max(metrics.CharWidth(), 1);
    int length = static_cast<int>(text.size());
    int start = 0;
    while (start < length) {
        int x = 0;
        int column = 0;
        int end = start;
        while (end < length) {
            char c = text[static_cast<size_t>(end)];
            int next = c == '\t' ? NextTabStop(column) : column + 1;
            int right = metrics.FixedPitch() || c == '\t'
                            ? next * charWidth
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
    return breaks;
}

bool TCustomLexipad::KeepsLineWhole(std::string_view text) const {
    if (!HasOption(smoWordWrap)) return true;
    return HasOption(smoWrapOverride) && !text.empty() &&
           WrapOverride().find(text.front()) != std::string::npos;
}

// A line of one record that fits the width as it stands needs no work: with
// a fixed pitch and no TAB its width is its length in cells. Most lines of a
// document are such lines, so a whole-document wrap mostly takes this path.
bool TCustomLexipad::FitsUnwrapped(int record, int width, const ITextMetrics& metrics) const {
    if (record + 1 < m_store->RecordCount() && m_store->Record(record + 1).IsContinuation())
        return false;
    std::string_view text = m_store->Record(record).Text();
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    if (KeepsLineWhole(text)) return true;
    if (!metrics.FixedPitch() || text.find('\t') != std::string_view::npos) return false;
    return static_cast<int64_t>(text.size()) * std::max(metrics.CharWidth(), 1) <= width;
}

// Lays out the real line starting at a record; returns its record count.
int TCustomLexipad::RewrapLine(int record) {
    if (FitsUnwrapped(record, WrapWidth(), Metrics())) return 1;
    int count = m_store->LineRecordCount(record);
    std::string text;
    for (int i = record; i < record + count; ++i)
        text.append(m_store->Record(i).Text());
    if (!text.empty() && text.back() == '\r') text.pop_back();
    std::vector<int> breaks = KeepsLineWhole(text) ? std::vector<int>() : WrapBreaks(text);
    return m_store->RelayoutLine(record, breaks);
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

void TCustomLexipad::Rewrap() {
    if (m_store->RecordCount() == 0) return;
    ChangeStep step(*this);
    for (int record = 0; record < m_store->RecordCount();)
        record += RewrapLine(record);
    m_topLine = std::min(m_topLine, std::max(m_store->RecordCount() - 1, 0));
    Changed();
    Repaint(true);
}

} // namespace quarno
