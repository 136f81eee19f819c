// The document object of one tab.
#include "core/app/TFileObject.h"

#include "core/app/GotoLine.h"
#include "core/app/TDocumentEditor.h"
#include "core/app/TRecoveryJournal.h"
#include "core/base/FileUtils.h"
#include "core/base/TMemoryStream.h"
#include "core/document/TTextStore.h"
#include "core/document/TUndoStack.h"
#include "core/editor/LexipadMessages.h"
#include "core/editor/SourceFile.h"
#include "core/editor/TCustomLexipad.h"
#include "core/editor/TCustomLexipadParser.h"
#include "core/editor/TLexipadGuards.h"
#include "core/settings/TLP_Settings.h"

#include <algorithm>

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
    editor.SetReadOnly(IsReadOnly());
}

void TFileObject::LoadIntoEditor(TDocumentEditor& documentEditor, const std::string& fileName,
                                 const TReadProgress& progress) {
    TCustomLexipad& editor = documentEditor.Editor();
    {
        TUpdateLock lock(editor);
        editor.SetText(std::string_view());
        documentEditor.AttachParser(nullptr);
        editor.SetOptions(editor.Options() & ~static_cast<uint32_t>(smoWordWrap));
        m_encoding = LoadSourceFile(editor, fileName, progress);
        editor.SetPrintTitle(fileName);
        TCustomLexipadParser* parser = documentEditor.FindParser(kParserName);
        m_parserName = kParserName;
        if (parser) {
            SetWordWrapOption(parser->Settings(), false);
            documentEditor.AttachParser(parser);
        }
        RecordLayout(documentEditor);
    }
    m_diskIdentity = TFileIdentity::Of(fileName);
    StoreEditorState(documentEditor);
}

void TFileObject::ReloadInEditor(TDocumentEditor& documentEditor) {
    TCustomLexipad& editor = documentEditor.Editor();
    int selection[2] = {0, 0};
    editor.Perform(LPM_SELECTION, 0, selection);
    int caretLine = RealLineOfPosition(editor.Store(), selection[1]);
    int topLine = editor.TopLine();
    TFileIdentity identity = TFileIdentity::Of(m_fileName);
    {
        TUpdateLock lock(editor);
        m_encoding = LoadSourceFile(editor, m_fileName);
        editor.SetReadOnly(IsReadOnly());
        int line = std::min(caretLine, RealLineCount(editor.Store()));
        int position = editor.Store().RecordStart(RowOfRealLine(editor.Store(), line));
        editor.SetSelection(position, position);
        editor.SetTopLine(topLine);
    }
    m_diskIdentity = identity;
    RememberSavedState(documentEditor);
}

void TFileObject::RestoreFromJournal(TDocumentEditor& documentEditor, const TJournalEntry& entry) {
    TCustomLexipad& editor = documentEditor.Editor();
    m_fileName = entry.fileName;
    {
        TUpdateLock lock(editor);
        documentEditor.AttachParser(nullptr);
        editor.SetPrintTitle(m_fileName);
        editor.SetText(entry.text);
    }
    StoreEditorState(documentEditor);
    m_encoding = entry.encoding;
    m_diskIdentity = TFileIdentity::Of(m_fileName);
    m_parserName = kParserName;
    m_differsFromDisk = true;
}

std::pair<int64_t, uint64_t> TFileObject::TextState(const TDocumentEditor& editor,
                                                    bool shown) const {
    const TUndoStack* stack = shown ? EditorUndoStack(editor.Editor()) : m_store->UndoStack();
    if (!stack) return {-1, 0};
    return {stack->Count(), stack->Current() ? stack->Current()->serial : 0};
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
        WriteInEncoding(editor, fileName);
    } catch (...) {
        editor.Store().ReplaceUndoStack(std::move(stack));
        throw;
    }
    m_fileName = fileName;
    editor.SetPrintTitle(fileName);
    editor.Store().ReplaceUndoStack(std::move(stack));
    m_diskIdentity = TFileIdentity::Of(fileName);
    RememberSavedState(documentEditor);
}

// A converted text goes through memory: the control writes its own bytes.
void TFileObject::WriteInEncoding(TCustomLexipad& editor, const std::string& fileName) const {
    if (!IsConverted(m_encoding)) {
        editor.SaveToFile(fileName);
        return;
    }
    TMemoryStream stream;
    editor.SaveToStream(&stream);
    WriteFileSafely(fileName, EncodeSource(stream.Bytes(), m_encoding));
}

// The undo position the text now matches the file at.
void TFileObject::RememberSavedState(TDocumentEditor& documentEditor) {
    const TUndoStack* attached = EditorUndoStack(documentEditor.Editor());
    m_savedDepth = attached ? attached->Count() : 0;
    m_savedTopValue = attached && attached->Current() ? attached->Current()->serial : 0;
    m_differsFromDisk = false;
}

bool TFileObject::IsModified(const TUndoStack* stack) const {
    if (!stack || m_differsFromDisk) return true;
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
