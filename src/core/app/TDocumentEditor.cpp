// The editing control the documents are shown in.
#include "core/app/TDocumentEditor.h"

#include "core/document/TTextStore.h"
#include "core/editor/LexipadMessages.h"
#include "core/editor/TCustomLexipad.h"

#include <cassert>

namespace quarno {

TDocumentEditor::TDocumentEditor(TCustomLexipad& editor, TParserLookup findParser)
    : m_editor(editor), m_findParser(std::move(findParser)),
      m_shown(std::make_unique<TTextStore>()) {
    m_editor.Perform(LPM_STORE, 1, m_shown.get());
}

TDocumentEditor::~TDocumentEditor() {
    m_editor.Perform(LPM_STORE, 1, 0);
}

TCustomLexipadParser* TDocumentEditor::FindParser(const std::string& languageName) const {
    return m_findParser && !languageName.empty() ? m_findParser(languageName) : nullptr;
}

std::unique_ptr<TTextStore> TDocumentEditor::ExchangeStore(std::unique_ptr<TTextStore> store) {
    if (!store) return nullptr;
    TTextStore* current = nullptr;
    m_editor.Perform(LPM_STORE, 0, &current);
    assert(current == m_shown.get() && "a store was attached behind the documents' back");
    m_editor.Perform(LPM_STORE, 1, store.get());
    std::swap(m_shown, store);
    return store;
}

void TDocumentEditor::AttachParser(TCustomLexipadParser* parser) {
    m_editor.SetParser(kParserSlot, parser);
    m_editor.SetActiveParser(kParserSlot);
}

} // namespace quarno
