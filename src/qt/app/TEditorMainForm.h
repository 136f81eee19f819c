// The main window of the editor: its creation, first showing, first
// activation and closing, the documents in tabs with their File commands and
// status bar, and the state it keeps for the whole run.
#pragma once

#include "core/app/IDocumentsView.h"
#include "core/app/SerialDevices.h"
#include "core/app/TAppGlobals.h"
#include "core/app/TAppSeams.h"
#include "core/app/TDeviceToolWatch.h"
#include "core/app/TEdPersistent.h"
#include "core/app/TSearchCommands.h"
#include "core/toolchain/TBootloaderChoice.h"
#include "core/toolchain/TPathDialog.h"
#include "core/toolchain/TProgrammerChoice.h"
#include "qt/print/PrintCommands.h"

#include <QKeySequence>
#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QKeySequence;
class QLabel;
class QMenu;
class QPainter;
class QPrinter;
class QSplitter;
class QTimer;
class QToolBar;

namespace quarno {

class TASCII;
class TAboutForm;
class TReportMemo;
class TToolCommands;
class TLexipadPrinter;
class TBootloader_Parameters;
class TFind_FERNWICK;
class TORLAPath;
class TProgPath;
class TPreviewPrinter;
class TCompileCommand;
class TDummy_Virtual_Form;
class TASMList;
class TDATAList;
class TDocumentTabs;
class TQtFileWatcher;
class TRecoveryJournal;
class THEXList;
class TOutputViews;
class TLexipad;
class TOpenFilesTab;
class TParserRepository;
class TRegistryStore;
class TEdFindDlg;
class TEdReplDlg;
class TEdSearchDlg;
class TGotoLineDialog;
struct TRangeMark;

class TEditorMainForm : public QMainWindow, private IDocumentsView {
    Q_OBJECT
public:
    // A menu item or tool button: object name, caption, key and hint.
    struct TItem {
        const char* name;
        const char* caption;
        QKeySequence key;
        const char* hint;
    };

    // executablePath decides the application and INC folders; startupFile is
    // the first command-line argument (empty when there is none). The seams
    // must outlive the window.
    TEditorMainForm(const TAppSeams& seams, const std::string& executablePath,
                    const std::string& startupFile, QWidget* parent = nullptr);
    ~TEditorMainForm() override;

    const TAppSeams& Seams() const { return m_seams; }
    TAppGlobals& Globals() { return m_globals; }
    // The settings store; null when the history file could not be created
    // (the error was shown and the program went on without it).
    TEdPersistent* Persistent() const { return m_persistent.get(); }
    const std::string& StartupFile() const { return m_startupFile; }
    const std::vector<std::string>& RecentFiles() const;
    // The editing control of the window; owned by the window.
    TLexipad* Lexipad1() const { return m_lexipad1; }
    // The documents shown in Lexipad1, one per tab.
    TDocumentTabs& Documents() const { return *m_documents; }
    TOpenFilesTab* OpenFilesTab() const { return m_openFilesTab; }
    // Watches the documents' files for changes made by other programs.
    TQtFileWatcher* FileWatcher() const { return m_fileWatcher; }
    // Asks about documents whose files changed outside, unless a command or
    // a modal box is busy: then it tries again a moment later.
    void CheckFilesOnDisk();
    // Where modified documents are journalled every half minute and at a
    // compile; journals a crashed copy left are offered at the first
    // activation. Null (as in tests): no journals.
    void SetRecoveryJournal(TRecoveryJournal* journal);
    // The text of a status bar panel (0 to 5).
    QString PanelText(int panel) const;
    // The holder of the parsers, created right after this window, and the
    // per-user store their settings are kept in.
    void SetParserRepository(TParserRepository* repository, TRegistryStore* registry);
    // The output windows, created after this window; adds the View menu.
    void SetOutputWindows(TASMList& asmList, THEXList& hexList, TDATAList& dataList, TASCII& ascii);
    TOutputViews* OutputViews() const { return m_outputViews.get(); }
    // The window shown while the compiler runs, created after this window.
    void SetWaitWindow(TDummy_Virtual_Form* window) { m_waitWindow = window; }

