// The editing control's built-in find and replace dialogs: the engine's
// dialog requests open them, and their failed searches are reported here.
#include "editor/TLexipad.h"
#include "editor/TLexipadReplaceDialog.h"
#include "services/TLexipadSearch.h"

namespace quarno {

void TLexipad::InstallSearchHooks() {
    TLexipadSearch& search = SearchEngine();
    search.OnFindDialog = [this](const std::string& preset, uint32_t options) {
        OpenSearchDialog(false, preset, options);
    };
    search.OnReplaceDialog = [this](const std::string& preset, uint32_t options) {
        OpenSearchDialog(true, preset, options);
    };
    // An invalid pattern: the engine's message, the pattern and a caret line.
    search.OnSearchError = [this](const std::string& message) {
        Prompts().Show(TPromptKind::Error, message);
    };
}

// One of the two is shown at a time, so each restores the HideSelection the
// other found.
void TLexipad::OpenSearchDialog(bool replace, const std::string& preset, uint32_t options) {
    TLexipadFindDialog* dialog = nullptr;
    if (replace) {
        if (m_findDialog) m_findDialog->hide();
        if (!m_replaceDialog) m_replaceDialog = new TLexipadReplaceDialog(*this);
        dialog = m_replaceDialog;
    } else {
        if (m_replaceDialog) m_replaceDialog->hide();
        if (!m_findDialog) m_findDialog = new TLexipadFindDialog(*this);
        dialog = m_findDialog;
    }
    dialog->Open(preset, options);
}

void TLexipad::ReportSearchFail(const std::string& searchString) {
    if (OnSearchFail)
        OnSearchFail(*this, searchString);
    else
        Prompts().Show(TPromptKind::Plain, TLexipadSearch::SearchFailMessage(searchString));
}

TLexipadFindDialog* TLexipad::BuiltInFindDialog() const {
    return m_findDialog && m_findDialog->isVisible() ? m_findDialog.data() : nullptr;
}

TLexipadReplaceDialog* TLexipad::BuiltInReplaceDialog() const {
    return m_replaceDialog && m_replaceDialog->isVisible() ? m_replaceDialog.data() : nullptr;
}

} // namespace quarno
