// The editing engine: the settings in use, the parser slots and restyling.
#include "core/base/Exceptions.h"
#include "core/editor/TCustomLexipad.h"
#include "core/editor/TCustomLexipadParser.h"
#include "core/editor/TCustomLexipadSteps.h"
#include "core/settings/TLP_Settings.h"

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

void TCustomLexipad::Restyle() {
    TCustomLexipadParser* parser = CurrentParser();
    if (!parser || m_restyling || m_loading) return;
    m_restyling = true;
    try {
        parser->Restyle(*this);
    } catch (...) {
        m_restyling = false;
        throw;
    }
    m_restyling = false;
}

} // namespace quarno
