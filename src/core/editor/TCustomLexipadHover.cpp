// The editing engine: the mouse cursor over the control, hot-spot tokens, and
// the choice from the template list.
#include "core/editor/TCustomLexipad.h"
#include "core/editor/TCustomLexipadSteps.h"

#include <algorithm>
#include <cctype>

namespace quarno {

namespace {

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

// The position rounding of CharFromPos finds the nearest boundary; half a
// cell to the left finds the character the point lies on.
int TCustomLexipad::CharUnderPoint(TPoint point) const {
    if (point.x < TextLeft() || point.y < 0 || m_store->RecordCount() == 0) return -1;
    int record = m_topLine + point.y / LineHeight();
    if (record >= m_store->RecordCount()) return -1;
    int position = CharFromPos({std::max(point.x - CharWidth() / 2, TextLeft()), point.y});
    int lineEnd = m_store->RecordStart(record) + m_store->Record(record).TextLength();
    if (position < 0 || position >= lineEnd) return -1;
    // A point right of the last character's cell is past the line end.
    TPoint after = PosFromChar(position + 1);
    if (position + 1 == lineEnd && point.x >= after.x) return -1;
    return position;
}

TLexipadCursor TCustomLexipad::CursorAt(TPoint point) const {
    if (point.x < TextLeft()) return TLexipadCursor::Arrow;
    if (MarginLineAt(point) != 0) return TLexipadCursor::Split;
    int position = CharUnderPoint(point);
    if (position >= 0 && HasOption(smoSyntaxHighlight)) {
        int record = LineFromChar(position);
        const TLineRecord& line = m_store->Record(record);
        if (const uint8_t* tokens = line.Tokens()) {
            uint8_t token = tokens[position - m_store->RecordStart(record)];
            if (m_settings->Style(m_settings->TokenStyle(token)).hotSpot)
                return TLexipadCursor::Hyper;
        }
    }
    if (position >= 0 && HasOption(smoOLEDragSource) && position >= SelStart() &&
        position < SelStart() + SelLength())
        return TLexipadCursor::DragArrow;
    return TLexipadCursor::IBeam;
}

TLexipadCursor TCustomLexipad::MouseHover(TPoint point) {
    TLexipadCursor cursor = CursorAt(point);
    if (cursor == TLexipadCursor::Hyper && OnHyperlinkHover) OnHyperlinkHover(*this);
    return cursor;
}

int TCustomLexipad::TemplateListIndex(const std::string& typedWord) const {
    const std::vector<TMacroEntry>& entries = m_settings->Templates().Entries();
    std::string word = Lower(typedWord);
    for (size_t i = 0; i < entries.size(); ++i)
        if (Lower(entries[i].name).find(word) != std::string::npos) return static_cast<int>(i);
    return -1;
}

void TCustomLexipad::ExpandTemplate(int index) {
    const std::vector<TMacroEntry>& entries = m_settings->Templates().Entries();
    if (m_readOnly || index < 0 || index >= static_cast<int>(entries.size())) return;
    ChangeStep step(*this);
    const TMacroEntry& entry = entries[static_cast<size_t>(index)];
    std::string replacement = entry.body;
    if (OnTemplateEvent) OnTemplateEvent(*this, entry.name, replacement);
    std::string before = TextBeforeCaret();
    size_t start = before.size();
    while (start > 0 && CharIsInWord(before[start - 1]))
        --start;
    ReplaceWordBeforeCaret(before.substr(start), replacement);
}

void TCustomLexipad::ReplaceWordBeforeCaret(const std::string& word,
                                            const std::string& replacement) {
    TUndoGroup group(*this, ucTemplate);
    int caret = m_selection.caret;
    SetSelection(caret - static_cast<int>(word.size()), caret, false);
    ReplaceSelection(replacement);
    ScrollCaret();
}

} // namespace quarno
