// The documents of the main window and their file commands, without a
// window: New, Open, Re-open, Save, Save As, Close, Close All, closing the
// window, switching tabs, dropped files and the status refresh. The window
// supplies the tab row, the view, the seams and the stores.
#pragma once

#include "core/app/IDocumentsView.h"
#include "core/app/ITabRow.h"
#include "core/app/TDocumentEditor.h"
#include "core/app/TFileObject.h"
#include "core/app/TPrompts.h"
#include "core/editor/TDropObj.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quarno {

class TAppGlobals;
class TCustomLexipad;
class TEdPersistent;
class TFileDialogs;
class TFileWatcher;
class TProgress;
class TRecoveryJournal;
struct TJournalEntry;
class TProfileFile;

class TDocumentTabs {
public:
    static constexpr const char* kNoDocumentCaption = "QUARNO+ Compiler";
    static constexpr const char* kOpenFilter =
        "MCUBASIC files|*.bas;|INCLUDE files|*.inc;|ASM files|*.asm;|KBX files|*.kbx;|All "
        "files|*.*";
    static constexpr const char* kSaveFilter =
        "MCUBASIC files|*.bas;|INCLUDE files|*.inc;|All files|*.*";
    static constexpr const char* kModifiedText = "Modified";
    static constexpr const char* kNoEntries = "<No entries>";
    static constexpr int kMessageMilliseconds = 2000;

    struct TSeams {
        ITabRow& tabs;
        IDocumentsView& view;
        TPrompts& prompts;
        TFileDialogs& fileDialogs;
        TAppGlobals& globals; // KBX.INI, the last opened file, the tool names
    };

    // Borrows the control: it gets a store of its own for the documents and
    // its own store back when this object goes.
    TDocumentTabs(TCustomLexipad& editor, const TSeams& seams, TParserLookup findParser = {});
    ~TDocumentTabs();
    TDocumentTabs(const TDocumentTabs&) = delete;
    TDocumentTabs& operator=(const TDocumentTabs&) = delete;

    void SetParserLookup(TParserLookup findParser) {
        m_editor.SetParserLookup(std::move(findParser));
    }
    // The history file's store; null: recent files are kept in memory only.
    void SetPersistent(TEdPersistent* persistent) { m_persistent = persistent; }
    // Told which files the documents show; its reports run onChange, by
    // default CheckFilesOnDisk (a window may hold the check back while it
    // is busy). Null: files are checked only when asked.
    void SetFileWatcher(TFileWatcher* watcher, std::function<void()> onChange = {});

    // Shows the opening of a large file; null: nothing is shown.
    void SetProgress(TProgress* progress) { m_progress = progress; }
    // Files above this size open with a progress the user may cancel.
    static constexpr uint64_t kProgressBytes = 20u * 1024 * 1024;
    static constexpr int kProgressSteps = 1000;
    static constexpr const char* kOpeningText = "Opening \"%s\"";

    // Where modified documents are journalled; null: they are not.
    void SetRecoveryJournal(TRecoveryJournal* journal) { m_journal = journal; }

    // --- the commands; each reports its own errors through the prompts ------
    // The window's first untitled document, made before the window shows.
    void CreateFirstDocument();
    void NewButtonClick();
    void OpenButtonClick();
    // Opens a file in a new tab; false when nothing was opened.
    bool OpenDocument(const std::string& fileName);
    // Brings the tab of a file that is open forward, as if the user had
    // chosen it; false when the file is not open.
    bool SelectOpenDocument(const std::string& fileName);
    // A file named on a command line, this copy's or one a later copy handed
    // over: a missing file is reported ("Cannot Find or Open File") even when
    // no document is open. asDropped opens it as a dropped file is opened
    // (the Open dialog's folder stays as it was).
    bool OpenNamedFile(const std::string& fileName, bool asDropped);
    void ReopenItemClick(const std::string& caption);
    void ReOpenFileClick();
    // False when the document was not saved (cancelled or failed).
    bool SaveButtonClick();
    bool SaveAs1Click();
    // False when the user cancelled or the save failed; nothing was closed.
    bool Close1Click();
    void CloseAll1Click();
    // The user selected another tab.
    void OpenFilesTabChange();
    void Lexipad1FilesDropped(const std::vector<std::string>& files);
    // Data dropped on the control: dropped files are opened, never inserted
    // as a list of names.
    static void Lexipad1DataDrop(TSourceTypes& sourceTypes);
    // False when the user cancelled, or a file is still loading: the window
    // stays open.
    bool FormClose();
    // The recent-files list is read again from the history file.
    void RebuildReopenMenu();
    // Asks about every document whose file another program changed or
    // deleted since it was loaded or written, once per change: a changed
    // file may be reloaded (Yes) or overwritten by the next save (No); a
    // deleted one is reported and the document stays open, modified. Does
    // nothing while a command is exchanging stores or a check is asking.
    void CheckFilesOnDisk();