    // Compiling and its report.
    void CompileButtonClick();

    // The programmer: its path dialogs (created after this window), the choice
    // between ORLA and the user's own, and the Program command.
    void SetProgrammerDialogs(TProgPath& progPath, TORLAPath& orlaPath);
    void SetBootloaderDialogs(TBootloader_Parameters& bootPath, TFind_FERNWICK& fernwickPath);
    void DownloadButtonClick();
    void ChooseBootloader(TBootloaderKind kind);
    void BootloaderPathClick();
    void FernwickPathClick();
    void ProgramButtonClick();
    void OrlaProgClick();
    void ExtProgClick();
    void ProgrammerPathClick();
    void ORLA_DirectoryClick();

    // The editing commands' fonts.
    void Font1Click();
    void Linenumberfont1Click();

    // Printing: straight to the printer, the preview, the page set-up.
    void PrintButtonClick();
    void PrintPreview1Click();
    void PrintSetup1Click();
    // The printer and what goes with it are made on first use: loading the
    // print support took a tenth of the start-up.
    QPrinter* Printer() {
        EnsurePrinting();
        return m_printer.get();
    }
    TPreviewPrinter* Preview() {
        EnsurePrinting();
        return m_preview;
    }
    const TPrintPageSetup& PageSetup() {
        EnsurePrinting();
        return m_pageSetup;
    }
    void ReadCompileResult();
    void showReportClick();
    QWidget* ReportMemo() const;
    // Report lines that name a source line lead there: a double-click on
    // one, or the next or previous one after the marked line (round the end).
    void GoToReportLine(int line);
    void NextErrorClick();
    void PreviousErrorClick();

    // The Run menus, the serial terminal, the calculator, help, the user
    // guide and the about box (created after this window).
    void RunExternalProgram(const std::string& caption);
    void Terminal1Click();
    void CalculatorItemClick();
    void HelpMenuItemClick();
    void UserGuideClick();
    void SetAboutForm(TAboutForm* form) { m_aboutForm = form; }
    // The programmers, bootloaders and terminal started from this window,
    // whose failures on a serial device are explained.
    TDeviceToolWatch& DeviceWatch() { return m_deviceWatch; }
    void About1Click();

    // The editor options dialog for the language of Lexipad1's active parser;
    // OK applies the settings to every editor showing that language and saves
    // them to the per-user store.
    void Properties1Click();

    // Answers a later copy of the program: restores the window if it is
    // minimised (keeping it maximised if it was), raises and activates it.
    void BringForward();
    // Files named on a later copy's command line (or after the first on this
    // copy's): each opens as a dropped file does; a missing one is reported
    // and the others still open. Before the first activation they wait for
    // it and open after the start-up file.
    void OpenForwardedFiles(const std::vector<std::string>& files);

    // The File commands, as the menu runs them.
    void NewButtonClick();
    void OpenButtonClick();
    void SaveButtonClick();
    void SaveAs1Click();
    void Close1Click();
    void CloseAll1Click();
    void ReOpenFileClick();
    void OpenDocument(const std::string& fileName);

    // The Search menu: its dialogs (created after this window) and commands.
    void SetSearchDialogs(TEdFindDlg& find, TEdReplDlg& replace, TGotoLineDialog& gotoLine);
    void Find1Click();
    void Replace1Click();
    void Searchagain1Click();
    void Showall1Click();
    void Gotolinenumber1Click();
    TSearchCommands& SearchCommands() const;

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // The Edit menu's and the editor pop-up's items that the status enables.
    struct TEditItems {
        QAction* undo = nullptr;
        QAction* redo = nullptr;
        QAction* cut = nullptr;
        QAction* copy = nullptr;
        QAction* paste = nullptr;
        QAction* deleteSelection = nullptr;
    };
    // The tool buttons the status refresh shows, hides and enables.
    struct TToolButtons {
        QAction* save = nullptr;
        QAction* print = nullptr;
        QAction* preview = nullptr;
        QAction* cut = nullptr;
        QAction* copy = nullptr;
        QAction* paste = nullptr;
        QAction* undo = nullptr;
        QAction* redo = nullptr;
        QAction* indent = nullptr;
        QAction* undent = nullptr;
        QAction* compile = nullptr;
        QAction* program = nullptr;
        QAction* download = nullptr;
        QAction* asmListing = nullptr;
    };

