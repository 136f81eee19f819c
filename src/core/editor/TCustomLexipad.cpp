// The editing engine: construction, the attached store, selection and view
// state.
#include "core/editor/TCustomLexipad.h"

#include "core/editor/ILexipadView.h"
#include "core/editor/TCustomLexipadParser.h"
#include "core/editor/TCustomLexipadSteps.h"
#include "core/services/TStoreSearch.h" // complete for the destructor

#include <algorithm>

namespace quarno {

TCustomLexipad::TCustomLexipad()
    : m_ownStore(std::make_unique<TTextStore>()), m_store(m_ownStore.get()),
      m_ownSettings(std::make_unique<TLP_Settings>()), m_settings(m_ownSettings.get()) {
    m_store->AddView(this);
    ConnectStoreEvents();
}

TCustomLexipad::~TCustomLexipad() {
    DisconnectStoreEvents();
    m_store->RemoveView(this);
    for (TCustomLexipadParser* parser : m_parsers)
        if (parser) parser->Detach(*this);
}

void TCustomLexipad::AttachStore(TTextStore* store) {
    ChangeStep step(*this);
    DisconnectStoreEvents();
    m_store->RemoveView(this);
    m_store = store ? store : m_ownStore.get();
    m_store->AddView(this);
    ConnectStoreEvents();
    m_topLine = std::min(m_topLine, std::max(m_store->RecordCount() - 1, 0));
    m_selection = {std::min(m_selection.anchor, CharCount()),
                   std::min(m_selection.caret, CharCount())};
    ResumeIdleRestyle();
    Changed();
    Repaint(true);
}

void TCustomLexipad::SetSelection(int anchor, int caret, bool repaint) {
    ChangeStep step(*this);
    if (anchor == -1) {
        anchor = 0;
        caret = CharCount();
    }
    TUndoSelection before = m_selection;
    m_selection = {std::clamp(anchor, 0, CharCount()), std::clamp(caret, 0, CharCount())};
    if (m_selection == before) return;
    m_beyondEol = false;
    RememberColumn();
    Changed();
    FlagSelectionChange(before, m_selection);
    if (repaint) Repaint(false);
}

// Flags the visible records between the old and the new selection.
void TCustomLexipad::FlagSelectionChange(TUndoSelection before, TUndoSelection after) {
    if (m_store->RecordCount() == 0) return;
    int low = std::min({before.anchor, before.caret, after.anchor, after.caret});
    int high = std::max({before.anchor, before.caret, after.anchor, after.caret});
    int first = std::max(m_store->RecordFromPosition(low), m_topLine);
    int last = std::min(m_store->RecordFromPosition(high), m_topLine + m_visibleRows + 1);
    last = std::min(last, m_store->RecordCount() - 1);
    for (int index = first; index <= last; ++index)
        m_store->Record(index).AddFlags(lfRepaint);
}

void TCustomLexipad::SetTopLine(int line) {
    int top = std::clamp(line, 0, std::max(m_store->RecordCount() - 1, 0));
    if (top == m_topLine) return;
    ChangeStep step(*this);
    m_topLine = top;
    Changed();
    Repaint(true);
}

void TCustomLexipad::SetLeftCol(int column) {
    int left = std::max(column, 0);
    if (left == m_leftCol) return;
    ChangeStep step(*this);
    m_leftCol = left;
    Changed();
    Repaint(true);
}

void TCustomLexipad::SetVisibleSize(int columns, int rows) {
    m_visibleCols = std::max(columns, 1);
    m_visibleRows = std::max(rows, 1);
}

void TCustomLexipad::LineScroll(int columns, int lines) {
    SetLeftCol(m_leftCol + columns);
    SetTopLine(m_topLine + lines);
}

// Brings the caret's line into view a line at a time and its column in steps
// of 8 columns.
void TCustomLexipad::ScrollCaret() {
    int line = LineFromChar(-1);
    if (line < m_topLine)
        SetTopLine(line);
    else if (line >= m_topLine + m_visibleRows)
        SetTopLine(line - m_visibleRows + 1);
    int column = m_selection.caret - (m_store->RecordCount() ? m_store->RecordStart(line) : 0);
    int left = m_leftCol;
    while (column < left)
        left = std::max(left - 8, 0);
    while (column >= left + m_visibleCols)
        left += 8;
    SetLeftCol(left);
}

void TCustomLexipad::LockUpdate(bool lock) {
    if (lock) {
        ++m_lockCount;
        return;
    }
    if (m_lockCount > 0 && --m_lockCount == 0) Repaint(true);
}

void TCustomLexipad::Repaint(bool full) {
    if (m_view && m_lockCount == 0 && !m_loading) m_view->Repaint(full);
}

void TCustomLexipad::Beep() {
    if (m_view) m_view->Beep();
}

void TCustomLexipad::RaiseChange() {
    if (!m_changed) return;
    m_changed = false;
    if (OnChange) OnChange(*this);
}

int TCustomLexipad::LineIndex(int line) const {
    if (line == -1) line = LineFromChar(-1);
    if (line < 0 || line > m_store->RecordCount()) return -1;
    return m_store->RecordStart(line);
}

int TCustomLexipad::LineLength(int position) const {
    if (m_store->RecordCount() == 0) return 0;
    if (position == -1) position = m_selection.caret;
    return m_store->Record(m_store->RecordFromPosition(position)).TextLength();
}

int TCustomLexipad::LineFromChar(int position) const {
    return m_store->RecordFromPosition(position == -1 ? m_selection.caret : position);
}

int TCustomLexipad::CaretRecordAt(int position) const {
    int count = CharCount();
    if (position >= count && count > 0 && m_store->CharAt(count - 1) == kLineBreak)
        return m_store->RecordCount();
    return LineFromChar(position);
}

std::string TCustomLexipad::LineText(int line) const {
    if (line < 0 || line >= m_store->RecordCount()) return std::string();
    const TLineRecord& record = m_store->Record(line);
    return std::string(record.Text().substr(0, static_cast<size_t>(record.TextLength())));
}

} // namespace quarno