    // Files this program had written (the compiler's outputs): documents
    // showing them take the new contents without a question (reloaded when
    // unmodified; a modified one keeps its text, modified, as after No).
    void AcceptOwnWrites(const std::vector<std::string>& files);
    // Writes the journal of every modified document whose text changed since
    // its last journal and removes those of unmodified ones. A journal that
    // cannot be written is left for the next time, without a box every
    // half minute.
    void JournalModifiedDocuments();
    // Offers each journal a copy that ended without closing its documents
    // left behind: Yes restores it into a tab (modified, under its file
    // name), No discards it.
    void OfferRecovery();
    static constexpr const char* kRecoveryQuestion =
        "The changes to \"%s\" were not saved when QUARNO+ last ended.\r\nRestore them?"
        "\r\n(No discards them.)";
    static constexpr int kJournalMilliseconds = 30000;

    static constexpr const char* kChangedOutsideQuestion =
        "File \"%s\" was changed by another program.\r\nReload it?";
    static constexpr const char* kChangedOutsideModifiedQuestion =
        "File \"%s\" was changed by another program.\r\nIt has changes here that are not "
        "saved; reloading loses them.\r\nReload it?";
    // Shown for a while when a file opens read-only.
    static constexpr const char* kReadOnlyMessage =
        "Opened read only: the file holds characters Windows-1252 cannot show";
    static constexpr const char* kDeletedOutsideText =
        "File \"%s\" was deleted by another program.\r\nIts text stays open; saving it "
        "writes the file again.";

    // --- status --------------------------------------------------------------
    // The control's change event: the status refresh, except while a command
    // is exchanging stores (the command refreshes when it is done).
    void Lexipad1Change();
    void StatusRefresh();
    void ShowTransientMessage(const std::string& message);
    void InfoTimerTimer();
    const std::string& Panel(int index) const;
    // Panels 2 to 4 belong to the compile command.
    void SetPanel(int index, const std::string& text);

    // --- state ----------------------------------------------------------------
    TFileObject* Current() const { return m_current; }
    int DocumentCount() const { return static_cast<int>(m_documents.size()); }
    TFileObject& Document(int index) const { return *m_documents[static_cast<size_t>(index)]; }
    // The first tab showing exactly this name (case matters), or -1.
    int FindTabByName(const std::string& fileName) const;
    // Asked (information box, Yes/No/Cancel) when Save As names a file that
    // another tab shows; %s is the full name.
    static constexpr const char* kOpenInAnotherTabQuestion =
        "File \"%s\" is open in another tab\rClose that tab and save over the file ?";
    const std::vector<std::string>& RecentFiles() const { return m_recentFiles; }
    const std::string& WorkingFolder() const { return m_workingFolder; }
    bool SearchMarks() const { return m_searchMarks; }
    void SetSearchMarks(bool present) { m_searchMarks = present; }
    TDocumentEditor& DocumentEditor() { return m_editor; }

private:
    class TBusy;

    TProfileFile Config() const;
    bool Guarded(const std::function<bool()>& command);
    bool DoOpenDocument(const std::string& fileName);
    bool ReloadOpenDocument(int index, const std::string& fileName);
    void LoadNewDocument(const std::string& fileName);
    void RememberOpenedFolder(const std::string& fileName);
    void AddDocument(std::unique_ptr<TFileObject> document, const std::string& caption);
    // The tab's hint: the full name and how the file is encoded.
    void ShowDocumentHint(const TFileObject& document);
    void StoreCurrent();
    void ShowDocument(TFileObject* document);
    bool DoSave();
    bool DoSaveAs();
    void WriteBackup(const std::string& fileName);
    bool DoClose();
    TPromptButton AskSaveChanges(const std::string& fileName);
    void AddToRecentFiles(const std::string& fileName);
    void DropDocument(TFileObject* document);
    void FreeDocument(int index);
    void AttachMcuBasicParser();
    int IndexOf(const TFileObject* document) const;
    bool CloseOtherTabShowing(const std::string& fileName);
    TDocumentStatus ReadToolSettings();
    void CheckFileOnDisk(TFileObject& document);
    void SelectDocument(TFileObject& document);
    void ReloadCurrent();
    void UpdateWatchedFiles();
    void JournalDocument(TFileObject& document);
    void ForgetJournal(TFileObject& document);
    void RestoreJournal(const TJournalEntry& entry);

    TDocumentEditor m_editor;
    ITabRow& m_tabs;
    IDocumentsView& m_view;
    TPrompts& m_prompts;
    TFileDialogs& m_fileDialogs;
    TAppGlobals& m_globals;
    TEdPersistent* m_persistent = nullptr;
    // One per tab, in tab order.
    std::vector<std::unique_ptr<TFileObject>> m_documents;
    TFileObject* m_current = nullptr;
    std::vector<std::string> m_recentFiles;
    std::string m_workingFolder;
    bool m_droppedFile = false;
    bool m_searchMarks = false;
    std::array<std::string, IDocumentsView::kPanelCount> m_panels;
    bool m_messageShown = false;
    std::string m_panelBeforeMessage;
    int m_busy = 0;
    TFileWatcher* m_watcher = nullptr;
    std::vector<std::string> m_watched; // what the watcher was last told
    bool m_checkingDisk = false;
    TRecoveryJournal* m_journal = nullptr;
    TProgress* m_progress = nullptr;
    int m_lastJournalId = 0;
};

} // namespace quarno
