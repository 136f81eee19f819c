// The document object of one tab: the document's store while another tab is
// shown (the spare store while it is shown), its view state, the name it is
// saved under and the undo position it was last saved at.
#pragma once

#include "core/base/SourceEncoding.h"
#include "core/base/TFileIdentity.h"
#include "core/base/TProgressStream.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

namespace quarno {

class TCustomLexipad;
struct TJournalEntry;
class TDocumentEditor;
class TTextStore;
class TUndoStack;

class TFileObject {
public:
    static constexpr const char* kUntitledName = "No_name.bas";
    static constexpr const char* kParserName = "MCUBASIC";

    TFileObject();
    ~TFileObject();
    // A document is the identity its tab is bound to.
    TFileObject(const TFileObject&) = delete;
    TFileObject& operator=(const TFileObject&) = delete;

    // Moves the shown document out of the control: the control's store,
    // selection, top line, title and layout go into this object and the
    // control gets this object's spare store.
    void StoreEditorState(TDocumentEditor& editor);
    // The reverse: the control shows this document again with its parser,
    // selection and top line, re-wrapped when the layout it was wrapped for
    // changed meanwhile.
    void RestoreEditorState(TDocumentEditor& editor);
    // Loads a file into the control (replacing whatever it shows) and moves
    // it into this object; load errors (ELexipad) pass to the caller, and
    // so does ELoadCancelled when the progress stopped the reading.
    void LoadIntoEditor(TDocumentEditor& editor, const std::string& fileName,
                        const TReadProgress& progress = {});
    // An empty text under this document's name, moved into this object.
    void ClearEditor(TDocumentEditor& editor);
    // Writes the shown text to a file keeping the undo history, and takes
    // that name and the undo position as the saved state.
    void WriteDocument(TDocumentEditor& editor, const std::string& fileName);
    // Loads the file under this document's name again into the control,
    // which shows this document, keeping the caret's line (or the last
    // line when the file got shorter) and the top line; the text is then
    // unmodified. Load errors pass to the caller with the text untouched.
    void ReloadInEditor(TDocumentEditor& editor);
    // A document brought back from a journal: its text under its file name,
    // modified, with the file's identity on disk now (so the difference is
    // not taken for a change made outside).
    void RestoreFromJournal(TDocumentEditor& editor, const TJournalEntry& entry);
    // Whether the shown text differs from what was last written (or the
    // file changed outside and the user kept this text).
    bool IsModifiedInEditor(const TDocumentEditor& editor) const;
    // The same test on this object's own store, for a document not shown.
    bool IsModifiedInStore() const;

    // The file as it was when this document last loaded or wrote it; a
    // different identity on disk means another program changed it.
    const TFileIdentity& DiskIdentity() const { return m_diskIdentity; }
    void SetDiskIdentity(const TFileIdentity& identity) { m_diskIdentity = identity; }
    // The text differs from the file on disk although the undo position
    // says otherwise (the file changed or vanished outside): the document
    // counts as modified until it is written or reloaded.
    void MarkDifferentFromDisk() { m_differsFromDisk = true; }

    // How the file's bytes map to the text; saving writes them back so.
    TSourceEncoding Encoding() const { return m_encoding; }
    // A file that cannot be shown exactly is shown read-only.
    bool IsReadOnly() const { return m_encoding == TSourceEncoding::Utf8ReadOnly; }

    // The number of this document's journal, unique in this running copy.
    int JournalId() const { return m_journalId; }
    void SetJournalId(int id) { m_journalId = id; }
    // The undo position the text is at (shown: in the control), which any
    // edit or undo changes; the journal is written again only when it moved.
    std::pair<int64_t, uint64_t> TextState(const TDocumentEditor& editor, bool shown) const;
    bool HasJournalOf(const std::pair<int64_t, uint64_t>& state) const {
        return m_journalled && m_journalState == state;
    }
    void SetJournalled(bool journalled, std::pair<int64_t, uint64_t> state = {}) {
        m_journalled = journalled;
        m_journalState = state;
    }
    bool IsJournalled() const { return m_journalled; }

    const std::string& FileName() const { return m_fileName; }
    void SetFileName(const std::string& name) { m_fileName = name; }
    bool IsUntitled() const { return m_fileName == kUntitledName; }
    const std::string& ParserName() const { return m_parserName; }
    bool SearchMarks() const { return m_searchMarks; }
    void SetSearchMarks(bool present) { m_searchMarks = present; }

    TTextStore& Store() const { return *m_store; }
    int SelAnchor() const { return m_selAnchor; }
    int SelCaret() const { return m_selCaret; }
    int FirstVisibleLine() const { return m_firstVisibleLine; }
    int64_t SavedDepth() const { return m_savedDepth; }
    uint64_t SavedTopValue() const { return m_savedTopValue; }
    const std::string& FontName() const { return m_fontName; }
    int FontSize() const { return m_fontSize; }
    int Charset() const { return m_charset; }
    int ClientWidth() const { return m_clientWidth; }
    int WrapColumn() const { return m_wrapColumn; }
    bool WordWrap() const { return m_wordWrap; }

private:
    bool IsModified(const TUndoStack* stack) const;
    void RememberSavedState(TDocumentEditor& editor);
    void WriteInEncoding(TCustomLexipad& editor, const std::string& fileName) const;
    void RecordLayout(TDocumentEditor& editor);
    bool LayoutChanged(TDocumentEditor& editor) const;

    std::unique_ptr<TTextStore> m_store; // never null
    int m_selAnchor = 0;
    int m_selCaret = 0;
    int m_firstVisibleLine = 0; // 1-based; 0 before the first store
    std::string m_parserName;
    std::string m_fileName = kUntitledName;
    // The undo record the text was last written at: its identity and the
    // record count then. Undoing back to it makes the text unmodified again.
    uint64_t m_savedTopValue = 0;
    int64_t m_savedDepth = 0;
    TFileIdentity m_diskIdentity;
    TSourceEncoding m_encoding = TSourceEncoding::Ansi;
    int m_journalId = 0;
    bool m_journalled = false;
    std::pair<int64_t, uint64_t> m_journalState;
    bool m_differsFromDisk = false;
    std::string m_fontName = "Courier New";
    int m_fontSize = 10;
    int m_charset = 1;
    int m_clientWidth = 0;
    int m_wrapColumn = 0;
    bool m_wordWrap = false;
    bool m_searchMarks = false;
};

} // namespace quarno
