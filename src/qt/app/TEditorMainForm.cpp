// The main window of the editor.
#include "qt/app/TEditorMainForm.h"

#include "core/app/TFileObject.h"

#include "core/toolchain/CompilerInterface.h"
#include "core/toolchain/TCompileCommand.h"
#include "core/toolchain/TToolCommands.h"
#include "qt/print/TLexipadPrinter.h"
#include "qt/viewers/TASMList.h"
#include "qt/viewers/TOutputViews.h"

#include "core/app/TDocumentTabs.h"
#include "core/base/Exceptions.h"
#include "core/base/FileUtils.h"
#include "core/highlight/TLexipadParser.h"
#include "qt/app/TEventLog.h"
#include "qt/app/TOpenFilesTab.h"
#include "qt/app/TParserRepository.h"
#include "qt/base/CommandBoundary.h"
#include "qt/base/TextConversion.h"
#include "qt/editor/TLexipad.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QPrinter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QVBoxLayout>

namespace quarno {

namespace {

struct TPanelLayout {
    int width;
    Qt::Alignment alignment;
};

// Caret, "Modified", device, code size, RAM use, and the editing mode or a
// transient message; the last one takes the rest of the bar.
constexpr std::array<TPanelLayout, IDocumentsView::kPanelCount> kPanels{{
    {90, Qt::AlignCenter},
    {100, Qt::AlignCenter},
    {110, Qt::AlignCenter},
    {100, Qt::AlignCenter},
    {90, Qt::AlignCenter},
    {50, Qt::AlignLeft | Qt::AlignVCenter},
}};

} // namespace

TEditorMainForm::TEditorMainForm(const TAppSeams& seams, const std::string& executablePath,
                                 const std::string& startupFile, QWidget* parent)
    : QMainWindow(parent), m_seams(seams), m_executablePath(executablePath),
      m_startupFile(startupFile) {
    setObjectName(QStringLiteral("EditorMainForm"));
    setWindowTitle(QStringLiteral("QUARNO+"));
    setMinimumSize(400, 200);
    CreateEditor();
    CreateReportPane();
    CreateStatusBar();
    CreateMenus();
    CreateToolBar();
    CreateEditorPopup();
    CreateTabPopup();
    WatchClipboard();
    FormCreate();
    m_seams.Processes().OnProgramEnded = [this](const TProgramEnd& end) { ProgramEnded(end); };
    ConnectSearchCommands();
}

// The edit area: the row of tabs over the editing control.
void TEditorMainForm::CreateEditor() {
    m_editArea = new QWidget(this);
    m_editArea->setObjectName(QStringLiteral("EditArea"));
    auto* layout = new QVBoxLayout(m_editArea);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_openFilesTab = new TOpenFilesTab(m_editArea);
    layout->addWidget(m_openFilesTab);
    m_lexipad1 = new TLexipad(m_editArea);
    m_lexipad1->setObjectName(QStringLiteral("Lexipad1"));
    layout->addWidget(m_lexipad1, 1);
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
    InstallKeyboardCommands();
    // Until the first showing the window keeps its creation caption.
    pad.OnChange = [this](TCustomLexipad&) {
        if (m_documents && m_shown) m_documents->Lexipad1Change();
    };
    pad.OnDataDrop = [](TCustomLexipad&, TSourceTypes& types) {
        TDocumentTabs::Lexipad1DataDrop(types);
    };
    // The drop finishes in the editor before the documents change stores.
    pad.OnFilesDropped = [this](TCustomLexipad&, std::vector<std::string>& files, TPoint) {
        QTimer::singleShot(0, this, [this, dropped = files] {
            if (m_documents) m_documents->Lexipad1FilesDropped(dropped);
        });
    };
    connect(m_openFilesTab, &TOpenFilesTab::TabChosen, this,
            [this] { m_documents->OpenFilesTabChange(); });
}

// The values the window's editor is configured with. They live in the
// settings in use, so they are applied again when the parser's settings
// take over.
void TEditorMainForm::ApplyEditorSettings() {
    TLexipad& pad = *m_lexipad1;
    // 16 and 11 pixels high on a 96-dpi screen.
    pad.SetFont(QFont(QStringLiteral("Courier New"), 12));
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

void TEditorMainForm::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    QFont font(QStringLiteral("Tahoma"));
    font.setBold(true);
    bar->setFont(font);
    for (size_t index = 0; index < m_panels.size(); ++index) {
        auto* panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(index));
        panel->setAlignment(kPanels[index].alignment);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        bool last = index + 1 == m_panels.size();
        if (last)
            panel->setMinimumWidth(kPanels[index].width);
        else
            panel->setFixedWidth(kPanels[index].width);
        bar->addWidget(panel, last ? 1 : 0);
        m_panels[index] = panel;
    }
    m_infoTimer = new QTimer(this);
    m_infoTimer->setObjectName(QStringLiteral("FInfoTimer"));
    m_infoTimer->setSingleShot(true);
    connect(m_infoTimer, &QTimer::timeout, this, [this] { m_documents->InfoTimerTimer(); });
}

