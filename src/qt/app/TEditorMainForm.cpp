// The main window of the editor.
#include "app/TEditorMainForm.h"

#include "app/TEventLog.h"
#include "app/TParserRepository.h"
#include "app/TextConversion.h"
#include "base/Exceptions.h"
#include "base/FileUtils.h"
#include "editor/TLexipad.h"
#include "highlight/TLexipadParser.h"

#include <QApplication>
#include <QCloseEvent>
#include <QTimer>

namespace quarno {

TEditorMainForm::TEditorMainForm(const TAppSeams& seams, const std::string& executablePath,
                                 const std::string& startupFile, QWidget* parent)
    : QMainWindow(parent), m_seams(seams), m_executablePath(executablePath),
      m_startupFile(startupFile) {
    setObjectName(QStringLiteral("EditorMainForm"));
    setWindowTitle(QStringLiteral("QUARNO+"));
    setMinimumSize(400, 200);
    CreateEditor();
    FormCreate();
}

// The editing control as the window's editor is set up.
void TEditorMainForm::CreateEditor() {
    m_lexipad1 = new TLexipad(this);
    m_lexipad1->setObjectName(QStringLiteral("Lexipad1"));
    setCentralWidget(m_lexipad1);
    TLexipad& pad = *m_lexipad1;
    pad.SetPrompts(&m_seams.Prompts()); // the editor's own boxes go where the window's go
    pad.SetBorderStyle(TLexipad::bsNone);
    pad.SetClipCopyFormats(smTEXT | smRTF);
    pad.SetFlatScrollBarStyle(TLexipad::fssREGULAR);
    pad.SetHyperCursor(Qt::PointingHandCursor);
    pad.SetMonoPrint(true);
    pad.SetReadOnly(false);
    pad.SetSaveFormat(sfTEXT);
    pad.SetScrollBars(TLexipad::ssBoth);
    pad.SetSelLineStyle(lsCRLF);
    ApplyEditorSettings();
}

// The values the window's editor is configured with. They live in the
// settings in use, so they are applied again when the parser's settings
// take over.
void TEditorMainForm::ApplyEditorSettings() {
    TLexipad& pad = *m_lexipad1;
    pad.SetGutterFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    pad.SetIndentStep(1);
    pad.SetMargin(2);
    pad.SetOptions(smoSyntaxHighlight | smoPrintWrap | smoPrintLineNos | smoPrintFilename |
                   smoPrintDate | smoPrintPageNos | smoAutoIndent | smoWordSelect | smoShowGutter |
                   smoShowWrapColumn | smoTitleAsFilename | smoProcessDroppedFiles |
                   smoBlockOverwriteCursor | smoShowWrapGlyph | smoUseTAB | smoOLEDragSource |
                   smoLineNumbers);
    pad.SetRightMargin(80);
    pad.SetSelTextColor(colors::White);
    pad.SetSelTextBack(0x808000); // teal
    pad.SetTabDefault(4);
}

void TEditorMainForm::UseMcuBasicParser() {
    TLexipadParser* parser =
        m_parserRepository ? m_parserRepository->FindParser("MCUBASIC") : nullptr;
    bool first = parser && m_lexipad1->Parser(1) != parser;
    m_lexipad1->SetParser(1, parser);
    m_lexipad1->SetActiveParser(1);
    if (first) ApplyEditorSettings();
}

TEditorMainForm::~TEditorMainForm() = default;

void TEditorMainForm::FormCreate() {
    m_droppedFile = false;
    m_globals.ComputeFolders(m_executablePath);
    m_reportShown = false;
    m_globals.SetDeviceName(TAppGlobals::kDefaultDeviceName);
    m_searchMarks = false;
    CreatePrintPreview();
    ReadDefaultPageSetup();
    CreateFirstDocument();
    try {
        m_persistent = std::make_unique<TEdPersistent>(m_globals.ApplicationFolder());
        m_persistent->SetLastSearchText(std::string());
        m_persistent->SetSearchOptions(0);
    } catch (const Exception& error) {
        m_seams.Prompts().ShowException(error.what());
    }
    RebuildReopenMenu();
    TEventLog::Write(QStringLiteral("FormCreate"));
}

// The menu items follow with the menus; the list is what they will show.
void TEditorMainForm::RebuildReopenMenu() {
    m_recentFiles.clear();
    if (m_persistent) m_recentFiles = m_persistent->ReadRecentFiles();
}

void TEditorMainForm::FormShow() {
    CloseCurrentDocument();
    LoadParserSettings();
    RouteHintsToStatusBar();
    TEventLog::Write(QStringLiteral("FormShow"));
}

// A damaged stored value is reported; the parser keeps what it had.
void TEditorMainForm::LoadParserSettings() {
    if (!m_parserRepository || !m_registry) return;
    try {
        m_parserRepository->LoadParserSettings(*m_registry);
    } catch (const Exception& error) {
        m_seams.Prompts().ShowException(error.what());
    }
}

void TEditorMainForm::FormActivate() {
    TEventLog::Write(QStringLiteral("FormActivate"));
    if (!m_startupFile.empty())
        OpenDocument(m_startupFile);
    else
        NewButtonClick();
    LoadParserSettings();
    ShowInfraredBootloaderItem();
    BuildRunMenus();
}

// Documents in tabs arrive with the main window's documents; until then the
// file is shown in the editor as it is.
void TEditorMainForm::OpenDocument(const std::string& fileName) {
    TEventLog::Write(QStringLiteral("open ") + FromPath(fileName));
    UseMcuBasicParser();
    if (!FileExists(fileName)) return;
    try {
        m_lexipad1->LoadFromFile(fileName);
        m_lexipad1->setFocus();
    } catch (const Exception& error) {
        m_seams.Prompts().ShowException(error.what());
    }
}

void TEditorMainForm::NewButtonClick() {
    UseMcuBasicParser();
    TEventLog::Write(QStringLiteral("new"));
}

bool TEditorMainForm::FormClose() {
    TEventLog::Write(QStringLiteral("FormClose"));
    return true;
}

void TEditorMainForm::BringForward() {
    TEventLog::Write(QStringLiteral("bring-forward"));
    if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
    if (!isVisible()) show();
    raise();
    activateWindow();
}

bool TEditorMainForm::event(QEvent* event) {
    // The first activation runs once, whichever comes first: the window
    // becoming active, or the event loop's first turn after the first showing
    // (a window manager may decline to activate a new window).
    if (event->type() == QEvent::WindowActivate && !m_activated) {
        m_activated = true;
        FormActivate();
    }
    return QMainWindow::event(event);
}

void TEditorMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_shown) return;
    m_shown = true;
    FormShow();
    QTimer::singleShot(0, this, [this] {
        if (m_activated) return;
        m_activated = true;
        FormActivate();
    });
}

// Closing the main window ends the program even while other windows are open.
void TEditorMainForm::closeEvent(QCloseEvent* event) {
    if (!FormClose()) {
        event->ignore();
        return;
    }
    event->accept();
    QCoreApplication::quit();
}

} // namespace quarno
