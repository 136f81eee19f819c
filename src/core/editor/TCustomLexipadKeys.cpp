// The editing engine: key presses through code templates, automatic
// replacement and the key bindings of the settings.
#include "core/document/TEdStream.h"
#include "core/editor/TCustomLexipad.h"
#include "core/editor/TCustomLexipadSteps.h"
#include "core/lexicon/ShortCuts.h"
#include "core/settings/TLP_Settings.h"

namespace quarno {

namespace {

// Shift with these keys runs the same action, extending the selection.
bool ShiftExtends(uint16_t key) {
    return key == vk::Back || (key >= vk::Prior && key <= vk::Down);
}

} // namespace

bool TCustomLexipad::KeyDown(uint16_t key, uint8_t shift) {
    ChangeStep step(*this);
    if (!m_readOnly && HandleMacroKey(key, shift)) return true;
    bool extend = (shift & kShiftKey) != 0;
    uint8_t lookup = ShiftExtends(key) ? static_cast<uint8_t>(shift & ~kShiftKey) : shift;
    TKeyResult result = m_settings->Keys().KeyEvent(m_keySequence, MakeShortCut(key, lookup));
    if (!result.consumed) return false;
    if (result.action >= 0) {
        int code = result.action;
        if (OnCommandRecognised) OnCommandRecognised(*this, code);
        if (code >= 0) ExecuteAction(code, extend);
    }
    return true;
}

// The template hot key is always used; a trigger key is used unless the
// replacement keeps it (then it is typed after the replacement).
bool TCustomLexipad::HandleMacroKey(uint16_t key, uint8_t shift) {
    const TCodeTemplates& templates = m_settings->Templates();
    if (templates.IsHotKey(key, shift)) {
        ExpandMacro(templates, false);
        return true;
    }
    const TAutoReplace& replacements = m_settings->AutoReplace();
    if (replacements.IsTrigger(key, shift) && ExpandMacro(replacements, true))
        return !replacements.KeepKey();
    return false;
}

// The current record up to the caret: names never span lines.
std::string TCustomLexipad::TextBeforeCaret() const {
    if (m_store->RecordCount() == 0) return {};
    int caret = m_selection.caret;
    int record = LineFromChar(caret);
    std::string_view text = m_store->Record(record).Text();
    return std::string(text.substr(0, static_cast<size_t>(caret - m_store->RecordStart(record))));
}

bool TCustomLexipad::ExpandMacro(const TMacroKeywords& macros, bool autoReplace) {
    std::string before = TextBeforeCaret();
    int length = 0;
    int index = macros.MatchBefore(before, length);
    if (index < 0) {
        if (!autoReplace && macros.ListOnNoMatch() && OnTemplateList) {
            size_t start = before.size();
            while (start > 0 && CharIsInWord(before[start - 1]))
                --start;
            OnTemplateList(*this, before.substr(start));
        }
        return false;
    }
    const TMacroEntry& entry = macros.Entries()[static_cast<size_t>(index)];
    std::string replacement = entry.body;
    std::string typed = before.substr(before.size() - static_cast<size_t>(length));
    if (autoReplace && OnAutoReplace) {
        TEdStream cursor(*m_store);
        cursor.Seek(m_selection.caret, TSeekOrigin::soBeginning);
        bool canReplace = true;
        OnAutoReplace(*this, cursor, typed, replacement, canReplace);
        if (!canReplace) return false;
    } else if (!autoReplace && OnTemplateEvent) {
        OnTemplateEvent(*this, entry.name, replacement);
    }
    TUndoGroup group(*this, ucTemplate);
    int caret = m_selection.caret;
    SetSelection(caret - length, caret, false);
    ReplaceSelection(replacement);
    ScrollCaret();
    return true;
}

} // namespace quarno
