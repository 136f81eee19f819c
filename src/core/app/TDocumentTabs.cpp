// The documents of the main window and their file commands.
#include "core/app/TDocumentTabs.h"

#include "core/app/TAppGlobals.h"
#include "core/app/TEdPersistent.h"
#include "core/app/TFileDialogs.h"
#include "core/app/TFileWatcher.h"
#include "core/app/TProgress.h"
#include "core/app/TRecoveryJournal.h"
#include "core/base/Exceptions.h"
#include "core/base/FileUtils.h"
#include "core/base/StringUtils.h"
#include "core/base/TProfileFile.h"
#include "core/editor/LexipadMessages.h"
#include "core/editor/TCustomLexipad.h"

#include <algorithm>
#include <cassert>
#include <filesystem>

namespace quarno {

namespace {

constexpr const char* kWorkingSection = "WORKING_DIRECTORY";
constexpr const char* kWorkingKey = "PATHNAME";
constexpr const char* kCannotFindText = "Cannot Find or Open File\r\"%s\"";

// Names are compared exactly, so a relative start-up name is made absolute
// before it meets the names the dialogs return.
std::string AbsoluteName(const std::string& fileName) {
    if (fileName.empty()) return fileName;
    std::filesystem::path path(fileName);
    if (path.is_absolute()) return fileName;
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? fileName : absolute.lexically_normal().string();
}

// The folder of a file without its trailing "/" (the root stays "/").
std::string FolderOf(const std::string& fileName) {
    std::string folder = ExtractFilePath(fileName);
    if (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}

} // namespace

namespace {

// The progress of opening a large file, shown from the first step to the end.
class TOpeningProgress {
public:
    TOpeningProgress(TProgress* progress, const std::string& fileName)
        : m_progress(TFileIdentity::Of(fileName).size > TDocumentTabs::kProgressBytes ? progress
                                                                                      : nullptr) {
        if (m_progress)
            m_progress->Begin(Format(TDocumentTabs::kOpeningText, fileName),
                              TDocumentTabs::kProgressSteps);
    }
    ~TOpeningProgress() {
        if (m_progress) m_progress->End();
    }
    TOpeningProgress(const TOpeningProgress&) = delete;
    TOpeningProgress& operator=(const TOpeningProgress&) = delete;

