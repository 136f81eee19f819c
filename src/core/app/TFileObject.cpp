// The document object of one tab.
#include "core/app/TFileObject.h"

#include "core/app/TDocumentEditor.h"
#include "core/document/TTextStore.h"
#include "core/document/TUndoStack.h"
#include "core/editor/LexipadMessages.h"
#include "core/editor/TCustomLexipad.h"
#include "core/editor/TCustomLexipadParser.h"
#include "core/editor/TLexipadGuards.h"
#include "core/settings/TLP_Settings.h"

namespace quarno {

namespace {

TUndoStack* EditorUndoStack(TCustomLexipad& editor) {
    TUndoStack* stack = nullptr;
    editor.Perform(LPM_UNDOSTACK, 0, &stack);
    return stack;
}

void SetWordWrapOption(TLP_Settings& settings, bool wrap) {
    int32_t options = settings.Options();
    settings.SetOptions(wrap ? options | smoWordWrap
                             : options & ~static_cast<int32_t>(smoWordWrap));
}

} // namespace

TFileObject::TFileObject() : m_store(std::make_unique<TTextStore>()) {}

TFileObject::~TFileObject() = default;

void TFileObject::StoreEditorState(TDocumentEditor& documentEditor) {
    TCustomLexipad& editor = documentEditor.Editor();
    int selection[2] = {0, 0};
    editor.Perform(LPM_SELECTION, 0, selection);
    m_selAnchor = selection[0];
    m_selCaret = selection[1];
    m_firstVisibleLine = editor.TopLine() + 1;
    m_store = documentEditor.ExchangeStore(std::move(m_store));
    // A control without a title keeps the document's name rather than
    // leaving the document nameless.
    if (!editor.PrintTitle().empty()) m_fileName = editor.PrintTitle();
    m_wordWrap = editor.HasOption(smoWordWrap);
    RecordLayout(documentEditor);
}

// Font and wrap layout the shown text was laid out for; the settings in use
// are the attached parser's, else the control's own.
void TFileObject::RecordLayout(TDocumentEditor& documentEditor) {
    TCustomLexipad& editor = documentEditor.Editor();
    m_fontName = editor.Settings().FontName();
    m_fontSize = editor.Settings().FontSize();
    m_charset = editor.Settings().FontCharset();
    m_wrapColumn = editor.WrapAtColumn();
    m_clientWidth = editor.ClientWidth();
}

bool TFileObject::LayoutChanged(TDocumentEditor& documentEditor) const {
    TCustomLexipad& editor = documentEditor.Editor();
    const TLP_Settings& settings = editor.Settings();
    return settings.FontName() != m_fontName || settings.FontSize() != m_fontSize ||
           settings.FontCharset() != m_charset || editor.WrapAtColumn() != m_wrapColumn ||
           (m_wrapColumn == 0 && editor.ClientWidth() != m_clientWidth);
}

void TFileObject::RestoreEditorState(TDocumentEditor& documentEditor) {
    TCustomLexipad& editor = documentEditor.Editor();
    TUpdateLock lock(editor);
    documentEditor.AttachParser(nullptr);
    TCustomLexipadParser* parser = documentEditor.FindParser(m_parserName);
    if (parser) {
        SetWordWrapOption(parser->Settings(), m_wordWrap);
        documentEditor.AttachParser(parser);
    }
    m_store = documentEditor.ExchangeStore(std::move(m_store));
    // Re-wrapping first keeps the restored top line on the record it names.
    if (editor.HasOption(smoWordWrap) && LayoutChanged(documentEditor)) {
        uint32_t options = editor.Options();
        editor.SetOptions(options & ~static_cast<uint32_t>(smoWordWrap));
        editor.SetOptions(options);
    }
    int selection[2] = {m_selAnchor, m_selCaret};
    editor.Perform(LPM_SELECTION, kLpmSet, selection);
    editor.SetTopLine(m_firstVisibleLine - 1);
    editor.SetPrintTitle(m_fileName);
}

void TFileObject::LoadIntoEditor(TDocumentEditor& documentEditor, const std::string& fileName) {
    TCustomLexipad& editor = documentEditor.Editor();
    {
        TUpdateLock lock(editor);
        editor.SetText(std::string_view());
        documentEditor.AttachParser(nullptr);
        editor.SetOptions(editor.Options() & ~static_cast<uint32_t>(smoWordWrap));
        editor.LoadFromFile(fileName);
        editor.SetPrintTitle(fileName);
        TCustomLexipadParser* parser = documentEditor.FindParser(kParserName);
        m_parserName = kParserName;
        if (parser) {
            SetWordWrapOption(parser->Settings(), false);
            documentEditor.AttachParser(parser);
        }
        RecordLayout(documentEditor);
    }
    StoreEditorState(documentEditor);
}

void TFileObject::ClearEditor(TDocumentEditor& documentEditor) {
    TCustomLexipad& editor = documentEditor.Editor();
    {
        TUpdateLock lock(editor);
        editor.SetPrintTitle(m_fileName);
        editor.SetText(std::string_view());
    }
    StoreEditorState(documentEditor);
}

void TFileObject::WriteDocument(TDocumentEditor& documentEditor, const std::string& fileName) {
    TCustomLexipad& editor = documentEditor.Editor();
    // Saving clears the log of an attached undo stack; the document keeps
    // its history across saves, so the stack sits out the write.
    std::unique_ptr<TUndoStack> stack = editor.Store().ReplaceUndoStack(nullptr);
    try {
        editor.SaveToFile(fileName);
    } catch (...) {
        editor.Store().ReplaceUndoStack(std::move(stack));
        throw;
    }
    m_fileName = fileName;
    editor.SetPrintTitle(fileName);
    editor.Store().ReplaceUndoStack(std::move(stack));
    const TUndoStack* attached = EditorUndoStack(editor);
    m_savedDepth = attached ? attached->Count() : 0;
    m_savedTopValue = attached && attached->Current() ? attached->Current()->serial : 0;
}

bool TFileObject::IsModified(const TUndoStack* stack) const {
    if (!stack) return true;
    if (stack->Count() != m_savedDepth) return true;
    return stack->Count() != 0 && stack->Current() && stack->Current()->serial != m_savedTopValue;
}

bool TFileObject::IsModifiedInEditor(const TDocumentEditor& editor) const {
    return IsModified(EditorUndoStack(editor.Editor()));
}

bool TFileObject::IsModifiedInStore() const {
    return IsModified(m_store->UndoStack());
}

} // namespace quarno
