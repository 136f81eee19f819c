// The main window of the editor: its creation, first showing, first
// activation and closing, and the state it keeps for the whole run.
#pragma once

#include "app/TAppGlobals.h"
#include "app/TAppSeams.h"
#include "app/TEdPersistent.h"

#include <QMainWindow>

#include <memory>
#include <string>
#include <vector>

namespace quarno {

class TParserRepository;
class TRegistryStore;

class TLexipad;

class TEditorMainForm : public QMainWindow {
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
    const std::vector<std::string>& RecentFiles() const { return m_recentFiles; }
    // The editing control of the window; owned by the window.
    TLexipad* Lexipad1() const { return m_lexipad1; }
    // The holder of the parsers, created right after this window.
    // The parsers and the per-user store their settings are kept in.
    void SetParserRepository(TParserRepository* repository, TRegistryStore* registry) {
        m_parserRepository = repository;
        m_registry = registry;
    }

    // Answers a later copy of the program: restores the window if it is
    // minimised (keeping it maximised if it was), raises and activates it.
    void BringForward();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateEditor();
    // The shipped BASIC language ("MCUBASIC") becomes Lexipad1's active
    // parser once the parser run time provides it; until then the control
    // paints whatever token bytes its store holds.
    // Every document is shown with the repository's "MCUBASIC" parser.
    void UseMcuBasicParser();
    void ApplyEditorSettings();
    void FormCreate();
    void FormShow();
    void FormActivate();
    // False when closing was cancelled.
    bool FormClose();

    // Steps that arrive with the documents, printing and parser settings.
    void CreatePrintPreview() {}
    void ReadDefaultPageSetup() {}
    void CreateFirstDocument() {}
    void CloseCurrentDocument() {}
    void LoadParserSettings();
    void RouteHintsToStatusBar() {}
    void OpenDocument(const std::string& fileName);
    void NewButtonClick();
    void ShowInfraredBootloaderItem() {}
    void BuildRunMenus() {}
    void RebuildReopenMenu();

    const TAppSeams m_seams;
    TLexipad* m_lexipad1 = nullptr;
    TParserRepository* m_parserRepository = nullptr;
    TRegistryStore* m_registry = nullptr;
    std::string m_executablePath;
    TAppGlobals m_globals;
    std::unique_ptr<TEdPersistent> m_persistent;
    std::vector<std::string> m_recentFiles;
    std::string m_startupFile;
    bool m_droppedFile = false;
    bool m_reportShown = false;
    bool m_searchMarks = false;
    bool m_shown = false;
    bool m_activated = false;
};

} // namespace quarno