void TEditorMainForm::SetParserRepository(TParserRepository* repository, TRegistryStore* registry) {
    m_parserRepository = repository;
    m_registry = registry;
    m_documents->SetParserLookup([repository](const std::string& name) -> TCustomLexipadParser* {
        return repository ? repository->FindParser(name) : nullptr;
    });
    UseMcuBasicParser();
}

// The window's editor settings go into the parser's settings once, when the
// parser first becomes the editor's.
void TEditorMainForm::UseMcuBasicParser() {
    TLexipadParser* parser =
        m_parserRepository ? m_parserRepository->FindParser("MCUBASIC") : nullptr;
    bool first = parser && m_lexipad1->Parser(1) != parser;
    m_lexipad1->SetParser(1, parser);
    m_lexipad1->SetActiveParser(1);
    if (first) ApplyEditorSettings();
}

// The documents go first: Lexipad1 gets its own store back and stops
// reporting to them.
TEditorMainForm::~TEditorMainForm() {
    m_seams.Processes().OnProgramEnded = nullptr;
    m_lexipad1->OnChange = nullptr;
    m_lexipad1->OnFilesDropped = nullptr;
    m_documents.reset();
}

const std::vector<std::string>& TEditorMainForm::RecentFiles() const {
    return m_documents->RecentFiles();
}

QString TEditorMainForm::PanelText(int panel) const {
    if (panel < 0 || panel >= kPanelCount) return QString();
    return m_panels[static_cast<size_t>(panel)]->text();
}

void TEditorMainForm::FormCreate() {
    m_globals.UseLayout(TAppLayout::Decide(m_executablePath));
    m_reportShown = false;
    m_globals.SetDeviceName(TAppGlobals::kDefaultDeviceName);
    m_documents = std::make_unique<TDocumentTabs>(
        *m_lexipad1, TDocumentTabs::TSeams{*m_openFilesTab, *this, m_seams.Prompts(),
                                           m_seams.FileDialogs(), m_globals});
    m_documents->SetSearchMarks(false);
    m_lexipad1->OnPrintSelection = [this](TCustomLexipad&) {
        EnsurePrinting();
        m_lexipadPrinter->PrintSelection();
    };
    m_documents->CreateFirstDocument();
    try {
        m_persistent = std::make_unique<TEdPersistent>(m_globals.ApplicationFolder());
        m_persistent->SetLastSearchText(std::string());
        m_persistent->SetSearchOptions(0);
    } catch (const Exception& error) {
        m_seams.Prompts().ShowException(error.what());
    }
    m_documents->SetPersistent(m_persistent.get());
    WatchDocumentFiles();
    RebuildReopenMenu();
    TEventLog::Write(QStringLiteral("FormCreate"));
}

void TEditorMainForm::RebuildReopenMenu() {
    m_documents->RebuildReopenMenu();
}

void TEditorMainForm::ShowReopenMenu(const std::vector<std::string>& files) {
    QList<QAction*> items = m_reopenMenu->actions();
    for (qsizetype index = 1; index < items.size(); ++index)
        delete items[index];
    for (const std::string& file : files)
        m_reopenMenu->addAction(FromPath(file), this,
                                [this, file] { m_documents->ReopenItemClick(file); });
}