    TReadProgress Report() const {
        if (!m_progress) return {};
        return [progress = m_progress](int64_t done, int64_t total) {
            int64_t step = total > 0 ? done * TDocumentTabs::kProgressSteps / total : 0;
            return progress->Step(static_cast<int>(step));
        };
    }

private:
    TProgress* m_progress;
};

} // namespace

// Holds the control's change event back while stores are exchanged.
class TDocumentTabs::TBusy {
public:
    explicit TBusy(TDocumentTabs& owner) : m_owner(owner) { ++m_owner.m_busy; }
    ~TBusy() { --m_owner.m_busy; }
    TBusy(const TBusy&) = delete;
    TBusy& operator=(const TBusy&) = delete;

private:
    TDocumentTabs& m_owner;
};

TDocumentTabs::TDocumentTabs(TCustomLexipad& editor, const TSeams& seams, TParserLookup findParser)
    : m_editor(editor, std::move(findParser)), m_tabs(seams.tabs), m_view(seams.view),
      m_prompts(seams.prompts), m_fileDialogs(seams.fileDialogs), m_globals(seams.globals) {}

// The control gets its own store back (in m_editor's destructor) before the
// documents' stores are freed.
TDocumentTabs::~TDocumentTabs() {
    m_current = nullptr;
    ++m_busy;
}

TProfileFile TDocumentTabs::Config() const {
    return m_globals.Config();
}

// The boundary of every command: an error ends the command and is shown.
bool TDocumentTabs::Guarded(const std::function<bool()>& command) {
    try {
        return command();
    } catch (const ELoadCancelled&) {
        return false; // the user's own choice, nothing to report
    } catch (const std::exception& error) {
        m_prompts.ShowException(error.what());
        return false;
    }
}

int TDocumentTabs::IndexOf(const TFileObject* document) const {
    for (size_t index = 0; index < m_documents.size(); ++index)
        if (m_documents[index].get() == document) return static_cast<int>(index);
    return -1;
}

int TDocumentTabs::FindTabByName(const std::string& fileName) const {
    for (size_t index = 0; index < m_documents.size(); ++index)
        if (m_documents[index]->FileName() == fileName) return static_cast<int>(index);
    return -1;
}

void TDocumentTabs::AttachMcuBasicParser() {
    m_editor.AttachParser(m_editor.FindParser(TFileObject::kParserName));
}

void TDocumentTabs::AddDocument(std::unique_ptr<TFileObject> document, const std::string& caption) {
    document->SetJournalId(++m_lastJournalId);
    m_documents.push_back(std::move(document));
    m_tabs.Add(caption);
    ShowDocumentHint(*m_documents.back());
}

void TDocumentTabs::ShowDocumentHint(const TFileObject& document) {
    int index = IndexOf(&document);
    if (index < 0) return;
    m_tabs.SetHint(index, document.FileName() + "\r\n" + EncodingDescription(document.Encoding()));
}

// The shown document goes back into its object with the search-marks flag.
void TDocumentTabs::StoreCurrent() {
    if (!m_current) return;
    m_current->StoreEditorState(m_editor);
    m_current->SetSearchMarks(m_searchMarks);
}

void TDocumentTabs::ShowDocument(TFileObject* document) {
    m_current = document;
    document->RestoreEditorState(m_editor);
    m_searchMarks = document->SearchMarks();
}

// --- New and first document ------------------------------------------------------

void TDocumentTabs::CreateFirstDocument() {
    Guarded([this] {
        TBusy busy(*this);
        auto document = std::make_unique<TFileObject>();
        TFileObject* created = document.get();
        m_editor.Editor().SetPrintTitle(created->FileName());
        AddDocument(std::move(document), TFileObject::kUntitledName);
        m_tabs.Select(0);
        created->StoreEditorState(m_editor);
        ShowDocument(created);
        return true;
    });
}

void TDocumentTabs::NewButtonClick() {
    Guarded([this] {
        {
            TBusy busy(*this);
            StoreCurrent();
            auto document = std::make_unique<TFileObject>();
            TFileObject* created = document.get();
            created->ClearEditor(m_editor);
            AddDocument(std::move(document), TFileObject::kUntitledName);
            m_tabs.Select(m_tabs.Count() - 1);
            ShowDocument(created);
            created->SetSearchMarks(false);
            m_searchMarks = false;
            AttachMcuBasicParser();
        }
        StatusRefresh();
        m_view.FocusEditor();
        m_view.RefreshOutputViews();
        return true;
    });
}

// --- Open ---------------------------------------------------------------------

void TDocumentTabs::OpenButtonClick() {
    Guarded([this] {
        m_workingFolder = Config().ReadString(kWorkingSection, kWorkingKey, m_workingFolder);
        TFileDialogOptions options;
        options.filter = kOpenFilter;
        options.initialFolder = m_workingFolder;
        std::optional<std::string> chosen = m_fileDialogs.OpenFile(options);
        if (!chosen) return false;
        bool opened = DoOpenDocument(*chosen);
        AttachMcuBasicParser();
        return opened;
    });
}

bool TDocumentTabs::OpenDocument(const std::string& fileName) {
    return Guarded([&] { return DoOpenDocument(fileName); });
}

bool TDocumentTabs::SelectOpenDocument(const std::string& fileName) {
    int index = FindTabByName(AbsoluteName(fileName));
    if (index < 0) return false;
    m_tabs.Select(index);
    OpenFilesTabChange();
    return true;
}

bool TDocumentTabs::OpenNamedFile(const std::string& requested, bool asDropped) {
    std::string fileName = AbsoluteName(requested);
    if (!FileExists(fileName)) {
        m_prompts.Show(TPromptKind::Error, Format(kCannotFindText, fileName));
        return false;
    }
    m_droppedFile = asDropped;
    bool opened = OpenDocument(fileName);
    // An open that stopped early must not keep the flag for the next one.
    m_droppedFile = false;
    return opened;
}

bool TDocumentTabs::DoOpenDocument(const std::string& requested) {
    std::string fileName = AbsoluteName(requested);
    if (m_current && !FileExists(fileName)) {
        m_prompts.Show(TPromptKind::Error, Format(kCannotFindText, fileName));
        return false;
    }
    int open = FindTabByName(fileName);
    if (open >= 0 && !ReloadOpenDocument(open, fileName)) return false;
    // A pristine untitled first tab gives way to the file once it has loaded,
    // so a load that fails or is cancelled still leaves a document.
    StatusRefresh();
    TFileObject* pristine = nullptr;
    if (m_current && Panel(1).empty() && m_current->IsUntitled() && m_tabs.Selected() <= 0)
        pristine = m_current;
    LoadNewDocument(fileName);
    if (pristine) DropDocument(pristine);
    StatusRefresh();
    if (m_current->IsReadOnly()) ShowTransientMessage(kReadOnlyMessage);
    RememberOpenedFolder(fileName);
    m_view.RefreshOutputViews();
    return true;
}

// The file is open in a tab: reloading it closes that tab first (asking to
// save it); false when the user declined either question.
bool TDocumentTabs::ReloadOpenDocument(int index, const std::string& fileName) {
    m_view.BringToFront();
    m_view.FocusEditor();
    TPromptButton answer =
        m_prompts.Show(TPromptKind::Information,
                       Format("File \"%s\" is already open\rDo you wish to reload ?", fileName),
                       TPromptButtons::YesNoCancel);
    if (answer != TPromptButton::Yes) return false;
    m_tabs.Select(index);
    OpenFilesTabChange();
    return DoClose();
}

// A new document with the file, in a new tab; a failed load leaves the
// previous document on screen and passes the error on.
void TDocumentTabs::LoadNewDocument(const std::string& fileName) {
    TBusy busy(*this);
    StoreCurrent();
    auto document = std::make_unique<TFileObject>();
    try {
        TOpeningProgress progress(m_progress, fileName);
        document->LoadIntoEditor(m_editor, fileName, progress.Report());
    } catch (...) {
        if (m_current) ShowDocument(m_current);
        throw;
    }
    TFileObject* loaded = document.get();
    loaded->RestoreEditorState(m_editor);
    m_searchMarks = loaded->SearchMarks();
    AddDocument(std::move(document), ExtractFileName(fileName));
    m_tabs.Select(IndexOf(loaded));
    m_view.FocusEditor();
    m_current = loaded;
    loaded->SetSearchMarks(false);
}

// Dropped files leave the folder of the Open dialog alone.
void TDocumentTabs::RememberOpenedFolder(const std::string& fileName) {
    m_globals.SetLastOpenedFile(fileName);
    m_workingFolder = FolderOf(fileName);
    bool dropped = m_droppedFile;
    m_droppedFile = false;
    if (!dropped) {
        TProfileFile config = Config();
        config.WriteString(kWorkingSection, kWorkingKey, m_workingFolder);
    }
}

void TDocumentTabs::ReopenItemClick(const std::string& caption) {
    if (caption != kNoEntries) OpenDocument(caption);
}

void TDocumentTabs::ReOpenFileClick() {
    if (m_current) OpenDocument(m_current->FileName());
}

void TDocumentTabs::Lexipad1FilesDropped(const std::vector<std::string>& files) {
    m_editor.Editor().SetSelStart(0);
    if (files.empty() || !FileExists(files.front())) return;
    m_droppedFile = true;
    OpenDocument(files.front());
    // An open that stopped early must not keep the flag for the next one.
    m_droppedFile = false;
    m_view.BringToFront();
}

void TDocumentTabs::Lexipad1DataDrop(TSourceTypes& sourceTypes) {
    if (sourceTypes & stFiles) sourceTypes &= static_cast<TSourceTypes>(~stInsertAsText);
}

// --- Save ---------------------------------------------------------------------

bool TDocumentTabs::SaveButtonClick() {
    return Guarded([this] { return DoSave(); });
}

bool TDocumentTabs::DoSave() {
    if (!m_current) return false;
    // A file shown read-only is not written over; another name is offered.
    if (m_current->IsReadOnly()) return DoSaveAs();
    if (m_current->IsUntitled() && !DoSaveAs()) return false;
    WriteBackup(m_current->FileName());
    m_current->WriteDocument(m_editor, m_current->FileName());
    ForgetJournal(*m_current);
    StatusRefresh();
    return true;
}

// The previous contents of the file go to the name with ".BAK"; a file that
// is gone has nothing to back up, and the document is still written.
void TDocumentTabs::WriteBackup(const std::string& fileName) {
    if (!FileExists(fileName)) return;
    std::string previous = ReadWholeFile(fileName);
    WriteFileSafely(ChangeFileExt(fileName, ".BAK"), previous);
}

bool TDocumentTabs::SaveAs1Click() {
    return Guarded([this] { return DoSaveAs(); });
}

bool TDocumentTabs::DoSaveAs() {
    if (!m_current) return false;
    {
        TProfileFile config = Config();
        config.WriteString(kWorkingSection, kWorkingKey, m_workingFolder);
    }
    int index = IndexOf(m_current);
    std::string oldName = m_current->FileName();
    TFileDialogOptions options;
    options.fileName = oldName;
    options.initialFolder = m_current->IsUntitled() ? m_workingFolder : FolderOf(oldName);
    options.filter = kSaveFilter;
    options.defaultExt = "bas";
    std::optional<std::string> chosen = m_fileDialogs.SaveFile(options);
    if (!chosen) return false;
    if (!CloseOtherTabShowing(*chosen)) return false;
    index = IndexOf(m_current);
    m_current->WriteDocument(m_editor, *chosen);
    ForgetJournal(*m_current);
    if (*chosen != oldName) {
        // The renamed tab stays selected even when another tab shows that name.
        m_tabs.SetCaption(index, ExtractFileName(*chosen));
        m_tabs.Select(index);
    }
    ShowDocumentHint(*m_current);
    StatusRefresh();
    return true;
}

// Saving over a file another tab shows would leave that tab with the old
// text, which a later save there would write back over the new one: the
// other tab is closed first (asking to save it), or the Save As stops.
bool TDocumentTabs::CloseOtherTabShowing(const std::string& fileName) {
    TFileObject* saving = m_current;
    auto other = std::find_if(m_documents.begin(), m_documents.end(), [&](const auto& document) {
        return document.get() != saving && document->FileName() == fileName;
    });
    if (other == m_documents.end()) return true;
    TPromptButton answer =
        m_prompts.Show(TPromptKind::Information, Format(kOpenInAnotherTabQuestion, fileName),
                       TPromptButtons::YesNoCancel);
    if (answer != TPromptButton::Yes) return false;
    m_tabs.Select(IndexOf(other->get()));
    OpenFilesTabChange();
    bool closed = DoClose();
    m_tabs.Select(IndexOf(saving));
    OpenFilesTabChange();
    return closed;
}

// --- Close ----------------------------------------------------------------------

bool TDocumentTabs::Close1Click() {
    return Guarded([this] { return DoClose(); });
}

TPromptButton TDocumentTabs::AskSaveChanges(const std::string& fileName) {
    return m_prompts.Show(TPromptKind::Confirmation,
                          Format("File \"%s\" has been modified\r\nSave changes ?", fileName),
                          TPromptButtons::YesNoCancel);
}

bool TDocumentTabs::DoClose() {
    if (!m_current) return true;
    // The question follows panel 1, refreshed so it cannot be stale.
    StatusRefresh();
    TFileObject* closing = m_current;
    if (Panel(1) == kModifiedText) {
        TPromptButton answer = AskSaveChanges(closing->FileName());
        if (answer == TPromptButton::Cancel) return false;
        if (answer == TPromptButton::Yes && !DoSave()) return false;
    }
    AddToRecentFiles(closing->FileName());
    {
        TBusy busy(*this);
        closing->StoreEditorState(m_editor);
        int index = IndexOf(closing);
        m_current = nullptr;
        FreeDocument(index);
        if (!m_documents.empty()) {
            index = std::min(index, DocumentCount() - 1);
            ShowDocument(m_documents[static_cast<size_t>(index)].get());
            m_view.FocusEditor();
            m_tabs.Select(index);
        }
    }
    StatusRefresh();
    m_view.RefreshOutputViews();
    AttachMcuBasicParser();
    RebuildReopenMenu();
    return true;
}

// Removes a document that is not shown, keeping the shown one selected.
void TDocumentTabs::DropDocument(TFileObject* document) {
    TBusy busy(*this);
    FreeDocument(IndexOf(document));
    m_tabs.Select(IndexOf(m_current));
}

void TDocumentTabs::FreeDocument(int index) {
    if (index < 0 || index >= DocumentCount()) return;
    ForgetJournal(*m_documents[static_cast<size_t>(index)]);
    m_documents.erase(m_documents.begin() + index);
    m_tabs.Delete(index);
}

// A closed file goes to the top of the list unless it is listed already; a
// history file that cannot be written is reported and the close goes on.
void TDocumentTabs::AddToRecentFiles(const std::string& fileName) {
    if (fileName == TFileObject::kUntitledName) return;
    if (std::find(m_recentFiles.begin(), m_recentFiles.end(), fileName) == m_recentFiles.end())
        m_recentFiles.insert(m_recentFiles.begin(), fileName);
    if (m_recentFiles.size() > static_cast<size_t>(TEdPersistent::kSectionLimit))
        m_recentFiles.resize(TEdPersistent::kSectionLimit);
    if (!m_persistent) return;
    try {
        m_persistent->WriteRecentFiles(m_recentFiles);
    } catch (const Exception& error) {
        m_prompts.ShowException(error.what());
    }
}

void TDocumentTabs::CloseAll1Click() {
    while (!m_documents.empty())
        if (!Close1Click()) break;
}

void TDocumentTabs::RebuildReopenMenu() {
    if (m_persistent) m_recentFiles = m_persistent->ReadRecentFiles();
    m_view.ShowReopenMenu(m_recentFiles);
}

bool TDocumentTabs::FormClose() {
    // A progress lets events in while a file loads; the window waits for it.
    if (m_busy > 0) return false;
    return Guarded([this] {
        if (!m_current) return true;
        {
            TBusy busy(*this);
            StoreCurrent();
            m_current = nullptr;
        }
        while (!m_documents.empty()) {
            TFileObject* document = m_documents.front().get();
            if (document->IsModifiedInStore()) {
                {
                    TBusy busy(*this);
                    ShowDocument(document);
                    m_tabs.Select(0);
                }
                StatusRefresh();
                TPromptButton answer = AskSaveChanges(document->FileName());
                if (answer == TPromptButton::Cancel) return false;
                if (answer == TPromptButton::Yes && !DoSave()) return false;
                TBusy busy(*this);
                document->StoreEditorState(m_editor);
                m_current = nullptr;
            }
            AddToRecentFiles(document->FileName());
            FreeDocument(0);
        }
        m_view.SaveParserSettings();
        m_recentFiles.clear();
        m_view.ShowReopenMenu(m_recentFiles);
        return true;
    });
}

// --- Switching tabs -----------------------------------------------------------------

void TDocumentTabs::OpenFilesTabChange() {
    int index = m_tabs.Selected();
    if (index < 0 || index >= DocumentCount()) return;
    TFileObject* chosen = m_documents[static_cast<size_t>(index)].get();
    if (chosen == m_current) return;
    Guarded([&] {
        {
            TBusy busy(*this);
            StoreCurrent();
            ShowDocument(chosen);
            AttachMcuBasicParser();
        }
        m_view.FocusEditor();
        m_view.SetCaption(chosen->FileName());
        m_view.RefreshOutputViews();
        StatusRefresh();
        return true;
    });
}

// --- Files changed outside ------------------------------------------------------------

void TDocumentTabs::SetFileWatcher(TFileWatcher* watcher, std::function<void()> onChange) {
    if (m_watcher) m_watcher->SetOnChange({});
    m_watcher = watcher;
    m_watched.clear();
    if (!m_watcher) return;
    if (!onChange) onChange = [this] { CheckFilesOnDisk(); };
    m_watcher->SetOnChange(std::move(onChange));
    UpdateWatchedFiles();
}

void TDocumentTabs::UpdateWatchedFiles() {
    if (!m_watcher) return;
    std::vector<std::string> files;
    for (const auto& document : m_documents)
        if (!document->IsUntitled()) files.push_back(document->FileName());
    std::sort(files.begin(), files.end());
    files.erase(std::unique(files.begin(), files.end()), files.end());
    if (files == m_watched) return;
    m_watched = files;
    m_watcher->Watch(files);
}

void TDocumentTabs::CheckFilesOnDisk() {
    if (m_busy > 0 || m_checkingDisk) return;
    m_checkingDisk = true;
    Guarded([this] {
        // A question may let other work run; documents closed meanwhile are skipped.
        std::vector<TFileObject*> documents;
        for (const auto& document : m_documents)
            documents.push_back(document.get());
        for (TFileObject* document : documents)
            if (IndexOf(document) >= 0) CheckFileOnDisk(*document);
        return true;
    });
    m_checkingDisk = false;
}

void TDocumentTabs::CheckFileOnDisk(TFileObject& document) {
    if (document.IsUntitled()) return;
    TFileIdentity before = document.DiskIdentity();
    TFileIdentity now = TFileIdentity::Of(document.FileName());
    if (now == before) return;
    // Remembered first, so each change is asked about once.
    document.SetDiskIdentity(now);
    if (!now.exists) {
        if (!before.exists) return;
        SelectDocument(document);
        document.MarkDifferentFromDisk();
        StatusRefresh();
        m_prompts.Show(TPromptKind::Warning, Format(kDeletedOutsideText, document.FileName()));
        return;
    }
    SelectDocument(document);
    bool modified = document.IsModifiedInEditor(m_editor);
    TPromptButton answer =
        m_prompts.Show(TPromptKind::Confirmation,
                       Format(modified ? kChangedOutsideModifiedQuestion : kChangedOutsideQuestion,
                              document.FileName()),
                       modified ? TPromptButtons::YesNoDefaultNo : TPromptButtons::YesNo);
    if (IndexOf(&document) < 0) return;
    SelectDocument(document);
    if (answer == TPromptButton::Yes)
        ReloadCurrent();
    else
        document.MarkDifferentFromDisk();
    StatusRefresh();
}

void TDocumentTabs::AcceptOwnWrites(const std::vector<std::string>& files) {
    Guarded([&] {
        TFileObject* shown = m_current;
        for (const std::string& file : files) {
            int index = FindTabByName(file);
            if (index < 0) continue;
            TFileObject& document = Document(index);
            TFileIdentity now = TFileIdentity::Of(file);
            if (now == document.DiskIdentity() || !now.exists) continue;
            SelectDocument(document);
            if (document.IsModifiedInEditor(m_editor)) {
                document.SetDiskIdentity(now);
                document.MarkDifferentFromDisk();
            } else {
                ReloadCurrent();
            }
        }
        if (shown && IndexOf(shown) >= 0) SelectDocument(*shown);
        StatusRefresh();
        return true;
    });
}

// The document's tab becomes the shown one, so the question names what the user sees.
void TDocumentTabs::SelectDocument(TFileObject& document) {
    if (m_current == &document) return;
    m_tabs.Select(IndexOf(&document));
    OpenFilesTabChange();
}

void TDocumentTabs::ReloadCurrent() {
    {
        TBusy busy(*this);
        m_current->ReloadInEditor(m_editor);
    }
    ForgetJournal(*m_current);
    ShowDocumentHint(*m_current);
    m_view.RefreshOutputViews();
}

// --- Crash recovery -----------------------------------------------------------------

void TDocumentTabs::JournalModifiedDocuments() {
    if (!m_journal || m_busy > 0) return;
    for (const auto& document : m_documents)
        JournalDocument(*document);
}

void TDocumentTabs::JournalDocument(TFileObject& document) {
    bool shown = &document == m_current;
    bool modified = shown ? document.IsModifiedInEditor(m_editor) : document.IsModifiedInStore();
    if (!modified) {
        ForgetJournal(document);
        return;
    }
    std::pair<int64_t, uint64_t> state = document.TextState(m_editor, shown);
    if (document.HasJournalOf(state)) return;
    try {
        std::string text = shown ? m_editor.Editor().Text() : document.Store().Text();
        m_journal->Write(document.JournalId(), document.FileName(), document.Encoding(), text);
        document.SetJournalled(true, state);
    } catch (const std::exception&) {
        // Tried again at the next turn; the document itself is untouched.
    }
}

void TDocumentTabs::ForgetJournal(TFileObject& document) {
    if (!m_journal || !document.IsJournalled()) return;
    m_journal->Remove(document.JournalId());
    document.SetJournalled(false);
}

void TDocumentTabs::OfferRecovery() {
    if (!m_journal) return;
    Guarded([this] {
        for (const TJournalEntry& entry : m_journal->Orphans()) {
            TPromptButton answer =
                m_prompts.Show(TPromptKind::Confirmation, Format(kRecoveryQuestion, entry.fileName),
                               TPromptButtons::YesNo);
            if (answer == TPromptButton::Yes) RestoreJournal(entry);
            m_journal->Discard(entry);
        }
        return true;
    });
}

// The restored document is journalled at once under this copy, before the
// journal it came from goes.
void TDocumentTabs::RestoreJournal(const TJournalEntry& entry) {
    {
        TBusy busy(*this);
        StoreCurrent();
        auto document = std::make_unique<TFileObject>();
        TFileObject* restored = document.get();
        restored->RestoreFromJournal(m_editor, entry);
        AddDocument(std::move(document), ExtractFileName(entry.fileName));
        m_tabs.Select(IndexOf(restored));
        ShowDocument(restored);
        m_searchMarks = false;
    }
    JournalDocument(*m_current);
    StatusRefresh();
    m_view.FocusEditor();
}

// --- Status --------------------------------------------------------------------------

const std::string& TDocumentTabs::Panel(int index) const {
    static const std::string none;
    if (index < 0 || index >= IDocumentsView::kPanelCount) return none;
    return m_panels[static_cast<size_t>(index)];
}

void TDocumentTabs::SetPanel(int index, const std::string& text) {
    if (index < 0 || index >= IDocumentsView::kPanelCount) return;
    m_panels[static_cast<size_t>(index)] = text;
    m_view.SetPanelText(index, text);
}

TDocumentStatus TDocumentTabs::ReadToolSettings() {
    TProfileFile config = Config();
    TDocumentStatus status;
    status.extProgrammerName = config.ReadString("EXT_PROG", "NAME", "Undefined");
    status.extBootloaderName = config.ReadString("EXT_BOOTLOADER", "NAME", "Undefined");
    status.programmerType = config.ReadString("PROGRAMMER", "TYPE", "ORLA");
    status.bootloaderType = config.ReadString("BOOTLOADER", "TYPE", "STANDARD");
    m_globals.SetExtProgrammerName(status.extProgrammerName);
    m_globals.SetExtBootloaderName(status.extBootloaderName);
    return status;
}

void TDocumentTabs::Lexipad1Change() {
    if (m_busy == 0) StatusRefresh();
}

void TDocumentTabs::StatusRefresh() {
    // Every command that opens, names or closes a document ends here.
    UpdateWatchedFiles();
    TDocumentStatus status = ReadToolSettings();
    status.documents = m_tabs.Count() > 0 && m_current;
    if (!status.documents) {
        status.caption = kNoDocumentCaption;
        m_view.ShowStatus(status);
        return;
    }
    TCustomLexipad& editor = m_editor.Editor();
    status.caption = m_current->FileName();
    status.canUndo = editor.Modified();
    status.canRedo = editor.Perform(LPM_CANREDO) != 0;
    status.canPaste = editor.Perform(LPM_CANPASTE) != 0;
    status.hasSelection = editor.SelLength() > 0;
    status.canSearchAgain = m_persistent && !m_persistent->LastSearchText().empty();
    SetPanel(0, Format("%6d:%4d", editor.CaretLine(), editor.CaretColumn()));
    SetPanel(1, m_current->IsModifiedInEditor(m_editor) ? kModifiedText : "");
    std::string mode = editor.ReadOnly()     ? " Read only"
                       : editor.InsertMode() ? " Insert"
                                             : " Overwrite";
    // A transient message keeps the panel; the mode comes back after it.
    if (m_messageShown)
        m_panelBeforeMessage = mode;
    else
        SetPanel(5, mode);
    m_view.ShowStatus(status);
}

void TDocumentTabs::ShowTransientMessage(const std::string& message) {
    if (m_messageShown)
        m_view.StopMessageTimer();
    else
        m_panelBeforeMessage = Panel(5);
    SetPanel(5, "  " + message);
    m_messageShown = true;
    m_view.StartMessageTimer(kMessageMilliseconds);
    m_view.RepaintNow();
}

void TDocumentTabs::InfoTimerTimer() {
    if (!m_messageShown) return;
    m_messageShown = false;
    SetPanel(5, m_panelBeforeMessage);
    m_view.StopMessageTimer();
    StatusRefresh();
}

} // namespace quarno
