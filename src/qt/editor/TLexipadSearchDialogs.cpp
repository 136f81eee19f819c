// The editing control's built-in find and replace dialogs: the engine's
// dialog requests open them (through the view), and their failed searches are
// reported here.
#include "qt/editor/TLexipad.h"
#include "qt/editor/TLexipadReplaceDialog.h"

namespace quarno {

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
        Prompts().Show(TPromptKind::Plain, SearchFailMessage(searchString));
}

TLexipadFindDialog* TLexipad::BuiltInFindDialog() const {
    return m_findDialog && m_findDialog->isVisible() ? m_findDialog.data() : nullptr;
}

TLexipadReplaceDialog* TLexipad::BuiltInReplaceDialog() const {
    return m_replaceDialog && m_replaceDialog->isVisible() ? m_replaceDialog.data() : nullptr;
}

} // namespace quarno