    void CreateEditor();
    void InstallKeyboardCommands();
    // The menus, tool bar and pop-ups (TEditorMainFormMenus.cpp).
    void CreateMenus();
    QMenu* AddMenu(const char* name, const char* caption, const char* hint);
    QAction* AddItem(QMenu* menu, const TItem& item, const std::function<void()>& handler);
    void CreateFileMenu();
    void CreateEditMenu();
    void CreateSearchMenu();
    void CreateOptionsMenu();
    void CreateViewMenu();
    void CreateHelpMenu();
    void CreateToolBar();
    void CreateEditorPopup();
    void AddRunMenu(QMenu* parent, const char* name);
    void AddBookmarkItems(QMenu* menu, const std::function<void(const std::string&)>& command);
    void CreateTabPopup();
    void Edit1Click();
    void PopupMenu1Popup();
    void ShowToolStates(const TDocumentStatus& status);
    void WatchClipboard();
    void CreateStatusBar();
    // Every document is shown with the repository's "MCUBASIC" parser.
    void UseMcuBasicParser();
    void ApplyEditorSettings();
    void FormCreate();
    void FormShow();
    void FormActivate();
    void OpenNamedFile(const std::string& fileName, bool asDropped);
    // Files changed outside (TEditorMainFormFiles.cpp).
    void WatchDocumentFiles();
    // False when closing was cancelled.
    bool FormClose();

    void EnsurePrinting();
    void CreatePrintPreview();
    void ReadDefaultPageSetup();
    void ShowInfraredBootloaderItem();
    void AddBootloaderItems(QMenu* menu);
    void ShowBootloaderMarks();
    void BuildRunMenus();
    void AddRunItems(QMenu* menu, const std::vector<std::string>& programs);
    TToolCommands& ToolCommands();
    // A watched programmer, bootloader or terminal failed on a device.
    void ProgramEnded(const TProgramEnd& end);
    void StepReportLine(bool forward);
    void ApplyToolMenus(const TDocumentStatus& status);
    void AddProgrammerItems(QMenu* menu);
    void RunPathDialog(TPathDialog dialog);
    void LoadParserSettings();
    void RouteHintsToStatusBar() { m_hintsRouted = true; }
    void RebuildReopenMenu();
    void CreateReportPane();
    void ShowReportPane(bool shown);
    void FillReportPane(const std::vector<std::string>& lines);
    void ShowWaitWindow(bool shown);
    void AcceptCompilerOutputs();
    // The current document's listing and HEX file (kept in the globals).
    std::string CurrentAsmPath();
    std::string CurrentHexPath();
    // The Search menu (TEditorMainFormSearch.cpp).
    void ConnectSearchCommands();
    void ApplySearchMenu(const TDocumentStatus& status);
    void OpenSearchDialog(TEdSearchDlg* dialog, TEdSearchDlg* other);
    static void Lexipad1DrawMark(QPainter& dc, const QRect& rect, TRangeMark& mark);

    // The documents' view of the window.
    void ShowStatus(const TDocumentStatus& status) override;
    void SetPanelText(int panel, const std::string& text) override;
    void SetCaption(const std::string& caption) override;
    void FocusEditor() override;
    void BringToFront() override { BringForward(); }
    void RefreshOutputViews() override;
    void ShowReopenMenu(const std::vector<std::string>& files) override;
    void SaveParserSettings() override;
    void StartMessageTimer(int milliseconds) override;
    void StopMessageTimer() override;
    void RepaintNow() override;

