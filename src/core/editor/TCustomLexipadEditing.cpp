// The editing engine: the replace-selection primitive and its undo
// transaction, undo and redo, block indent and unindent.
#include "core/base/Exceptions.h"
#include "core/base/StringUtils.h"
#include "core/base/TStream.h"
#include "core/document/TextNormalization.h"
#include "core/editor/TCustomLexipad.h"
#include "core/editor/TCustomLexipadSteps.h"
#include "core/settings/TLP_Settings.h"

#include <algorithm>
#include <optional>

namespace quarno {

namespace {

// Where a position ends up after count characters are inserted at at.
int ShiftForInsert(int position, int at, int count) {
    return position > at ? position + count : position;
}

// Where a position ends up after [at, at + count) is removed.
int ShiftForDelete(int position, int at, int count) {
    if (position <= at) return position;
    return std::max(position - count, at);
}

} // namespace

TUndoStack* TCustomLexipad::RecordingStack() const {
    TUndoStack* stack = m_store->UndoStack();
    return stack && stack->Recording() ? stack : nullptr;
}

void TCustomLexipad::ReplaceSelection(std::string_view text) {
    ChangeStep step(*this);
    ReplaceRangeNormalized(m_selection.Start(), m_selection.End(), NormalizeText(text));
}

// As ReplaceRange, for text that is already normalised: it is recorded as the
// inserted text and inserted from the record, so it is held only once.
void TCustomLexipad::ReplaceRangeNormalized(int start, int end, std::string text) {
    if (!RecordingStack()) {
        ReplaceRange(start, end, text, ucReplace, {});
        return;
    }
    ReplaceRange(start, end, {}, ucReplace, std::move(text), true);
}

void TCustomLexipad::InsertStream(TStream& stream) {
    ChangeStep step(*this);
    std::string contents = stream.ReadRemaining();
    ReplaceRange(m_selection.Start(), m_selection.End(), contents, ucStream, contents);
}

// Replaces [start, end) inside an undo transaction whose simple group holds
// the selection before, the replaced text, record (what was inserted) and the
// selection after: the caret at the end of the inserted text. insertRecord:
// the text inserted is record itself (only while recording).
void TCustomLexipad::ReplaceRange(int start, int end, std::string_view text, int code,
                                  std::string record, bool insertRecord) {
    start = std::clamp(start, 0, CharCount());
    end = std::clamp(end, start, CharCount());
    TUndoStack* stack = RecordingStack();
    TUndoSelection before = m_selection;
    if (before.Start() != start || before.End() != end) before = {start, end};
    if (stack) {
        try {
            stack->BeginTransaction(code, before, m_store->TextRange(start, end),
                                    std::move(record));
        } catch (const ELexipad&) {
            Beep();
            throw;
        }
    }
    DeleteRange(start, end);
    InsertChunks(start, stack && insertRecord ? std::string_view(stack->PendingInserted()) : text);
    if (HasOption(smoWordWrap)) RewrapRange(start, m_selection.caret);
    if (stack) {
        try {
            stack->EndTransaction(code, m_selection);
        } catch (const ELexipad&) {
            Beep();
            throw;
        }
    }
    Changed();
    Repaint(false);
}

// Removes [start, end) from the store; the caret goes to start.
void TCustomLexipad::DeleteRange(int start, int end) {
    if (start >= end || CharCount() == 0) return;
    if (start == 0 && end == CharCount()) {
        m_store->DeleteRange(start, end);
        m_selection = {0, 0};
        m_topLine = 0;
        if (OnTextChange) OnTextChange(*this, 0, 0);
        return;
    }
    int records = m_store->RecordCount();
    bool oneCharacter = end - start == 1 && m_store->CharAt(start) != kLineBreak;
    TRecordSpan span = m_store->DeleteRange(start, end);
    m_topLine = std::min(m_topLine, std::max(m_store->RecordCount() - 1, 0));
    m_selection = {start, start};
    AfterInsert(span, !oneCharacter || records != m_store->RecordCount());
    if (OnTextChange) OnTextChange(*this, start, -(end - start));
}

// Inserts text at position chunk by chunk; the caret follows each chunk.
void TCustomLexipad::InsertChunks(int position, std::string_view text) {
    int caret = position;
    size_t offset = 0;
    std::string chunk;
    while (offset < text.size()) {
        chunk.clear();
        offset += NormalizeChunk(text.substr(offset), kInsertChunk, chunk);
        int records = m_store->RecordCount();
        bool oneCharacter = chunk.size() == 1 && chunk[0] != kLineBreak;
        TRecordSpan span = m_store->InsertText(caret, chunk);
        AfterInsert(span, !oneCharacter || records != m_store->RecordCount());
        int start = caret;
        caret += static_cast<int>(chunk.size());
        m_selection = {caret, caret};
        if (OnTextChange) OnTextChange(*this, start, static_cast<int>(chunk.size()));
    }
    m_selection = {caret, caret};
}

// Flags the rebuilt records and as many following ones as the view shows.
// A single character typed or deleted inside a record that moved no other
// line flags only that record, so the view repaints one line; the
// parser goes on to later lines itself when their tokens change.
void TCustomLexipad::AfterInsert(TRecordSpan span, bool linesMoved) {
    m_needsRestyle = true;
    bool oneRecord = !linesMoved && span.count == 1 && !HasOption(smoWordWrap);
    int last = std::min(span.first + (oneRecord ? 1 : std::max(span.count, m_visibleRows + 2)),
                        m_store->RecordCount());
    for (int index = span.first; index < last; ++index)
        m_store->FlagRestyle(index, index);
}

void TCustomLexipad::UndoReplace(int start, int end, std::string_view text) {
    start = std::clamp(start, 0, CharCount());
    DeleteRange(start, std::clamp(end, start, CharCount()));
    InsertChunks(start, text);
    if (HasOption(smoWordWrap)) RewrapRange(start, m_selection.caret);
}

void TCustomLexipad::UndoSelect(TUndoSelection selection) {
    SetSelection(selection.anchor, selection.caret, false);
}

bool TCustomLexipad::CanUndo() const {
    return m_store->UndoStack() && m_store->UndoStack()->CanUndo();
}

bool TCustomLexipad::CanRedo() const {
    return m_store->UndoStack() && m_store->UndoStack()->CanRedo();
}

void TCustomLexipad::Undo() {
    if (!CanUndo()) return;
    ChangeStep step(*this);
    TUpdateLock lock(*this);
    m_store->UndoStack()->Undo(*this);
    Changed();
}

void TCustomLexipad::Redo() {
    if (!CanRedo()) return;
    ChangeStep step(*this);
    TUpdateLock lock(*this);
    m_store->UndoStack()->Redo(*this);
    Changed();
}

void TCustomLexipad::EmptyUndoBuffer() {
    if (m_store->UndoStack()) m_store->UndoStack()->ClearLog();
}

bool TCustomLexipad::Modified() const {
    return m_store->UndoStack() && m_store->UndoStack()->IsModified();
}

void TCustomLexipad::SetModified(bool modified) {
    if (!modified) EmptyUndoBuffer();
}

void TCustomLexipad::BeginUndoGroup(int code) {
    if (TUndoStack* stack = m_store->UndoStack()) stack->BeginGroup(code, m_selection);
}

void TCustomLexipad::EndUndoGroup(int code) {
    if (TUndoStack* stack = m_store->UndoStack()) stack->EndGroup(code, m_selection);
}

// The records a block command works on: from the selection start's line to
// the end's, leaving out a last line the selection ends at the start of.
std::pair<int, int> TCustomLexipad::BlockLines() const {
    int first = m_store->RecordFromPosition(m_selection.Start());
    int last = m_store->RecordFromPosition(m_selection.End());
    if (last > first && m_store->RecordStart(last) == m_selection.End()) --last;
    while (first > 0 && m_store->Record(first).IsContinuation())
        --first;
    return {first, last};
}

void TCustomLexipad::IndentLine(int lineStart, const std::string& indent) {
    TUndoSelection selection = m_selection;
    int count = static_cast<int>(indent.size());
    ReplaceRange(lineStart, lineStart, indent, ucReplace, indent);
    m_selection = {ShiftForInsert(selection.anchor, lineStart, count),
                   ShiftForInsert(selection.caret, lineStart, count)};
}

// Leading blanks (space, TAB, 160) of the line at lineStart, at most step.
int TCustomLexipad::LeadingBlanks(int lineStart, int step) const {
    const TLineRecord& record = m_store->Record(m_store->RecordFromPosition(lineStart));
    std::string_view text = record.Text().substr(0, static_cast<size_t>(record.TextLength()));
    int count = 0;
    while (count < step && static_cast<size_t>(count) < text.size()) {
        unsigned char c = static_cast<unsigned char>(text[static_cast<size_t>(count)]);
        if (c != ' ' && c != '\t' && c != 160) break;
        ++count;
    }
    return count;
}

void TCustomLexipad::RemoveLeading(int lineStart, int count) {
    TUndoSelection selection = m_selection;
    ReplaceRange(lineStart, lineStart + count, {}, ucReplace, {});
    m_selection = {ShiftForDelete(selection.anchor, lineStart, count),
                   ShiftForDelete(selection.caret, lineStart, count)};
}

// The step of a block indent or unindent: 0 takes the IndentStep setting; a
// step outside the setting's bounds is refused like the setting itself.
int TCustomLexipad::BlockStep(int step) const {
    if (step < 0 || step > TLP_Settings::kMaxIndentStep)
        throw ELexipad(
            Format("Indent step must be between 0 and %d", TLP_Settings::kMaxIndentStep));
    return step == 0 ? IndentStep() : step;
}

// Lines are changed from the last to the first, so that a line that grows
// into a new record does not move the ones still to do.
void TCustomLexipad::BlockIndent(int step, bool useTabs) {
    step = BlockStep(step);
    if (SelLength() == 0 || step == 0) return;
    ChangeStep change(*this);
    std::string indent(static_cast<size_t>(step), useTabs && HasOption(smoUseTAB) ? '\t' : ' ');
    auto [first, last] = BlockLines();
    TUndoGroup group(*this, ucBlockIndent);
    for (int line = last; line >= first; --line)
        if (!m_store->Record(line).IsContinuation()) IndentLine(m_store->RecordStart(line), indent);
    ScrollCaret();
    Repaint(true);
}

void TCustomLexipad::BlockUnindent(int step) {
    step = BlockStep(step);
    if (SelLength() == 0 || step == 0) return;
    ChangeStep change(*this);
    auto [first, last] = BlockLines();
    std::optional<TUndoGroup> group; // opened at the first change only
    for (int line = last; line >= first; --line) {
        if (m_store->Record(line).IsContinuation()) continue;
        int lineStart = m_store->RecordStart(line);
        int count = LeadingBlanks(lineStart, step);
        if (count == 0) continue;
        if (!group) group.emplace(*this, ucBlockUnindent);
        RemoveLeading(lineStart, count);
    }
    ScrollCaret();
    Repaint(true);
}

} // namespace quarno
