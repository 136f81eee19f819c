// The main window of the editor: its creation, first showing, first
// activation and closing, the documents in tabs with their File commands and
// status bar, and the state it keeps for the whole run.
#pragma once

#include "core/app/IDocumentsView.h"
#include "core/app/TAppGlobals.h"
#include "core/app/TAppSeams.h"
#include "core/app/TEdPersistent.h"
#include "core/toolchain/TBootloaderChoice.h"
#include "core/toolchain/TPathDialog.h"
#include "core/toolchain/TProgrammerChoice.h"
#include "qt/print/PrintCommands.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QPrinter;
class QPlainTextEdit;
class QSplitter;
class QTimer;

namespace quarno {

class TASCII;
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
class THEXList;
class TOutputViews;
class TLexipad;
class TOpenFilesTab;
class TParserRepository;
class TRegistryStore;

class TEditorMainForm : public QMainWindow, private IDocumentsView {
    Q_OBJECT
public:
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

    // Printing: straight to the printer, the preview, the page set-up.
    void PrintButtonClick();
    void PrintPreview1Click();
    void PrintSetup1Click();
    QPrinter* Printer() const { return m_printer.get(); }
    TPreviewPrinter* Preview() const { return m_preview; }
    const TPrintPageSetup& PageSetup() const { return m_pageSetup; }
    void ReadCompileResult();
    void showReportClick();
    QWidget* ReportMemo() const;

    // The editor options dialog for the language of Lexipad1's active parser;
    // OK applies the settings to every editor showing that language and saves
    // them to the per-user store.
    void Properties1Click();

    // Answers a later copy of the program: restores the window if it is
    // minimised (keeping it maximised if it was), raises and activates it.
    void BringForward();

    // The File commands, as the menu runs them.
    void NewButtonClick();
    void OpenButtonClick();
    void SaveButtonClick();
    void SaveAs1Click();
    void Close1Click();
    void CloseAll1Click();
    void ReOpenFileClick();
    void OpenDocument(const std::string& fileName);

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateEditor();
    void CreateMenus();
    void CreateTabPopup();
    void CreateStatusBar();
    // Every document is shown with the repository's "MCUBASIC" parser.
    void UseMcuBasicParser();
    void ApplyEditorSettings();
    void FormCreate();
    void FormShow();
    void FormActivate();
    // False when closing was cancelled.
    bool FormClose();

    // Steps that arrive with printing and the other windows' Parts.
    void CreatePrintPreview();
    void ReadDefaultPageSetup();
    void AddPrintItems();
    void ShowInfraredBootloaderItem();
    void AddBootloaderItems();
    void ShowBootloaderMarks();
    void BuildRunMenus() {}
    void ApplyToolMenus(const TDocumentStatus& status);
    void AddProgrammerItems();
    void RunPathDialog(TPathDialog dialog);
    void LoadParserSettings();
    void RouteHintsToStatusBar() { m_hintsRouted = true; }
    void RebuildReopenMenu();
    void CreateViewMenu();
    QAction* AddViewItem(const char* name, const char* text, Qt::Key key,
                         const std::function<void()>& handler);
    void AddOutputWindowItems();
    void CreateReportPane();
    void CreateOptionsMenu();
    void AddPropertiesItem();
    void ShowReportPane(bool shown);
    void FillReportPane(const std::vector<std::string>& lines);
    void ShowWaitWindow(bool shown);
    // The current document's listing and HEX file (kept in the globals).
    std::string CurrentAsmPath();
    std::string CurrentHexPath();

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
    QMenu* m_tabPopup = nullptr;
    QMenu* m_viewMenu = nullptr;
    QMenu* m_optionsMenu = nullptr;
    QAction* m_showReport = nullptr;
    QPlainTextEdit* m_reportMemo = nullptr;
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
    // File menu entries shown only while documents are open.
    std::vector<QAction*> m_documentActions;
    TParserRepository* m_parserRepository = nullptr;
    TRegistryStore* m_registry = nullptr;
    std::string m_executablePath;
    TAppGlobals m_globals;
    std::unique_ptr<TEdPersistent> m_persistent;
    // Lends Lexipad1 the stores of the documents; it goes before Lexipad1.
    std::unique_ptr<TDocumentTabs> m_documents;
    std::string m_startupFile;
    bool m_reportShown = false;
    bool m_hintsRouted = false;
    bool m_shown = false;
    bool m_activated = false;
};

} // namespace quarno
