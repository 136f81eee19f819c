// The editing engine: the find entry and the search operations it keeps.
#include "editor/TCustomLexipad.h"
#include "services/TLexipadSearch.h"

namespace quarno {

TLexipadSearch& TCustomLexipad::SearchEngine() {
    if (!m_search) {
        m_search = std::make_unique<TLexipadSearch>();
        m_search->SetCharStartsWord([this](char c) { return CharStartsWord(c); });
        m_search->SetCharIsInWord([this](char c) { return CharIsInWord(c); });
    }
    return *m_search;
}

int TCustomLexipad::Find(uint32_t options, std::string_view text) {
    return SearchEngine().Find(*this, options, text);
}

void TCustomLexipad::ReplaceDialog(uint32_t options, std::string_view text) {
    SearchEngine().ReplaceDialog(*this, options, text);
}

} // namespace quarno