    const TAppSeams m_seams;
    TLexipad* m_lexipad1 = nullptr;
    TOpenFilesTab* m_openFilesTab = nullptr;
    QWidget* m_editArea = nullptr;
    std::array<QLabel*, IDocumentsView::kPanelCount> m_panels{};
    QTimer* m_infoTimer = nullptr; // the transient message's one-shot timer
    QMenu* m_fileMenu = nullptr;
    QMenu* m_reopenMenu = nullptr;
    QMenu* m_editMenu = nullptr;
    QMenu* m_searchMenu = nullptr;
    QMenu* m_optionsMenu = nullptr;
    QMenu* m_viewMenu = nullptr;
    QMenu* m_tabPopup = nullptr;
    QMenu* m_editorPopup = nullptr;
    QToolBar* m_toolpanel = nullptr;
    TToolButtons m_tools;
    TEditItems m_editItems;
    TEditItems m_popupItems;
    // The two Run menus with their separators, shown once programs are found.
    std::vector<QAction*> m_runItems;
    QAction* m_showReport = nullptr;
    QAction* m_showAsm = nullptr;
    QAction* m_showHex = nullptr;
    QAction* m_showData = nullptr;
    TReportMemo* m_reportMemo = nullptr;
    QSplitter* m_splitter = nullptr;
    TDummy_Virtual_Form* m_waitWindow = nullptr;
    std::unique_ptr<TCompileCommand> m_compileCommand;
    std::unique_ptr<QPrinter> m_printer;
    TPreviewPrinter* m_preview = nullptr; // a child of the window
    std::unique_ptr<TLexipadPrinter> m_lexipadPrinter;
    TPrintPageSetup m_pageSetup;
    TProgrammerChoice m_programmer;
    TProgPath* m_progPath = nullptr;
    TORLAPath* m_orlaPath = nullptr;
    QAction* m_orlaProg = nullptr;
    QAction* m_extProg = nullptr;
    TBootloaderChoice m_bootloader;
    TBootloader_Parameters* m_bootPath = nullptr;
    TFind_FERNWICK* m_fernwickPath = nullptr;
    std::array<QAction*, 4> m_bootItems{}; // in the order of TBootloaderKind
    std::unique_ptr<TOutputViews> m_outputViews;
    std::unique_ptr<TToolCommands> m_toolCommands;
    TSystemDeviceAccess m_deviceAccess;
    // The programmers, bootloaders and the terminal started from this window.
    TDeviceToolWatch m_deviceWatch{m_deviceAccess};
    TAboutForm* m_aboutForm = nullptr;
    // File menu entries shown only while documents are open.
    std::vector<QAction*> m_documentActions;
    TParserRepository* m_parserRepository = nullptr;
    TRegistryStore* m_registry = nullptr;
    std::string m_executablePath;
    TAppGlobals m_globals;
    std::unique_ptr<TEdPersistent> m_persistent;
    // Lends Lexipad1 the stores of the documents; it goes before Lexipad1.
    std::unique_ptr<TDocumentTabs> m_documents;
    TQtFileWatcher* m_fileWatcher = nullptr; // a child
    QTimer* m_diskCheckRetry = nullptr;      // a child, one shot
    QTimer* m_journalTimer = nullptr;        // a child, while journals are kept
    std::string m_startupFile;
    std::vector<std::string> m_forwardedFiles; // until the first activation
    bool m_reportShown = false;
    bool m_followingReport = false; // a report line is leading to another document
    std::string m_compileFailure;   // the report line of a compile that failed, while refreshing
    bool m_hintsRouted = false;
    bool m_shown = false;
    bool m_activated = false;
    // The Search menu; the dialogs belong to the application's windows.
    QAction* m_searchAgain = nullptr;
    std::unique_ptr<TSearchCommands> m_searchCommands;
    QPointer<TEdFindDlg> m_findDlg;
    QPointer<TEdReplDlg> m_replDlg;
    QPointer<TGotoLineDialog> m_gotoLineDlg;
};

} // namespace quarno
