// The editing engine: the settings in use, the parser slots and restyling.
#include "core/base/Exceptions.h"
#include "core/editor/ILexipadView.h"
#include "core/editor/TCustomLexipad.h"
#include "core/editor/TCustomLexipadParser.h"
#include "core/editor/TCustomLexipadSteps.h"
#include "core/settings/TLP_Settings.h"

#include <algorithm>

namespace quarno {

TCustomLexipadParser* TCustomLexipad::Parser(int slot) const {
    if (slot < 1 || slot > 6) throw ELexipad("Parser index out of range");
    return m_parsers[static_cast<size_t>(slot - 1)];
}

TCustomLexipadParser* TCustomLexipad::CurrentParser() const {
    return m_parsers[static_cast<size_t>(m_activeParser - 1)];
}

void TCustomLexipad::SetParser(int slot, TCustomLexipadParser* parser) {
    Parser(slot); // checks the slot
    TCustomLexipadParser*& entry = m_parsers[static_cast<size_t>(slot - 1)];
    if (entry == parser) return;
    if (entry && entry != parser) entry->Detach(*this);
    entry = parser;
    if (parser) parser->Attach(*this);
    if (slot == m_activeParser) UseSettings(parser ? parser->Settings() : *m_ownSettings);
}

void TCustomLexipad::SetActiveParser(int slot) {
    TCustomLexipadParser* parser = Parser(slot);
    if (slot == m_activeParser) return;
    m_activeParser = slot;
    UseSettings(parser ? parser->Settings() : *m_ownSettings);
}

// Switching settings re-applies them; every line is rescanned.
void TCustomLexipad::UseSettings(TLP_Settings& settings) {
    m_settings = &settings;
    m_store->FlagRestyle(0, m_store->RecordCount() - 1);
    SettingsChanged();
}

void TCustomLexipad::SettingsChanged() {
    ChangeStep step(*this);
    bool wrap = HasOption(smoWordWrap);
    if (wrap != m_appliedWrap || (wrap && WrapAtColumn() != m_appliedWrapColumn)) {
        m_appliedWrap = wrap;
        m_appliedWrapColumn = WrapAtColumn();
        Rewrap();
    }
    Restyle();
    Changed();
    Repaint(true);
}

// The end of a step: the changed lines are rescanned, then OnChange.
void TCustomLexipad::FinishStep() {
    if (m_needsRestyle) {
        m_needsRestyle = false;
        Restyle();
    }
    // A gutter grown by a digit moves every row's text.
    int gutter = GutterWidth();
    if (gutter != m_shownGutterWidth) {
        m_shownGutterWidth = gutter;
        Repaint(true);
    }
    RaiseChange();
}

void TCustomLexipad::SetIdleRestyle(bool on) {
    m_idleRestyle = on;
    if (!on) FinishRestyle();
}

// Characters of the records that may wait for a rescan.
int TCustomLexipad::WaitingChars() const {
    int first = m_store->RestyleFirst();
    int last = m_store->RestyleLast();
    return first > last ? 0 : m_store->RecordStart(last + 1) - m_store->RecordStart(first);
}

bool TCustomLexipad::CanRestyleNow() const {
    return CurrentParser() && !m_restyling && !m_loading;
}

void TCustomLexipad::Restyle() {
    if (!CanRestyleNow()) return;
    if (!m_idleRestyle || WaitingChars() <= kRestyleSlice) {
        NoteProgress(RunRestyle({}));
        return;
    }
    const int rows = std::max(m_visibleRows, 1);
    NoteProgress(RunRestyle({m_topLine, m_topLine + 2 * rows, 0}));
}

TRestyleProgress TCustomLexipad::RunRestyle(const TRestyleLimit& limit) {
    m_restyling = true;
    try {
        TRestyleProgress progress = CurrentParser()->RestyleWithin(*this, limit);
        m_restyling = false;
        return progress;
    } catch (...) {
        m_restyling = false;
        throw;
    }
}

// Records left waiting are announced to the view once.
void TCustomLexipad::NoteProgress(TRestyleProgress progress) {
    const bool waiting = progress == TRestyleProgress::More;
    const bool announce = waiting && !m_restylePending;
    m_restylePending = waiting;
    if (announce && m_view) m_view->RestyleWaiting();
}

// A store attached with records still waiting goes on in idle time.
void TCustomLexipad::ResumeIdleRestyle() {
    const bool waiting =
        m_idleRestyle && CurrentParser() && m_store->RestyleFirst() <= m_store->RestyleLast();
    NoteProgress(waiting ? TRestyleProgress::More : TRestyleProgress::Done);
}

bool TCustomLexipad::RestyleSlice(int budget) {
    if (!m_restylePending) return false;
    if (m_restyling || m_loading) return true;
    if (!CurrentParser()) {
        m_restylePending = false;
        return false;
    }
    NoteProgress(RunRestyle({0, -1, std::max(budget, 1)}));
    Repaint(false);
    return m_restylePending;
}

void TCustomLexipad::StyleRecords(int first, int last) const {
    if (!m_restylePending || first > last || !CanRestyleNow()) return;
    if (m_store->RestyleFirst() > last || m_store->RestyleLast() < first) return;
    auto& self = const_cast<TCustomLexipad&>(*this);
    if (self.RunRestyle({first, last, 0}) != TRestyleProgress::More) m_restylePending = false;
}

void TCustomLexipad::FinishRestyle() const {
    if (!m_restylePending || !CanRestyleNow()) return;
    auto& self = const_cast<TCustomLexipad&>(*this);
    if (self.RunRestyle({}) != TRestyleProgress::More) m_restylePending = false;
}

} // namespace quarno