void TEditorMainForm::FormShow() {
    m_documents->Close1Click();
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

void TEditorMainForm::SaveParserSettings() {
    if (!m_parserRepository || !m_registry) return;
    try {
        m_parserRepository->SaveParserSettings(*m_registry);
    } catch (const Exception& error) {
        m_seams.Prompts().ShowException(error.what());
    }
}

void TEditorMainForm::FormActivate() {
    TEventLog::Write(QStringLiteral("FormActivate"));
    // The first activation always ends with a document: a start-up file that
    // cannot be opened (its error shown) leaves a new untitled one.
    std::vector<std::string> forwarded = std::exchange(m_forwardedFiles, {});
    if (!m_startupFile.empty()) RunCommand([this] { OpenNamedFile(m_startupFile, false); });
    for (const std::string& file : forwarded)
        RunCommand([this, &file] { OpenNamedFile(file, true); });
    m_documents->OfferRecovery();
    if (!m_documents->Current()) NewButtonClick();
    LoadParserSettings();
    ShowInfraredBootloaderItem();
    BuildRunMenus();
}

void TEditorMainForm::OpenDocument(const std::string& fileName) {
    TEventLog::Write(QStringLiteral("open ") + FromPath(fileName));
    m_documents->OpenDocument(fileName);
}

void TEditorMainForm::OpenForwardedFiles(const std::vector<std::string>& files) {
    if (!m_activated) {
        m_forwardedFiles.insert(m_forwardedFiles.end(), files.begin(), files.end());
        return;
    }
    for (const std::string& file : files)
        OpenNamedFile(file, true);
}

void TEditorMainForm::OpenNamedFile(const std::string& fileName, bool asDropped) {
    TEventLog::Write(QStringLiteral("open ") + FromPath(fileName));
    m_documents->OpenNamedFile(fileName, asDropped);
}

void TEditorMainForm::NewButtonClick() {
    TEventLog::Write(QStringLiteral("new"));
    m_documents->NewButtonClick();
}

void TEditorMainForm::OpenButtonClick() {
    m_documents->OpenButtonClick();
}

void TEditorMainForm::SaveButtonClick() {
    m_documents->SaveButtonClick();
}

void TEditorMainForm::SaveAs1Click() {
    m_documents->SaveAs1Click();
}

void TEditorMainForm::Close1Click() {
    m_documents->Close1Click();
}

void TEditorMainForm::CloseAll1Click() {
    m_documents->CloseAll1Click();
}

void TEditorMainForm::ReOpenFileClick() {
    m_documents->ReOpenFileClick();
}

bool TEditorMainForm::FormClose() {
    TEventLog::Write(QStringLiteral("FormClose"));
    return m_documents->FormClose();
}

// --- the output windows --------------------------------------------------------------

void TEditorMainForm::SetOutputWindows(TASMList& asmList, THEXList& hexList, TDATAList& dataList,
                                       TASCII& ascii) {
    m_outputViews =
        std::make_unique<TOutputViews>(asmList, hexList, dataList, ascii, m_seams.Prompts());
    asmList.SetIncFolder(m_globals.IncFolder());
    m_outputViews->SetMenuItems(m_showAsm, m_showHex, m_showData);
}

// The compiler's files are found as the result file is: the exact name
// first, then the same name in another case (prog.hex for prog.HEX).
std::string TEditorMainForm::CurrentAsmPath() {
    TFileObject* document = m_documents->Current();
    m_globals.SetAsmPath(document ? CompilerOutputPath(document->FileName(), ".ASM")
                                  : std::string());
    return m_globals.AsmPath();
}

// Without a document the name is a blank, which names no file.
std::string TEditorMainForm::CurrentHexPath() {
    TFileObject* document = m_documents->Current();
    m_globals.SetHexPath(document ? CompilerOutputPath(document->FileName(), ".HEX") : " ");
    return m_globals.HexPath();
}

void TEditorMainForm::RefreshOutputViews() {
    if (!m_documents->Current()) return;
    if (m_outputViews) m_outputViews->RefreshListing(CurrentAsmPath());
    if (!m_followingReport) ReadCompileResult();
    if (m_outputViews) m_outputViews->RefreshMemory(CurrentHexPath());
}

// --- the documents' view ------------------------------------------------------------

void TEditorMainForm::ShowStatus(const TDocumentStatus& status) {
    m_editArea->setVisible(status.documents);
    ShowToolStates(status);
    if (!status.documents) m_showReport->setChecked(false);
    if (!status.documents && m_outputViews) m_outputViews->HideAll();
    for (QAction* action : m_documentActions)
        action->setVisible(status.documents);
    setWindowTitle(FromPath(status.caption));
    ApplyToolMenus(status);
    ApplySearchMenu(status);
}

void TEditorMainForm::SetPanelText(int panel, const std::string& text) {
    if (panel < 0 || panel >= kPanelCount) return;
    m_panels[static_cast<size_t>(panel)]->setText(MessageText(text));
}

void TEditorMainForm::SetCaption(const std::string& caption) {
    setWindowTitle(FromPath(caption));
}

void TEditorMainForm::FocusEditor() {
    if (m_lexipad1->isVisible()) m_lexipad1->setFocus();
}

void TEditorMainForm::StartMessageTimer(int milliseconds) {
    m_infoTimer->start(milliseconds);
}

void TEditorMainForm::StopMessageTimer() {
    m_infoTimer->stop();
}

void TEditorMainForm::RepaintNow() {
    m_panels.back()->repaint();
}

void TEditorMainForm::BringForward() {
    TEventLog::Write(QStringLiteral("bring-forward"));
    if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
    if (!isVisible()) show();
    raise();
    activateWindow();
}

bool TEditorMainForm::event(QEvent* event) {
    // Hints go to the message panel for a while; the status bar never shows
    // Qt's own status tips, which would hide the panels.
    if (event->type() == QEvent::StatusTip) {
        QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        if (m_hintsRouted && !tip.isEmpty() && m_documents)
            m_documents->ShowTransientMessage(ToAnsi(tip.section(QLatin1Char('|'), -1)));
        return true;
    }
    // The first activation runs once, whichever comes first: the window
    // becoming active, or the event loop's first turn after the first showing
    // (a window manager may decline to activate a new window).
    if (event->type() == QEvent::WindowActivate && !m_activated) {
        m_activated = true;
        FormActivate();
    } else if (event->type() == QEvent::WindowActivate) {
        // For file systems whose changes the watcher never hears of.
        CheckFilesOnDisk();
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
