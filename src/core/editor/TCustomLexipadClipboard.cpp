// The editing engine: cut, copy and paste through the clipboard interface,
// and the clipboard messages.
#include "core/base/Exceptions.h"
#include "core/base/TFastMemoryStream.h"
#include "core/editor/ILexipadClipboard.h"
#include "core/editor/LexipadMessages.h"
#include "core/editor/TCustomLexipad.h"
#include "core/editor/TCustomLexipadSteps.h"

#include <new>

namespace quarno {

namespace {

constexpr const char* kNoBuffer = "Cannot alloc memory for buffer!!";

// Clipboard text ends at its first NUL, as a C string does.
void CutAtNul(std::string& text) {
    if (size_t nul = text.find('\0'); nul != std::string::npos) text.resize(nul);
}

} // namespace

bool TCustomLexipad::CanPaste() const {
    return m_clipboard && m_clipboard->HasText();
}

void TCustomLexipad::CopyToClipboard() {
    if (!m_clipboard || SelLength() == 0) return;
    try {
        m_clipboard->Clear();
        if (m_clipCopyFormats & smTEXT) m_clipboard->PutText(SelectedText(kWriteCrLf));
        if (m_clipCopyFormats & smRTF) {
            m_clipboard->PutRichText(SelectedText(kWriteRtf));
            m_clipboard->PutHtml(SelectedText(kWriteHtml));
        }
    } catch (const std::bad_alloc&) {
        throw ELexipad(kNoBuffer);
    }
}

void TCustomLexipad::CutToClipboard() {
    if (m_readOnly || !m_clipboard || SelLength() == 0) return;
    ChangeStep step(*this);
    TUndoGroup group(*this, ucCut);
    CopyToClipboard();
    ReplaceSelection({});
}

// 8-bit text is preferred to HTML; OnDataDrop may change the choice. The
// fragment extraction only ever applies to HTML data: plain text that holds
// a "<" must arrive whole.
void TCustomLexipad::PasteFromClipboard() {
    if (m_readOnly || !m_clipboard) return;
    TSourceTypes types = 0;
    if (m_clipboard->HasHtml()) types |= stHtml;
    if (m_clipboard->HasText()) types |= stText;
    if (types == 0) return;
    types |= stClipboard;
    if (OnDataDrop) OnDataDrop(*this, types);
    std::string data;
    try {
        if ((types & stText) && m_clipboard->HasText())
            data = m_clipboard->Text();
        else if ((types & stHtml) && m_clipboard->HasHtml())
            data = (types & stInsertAsText) ? m_clipboard->Html()
                                            : ExtractHtmlFragment(m_clipboard->Html(), types);
        else
            return;
    } catch (const std::bad_alloc&) {
        throw ELexipad(kNoBuffer);
    }
    CutAtNul(data);
    ChangeStep step(*this);
    TUpdateLock lock(*this);
    TUndoGroup group(*this, ucPaste);
    TFastMemoryStream stream{std::string_view(data)};
    InsertStream(stream);
    ScrollCaret();
}

intptr_t TCustomLexipad::PerformClipboard(uint32_t message, bool& handled) {
    switch (message) {
    case WM_CUT: CutToClipboard(); return 0;
    case WM_COPY: CopyToClipboard(); return 0;
    case WM_PASTE: PasteFromClipboard(); return 0;
    case LPM_CANPASTE: return CanPaste();
    default: handled = false; return 0;
    }
}

} // namespace quarno
