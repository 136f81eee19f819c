// The editing engine: typing (insert and overwrite, Enter with automatic
// indentation, TAB), deleting and the action executor.
#include "core/editor/LexipadMessages.h"
#include "core/editor/TCustomLexipad.h"
#include "core/editor/TCustomLexipadSteps.h"

#include <algorithm>

namespace quarno {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

// Blanks from one display column to another: TABs first when both smoUseTAB
// and smoSmartFill are set, spaces otherwise.
std::string TCustomLexipad::SmartFill(int fromColumn, int toColumn) const {
    std::string fill;
    int column = fromColumn;
    if (HasOption(smoUseTAB) && HasOption(smoSmartFill)) {
        for (int next = NextTabStop(column); next <= toColumn; next = NextTabStop(column)) {
            fill += '\t';
            column = next;
        }
    }
    if (toColumn > column) fill.append(static_cast<size_t>(toColumn - column), ' ');
    return fill;
}

// Typing beyond the line end first fills the gap up to the caret.
void TCustomLexipad::FillBeyondLineEnd() {
    if (!m_beyondEol) return;
    int record = CaretRecordAt(m_selection.caret);
    int end = RecordTextLength(record);
    int fromColumn = DisplayColumn(record, end);
    int toColumn = m_virtualColumn;
    int position = m_store->RecordStart(record) + end;
    m_beyondEol = false;
    SetSelection(position, position);
    ReplaceSelection(SmartFill(fromColumn, toColumn));
}

void TCustomLexipad::InsertTyped(const std::string& text) {
    TUndoGroup group(*this, ucTyping);
    FillBeyondLineEnd();
    int caret = m_selection.caret;
    bool overwrite = !m_insertMode && SelLength() == 0 && caret < CharCount() &&
                     m_store->CharAt(caret) != '\r' && text != "\r";
    if (overwrite) SetSelection(caret, caret + 1, false);
    ReplaceSelection(text);
    ScrollCaret();
}

void TCustomLexipad::TypeCharacter(char c) {
    InsertTyped(std::string(1, c));
}

// The display column of the first non-blank character of a record; -1 when
// the record holds only blanks.
int TCustomLexipad::LineIndentColumn(int record) const {
    const TLineRecord& line = m_store->Record(record);
    std::string_view text = line.Text().substr(0, static_cast<size_t>(line.TextLength()));
    size_t first = 0;
    while (first < text.size() && IsBlank(text[first]))
        ++first;
    if (first == text.size()) return -1;
    return DisplayColumn(record, static_cast<int>(first));
}

void TCustomLexipad::TypeReturn() {
    if (!HasOption(smoAutoIndent) || m_store->RecordCount() == 0) {
        InsertTyped("\r");
        return;
    }
    int caret = m_selection.Start();
    int record = CaretRecordAt(caret);
    int caretColumn = DisplayColumn(record, caret - m_store->RecordStart(record));
    // A blank line (the unstored last line is one) takes the indentation of
    // the nearest non-blank line above.
    int indent = record < m_store->RecordCount() ? LineIndentColumn(record) : -1;
    if (indent >= 0) indent = std::min(indent, caretColumn);
    for (int line = record - 1; line >= 0 && indent < 0; --line)
        indent = LineIndentColumn(line);
    {
        TUndoGroup group(*this, ucAutoIndentBreak);
        FillBeyondLineEnd();
        ReplaceSelection("\r");
    }
    if (indent > 0) {
        TUndoGroup group(*this, ucTyping);
        ReplaceSelection(SmartFill(0, indent));
    }
    ScrollCaret();
}

// The start of the next word (or the line end) on the nearest line above
// that reaches past the column; -1 when there is none.
int TCustomLexipad::SmartTabTarget(int record, int column) const {
    for (int line = record - 1; line >= 0; --line) {
        const TLineRecord& above = m_store->Record(line);
        int length = above.TextLength();
        if (DisplayColumn(line, length) <= column) continue;
        std::string_view text = above.Text();
        int offset = OffsetFromColumn(line, column);
        while (offset < length && !IsBlank(text[static_cast<size_t>(offset)]))
            ++offset;
        while (offset < length && IsBlank(text[static_cast<size_t>(offset)]))
            ++offset;
        return DisplayColumn(line, offset);
    }
    return -1;
}

void TCustomLexipad::TypeTab() {
    bool wordWrap = HasOption(smoWordWrap);
    if (HasOption(smoUseTAB) && (!HasOption(smoTabToColumn) || wordWrap)) {
        InsertTyped("\t");
        return;
    }
    int caret = m_selection.Start();
    int record = CaretRecordAt(caret); // the unstored last line too: its column is 0
    int column =
        m_beyondEol ? m_virtualColumn : DisplayColumn(record, caret - m_store->RecordStart(record));
    int target = HasOption(smoTabToColumn) ? SmartTabTarget(record, column) : -1;
    if (target <= column) target = NextTabStop(column);
    InsertTyped(SmartFill(column, target));
}

void TCustomLexipad::KeyPress(char c) {
    if (m_readOnly) return;
    ChangeStep step(*this);
    unsigned char code = static_cast<unsigned char>(c);
    if (c == '\r') {
        if (m_wantReturns) TypeReturn();
    } else if (c == '\n') {
        if (!m_wantReturns) TypeReturn();
    } else if (c == '\t') {
        TypeTab();
    } else if (code >= 32 && code != 127) {
        TypeCharacter(c);
    }
}

void TCustomLexipad::DeleteChar(bool forward) {
    TUndoGroup group(*this, ucDelete);
    if (forward) FillBeyondLineEnd();
    if (SelLength() == 0) {
        int caret = m_selection.caret;
        if (forward ? caret >= CharCount() : caret <= 0) return;
        SetSelection(forward ? caret : caret - 1, forward ? caret + 1 : caret, false);
    }
    ReplaceSelection({});
    ScrollCaret();
}

// On the unstored empty line after a final line break the line itself goes:
// that is the final line break, never the line above.
void TCustomLexipad::DeleteLine() {
    if (SelLength() > 0 || m_store->RecordCount() == 0) return;
    m_beyondEol = false;
    int record = CaretRecordAt(m_selection.caret);
    if (record >= m_store->RecordCount())
        SetSelection(CharCount() - 1, CharCount(), false);
    else
        SetSelection(m_store->RecordStart(record), m_store->RecordStart(record + 1), false);
    ReplaceSelection({});
    ScrollCaret();
}

void TCustomLexipad::DeleteWord(bool forward) {
    int caret = m_selection.caret;
    int boundary = forward ? WordRight(caret) : WordLeft(caret);
    if (boundary == caret) return;
    TUndoGroup group(*this, forward ? ucDeleteNextWord : ucDeletePreviousWord);
    SetSelection(caret, boundary, false);
    ReplaceSelection({});
    ScrollCaret();
}

// Actions that change text or state; false when the code is not one of them.
bool TCustomLexipad::RunEditAction(int code, bool extend) {
    (void)extend;
    bool editing = code == caCUT || code == caPASTE || code == caDELETE || code == caBACKSPACE ||
                   code == caDELETELINE || code == caUNDO || code == caREDO ||
                   code == caDELPREVWORD || code == caDELNEXTWORD || code == caBLOCKIND ||
                   code == caBLOCKUND;
    if (editing && m_readOnly) return true;
    switch (code) {
    case caCUT: CutToClipboard(); return true;
    case caCOPY: CopyToClipboard(); return true;
    case caPASTE: PasteFromClipboard(); return true;
    case caDELETE: DeleteChar(true); return true;
    case caBACKSPACE:
        if (m_beyondEol)
            MoveLeft(false);
        else
            DeleteChar(false);
        return true;
    case caBLOCKIND: BlockIndent(0, false); return true; // spaces, as the Indent command
    case caBLOCKUND: BlockUnindent(0); return true;
    case caINSTOGGLE: SetInsertMode(!m_insertMode); return true;
    case caDELETELINE: DeleteLine(); return true;
    case caUNDO: Undo(); return true;
    case caREDO: Redo(); return true;
    case caDELPREVWORD: DeleteWord(false); return true;
    case caDELNEXTWORD: DeleteWord(true); return true;
    case caPRINTSEL:
        if (OnPrintSelection) OnPrintSelection(*this);
        return true;
    default: return false;
    }
}

void TCustomLexipad::ExecuteAction(int code, bool extend) {
    if (code < 0 || code >= kActionCount) return;
    ChangeStep step(*this);
    if (code >= caSETBOOKMARK0 && code < caSETBOOKMARK0 + 10) {
        SetBookmark(code - caSETBOOKMARK0);
        return;
    }
    if (code >= caGOTOBOOKMARK0 && code < caGOTOBOOKMARK0 + 10) {
        GotoBookmark(code - caGOTOBOOKMARK0);
        return;
    }
    if (!RunMoveAction(code, extend)) RunEditAction(code, extend);
}

} // namespace quarno
