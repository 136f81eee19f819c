// The main window's menu bar, tool bar and pop-up menus: every item with its
// caption, key and hint, and the status refresh showing and enabling them.
#include "qt/app/TEditorMainForm.h"

#include "core/app/TDocumentTabs.h"
#include "core/app/TEditCommands.h"
#include "core/editor/LexipadMessages.h"
#include "qt/app/TOpenFilesTab.h"
#include "qt/app/TToolGlyphs.h"
#include "qt/base/CommandBoundary.h"
#include "qt/base/TextConversion.h"
#include "qt/editor/TLexipad.h"
#include "qt/viewers/TOutputViews.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <iterator>

namespace quarno {

namespace {

// Hints are status tips: menus show them while an item is highlighted and
// the window routes them to the message panel.
QAction* MakeItem(QWidget* owner, const TEditorMainForm::TItem& item) {
    auto* action = new QAction(QString::fromLatin1(item.caption), owner);
    action->setObjectName(QString::fromLatin1(item.name));
    if (!item.key.isEmpty()) action->setShortcut(item.key);
    if (item.hint) action->setStatusTip(QString::fromLatin1(item.hint));
    return action;
}

QMenu* AddSubMenu(QMenu* parent, const char* name, const char* caption, const char* hint) {
    QMenu* menu = parent->addMenu(QString::fromLatin1(caption));
    menu->setObjectName(QString::fromLatin1(name));
    if (hint) menu->menuAction()->setStatusTip(QString::fromLatin1(hint));
    return menu;
}

QKeySequence Key(QKeyCombination key) {
    return QKeySequence(key);
}

} // namespace

QAction* TEditorMainForm::AddItem(QMenu* menu, const TItem& item,
                                  const std::function<void()>& handler) {
    QAction* action = MakeItem(menu, item);
    menu->addAction(action);
    if (handler) connect(action, &QAction::triggered, this, [handler] { RunCommand(handler); });
    return action;
}

QMenu* TEditorMainForm::AddMenu(const char* name, const char* caption, const char* hint) {
    QMenu* menu = menuBar()->addMenu(QString::fromLatin1(caption));
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setStatusTip(QString::fromLatin1(hint));
    return menu;
}

void TEditorMainForm::CreateMenus() {
    CreateFileMenu();
    CreateEditMenu();
    CreateSearchMenu();
    CreateOptionsMenu();
    CreateViewMenu();
    CreateHelpMenu();
}

void TEditorMainForm::CreateFileMenu() {
    QMenu* menu = m_fileMenu = AddMenu("File1", "&File", "File related functions");
    AddItem(menu, {"New1", "&New", {}, "Create a new, blank file"}, [this] { NewButtonClick(); });
    AddItem(menu, {"Open1", "&Open...", Key(Qt::CTRL | Qt::Key_O), "Open an existing file"},
            [this] { OpenButtonClick(); });
    m_reopenMenu = AddSubMenu(menu, "Reopen1", "Re-open...", "Re-open a previously open file");
    // The placeholder stays hidden: with no recent files the menu is empty.
    QAction* placeholder = m_reopenMenu->addAction(QString::fromLatin1(TDocumentTabs::kNoEntries));
    placeholder->setEnabled(false);
    placeholder->setVisible(false);
    auto document = [this](QAction* action) {
        m_documentActions.push_back(action);
        return action;
    };
    document(menu->addSeparator());
    document(AddItem(menu, {"Save1", "&Save", Key(Qt::CTRL | Qt::Key_S), "Save the current file"},
                     [this] { SaveButtonClick(); }));
    document(AddItem(menu,
                     {"SaveAs1", "Save &As...", Key(Qt::CTRL | Qt::ALT | Qt::Key_S),
                      "Save the current file with a different filename"},
                     [this] { SaveAs1Click(); }));
    document(AddItem(menu, {"Close1", "&Close", {}, "Close the current file"},
                     [this] { Close1Click(); }));
    document(AddItem(menu, {"CloseAll1", "Close Al&l", {}, "Close all open files"},
                     [this] { CloseAll1Click(); }));
    document(menu->addSeparator());
    document(AddItem(menu, {"Print1", "&Print", {}, "Print the current file"},
                     [this] { PrintButtonClick(); }));
    document(AddItem(menu, {"PrintSetup1", "Print Se&tup...", {}, "Set printer options"},
                     [this] { PrintSetup1Click(); }));
    // Present but disabled: the Preview button previews.
    document(AddItem(menu, {"PrintPreview1", "Print Preview...", {}, nullptr}, [this] {
        PrintPreview1Click();
    }))->setEnabled(false);
    menu->addSeparator();
    AddItem(menu, {"Exit1", "E&xit", {}, "Close this application"}, [this] { close(); });
}

void TEditorMainForm::CreateEditMenu() {
    QMenu* menu = m_editMenu = AddMenu("Edit1", "&Edit", "Edit related functions");
    TLexipad& pad = *m_lexipad1;
    m_editItems.undo =
        AddItem(menu, {"Undo1", "&Undo", {}, "Undo the last action"}, [&pad] { UndoCommand(pad); });
    m_editItems.redo = AddItem(menu, {"Redo1", "&Redo", {}, "Redo the last undo action"},
                               [&pad] { RedoCommand(pad); });
    menu->addSeparator();
    m_editItems.cut = AddItem(menu, {"Cut1", "Cu&t", {}, "Cut selected text to the clipboard"},
                              [&pad] { pad.CutToClipboard(); });
    m_editItems.copy = AddItem(menu, {"Copy1", "&Copy", {}, "Copy selected text to the clipboard"},
                               [&pad] { pad.CopyToClipboard(); });
    m_editItems.paste = AddItem(menu, {"Paste1", "&Paste", {}, "Paste text from clipboard"},
                                [&pad] { pad.PasteFromClipboard(); });
    m_editItems.deleteSelection = AddItem(menu, {"Delete1", "&Delete", {}, "Delete selected text"},
                                          [&pad] { DeleteSelection(pad); });
    AddItem(menu, {"SelectAll1", "Select &All", Key(Qt::CTRL | Qt::Key_A), "Select all text"},
            [&pad] { pad.SelectAll(); });
    menu->addSeparator();
    AddItem(menu,
            {"Upper1", "Upper", Key(Qt::CTRL | Qt::Key_F5), "Convert selected text to uppercase"},
            [&pad] { ConvertSelection(pad, TCaseConversion::Upper); });
    AddItem(menu,
            {"Lower1", "Lower", Key(Qt::SHIFT | Qt::Key_F5), "Convert selected text to lower case"},
            [&pad] { ConvertSelection(pad, TCaseConversion::Lower); });
    AddItem(menu, {"Capitalise1", "Capitalise", Key(Qt::Key_F5), nullptr},
            [&pad] { ConvertSelection(pad, TCaseConversion::Capitalise); });
    connect(menu, &QMenu::aboutToShow, this, [this] { Edit1Click(); });
}

void TEditorMainForm::CreateOptionsMenu() {
    QMenu* menu = m_optionsMenu = AddMenu("Options1", "&Options", "Application options");
    AddItem(menu, {"Properties2", "&Properties...", {}, "Alter display settings"},
            [this] { Properties1Click(); });
    AddItem(menu, {"Font1", "&Font...", {}, "Choose the font of the editor"},
            [this] { Font1Click(); });
    AddItem(
        menu,
        {"Linenumberfont1", "&Line number font...", {}, "Enable/Disable line numbers in gutter"},
        [this] { Linenumberfont1Click(); });
    menu->addSeparator();
    AddProgrammerItems(menu);
    menu->addSeparator();
    AddBootloaderItems(menu);
    menu->addSeparator();
    AddItem(menu,
            {"DownloadItem", "Download", Key(Qt::Key_F11), "Program the PIC via the Downloader"},
            [this] { DownloadButtonClick(); });
    AddItem(menu, {"CompileBASIC", "Compile", Key(Qt::Key_F9), "Compile the BASIC Program"},
            [this] { CompileButtonClick(); });
    AddItem(menu,
            {"ProgramPIC", "Program", Key(Qt::Key_F10),
             "Program the PIC using a conventional programmer"},
            [this] { ProgramButtonClick(); });
    AddRunMenu(menu, "Run1");
}

// A separator and a "Run" sub-menu holding one empty placeholder, hidden and
// disabled until the first activation finds programs.
void TEditorMainForm::AddRunMenu(QMenu* parent, const char* name) {
    QAction* separator = parent->addSeparator();
    QMenu* run = AddSubMenu(parent, name, "Run", nullptr);
    run->addAction(QString())->setEnabled(false);
    for (QAction* item : {separator, run->menuAction()}) {
        item->setVisible(false);
        item->setEnabled(false);
        m_runItems.push_back(item);
    }
}

void TEditorMainForm::CreateViewMenu() {
    QMenu* menu = m_viewMenu = AddMenu("View1", "View", nullptr);
    auto toggle = [this, menu](const TItem& item, const std::function<void()>& handler) {
        QAction* action = AddItem(menu, item, {});
        action->setCheckable(true);
        // A checkable item checks itself when triggered; the commands decide.
        connect(action, &QAction::triggered, this, [action, handler] {
            action->setChecked(!action->isChecked());
            RunCommand(handler);
        });
        return action;
    };
    m_showReport = toggle(
        {"ShowReport", "REPORT Window", Key(Qt::Key_F1), "Show the Compiler's report window"},
        [this] { showReportClick(); });
    m_showAsm = toggle({"ShowAsm", "ASSEMBLER Data", Key(Qt::Key_F2), "View the ASM code produced"},
                       [this] {
                           if (m_outputViews) m_outputViews->ShowAsmClick(CurrentAsmPath());
                       });
    m_showHex = toggle(
        {"ShowHEX", "PROGRAM Data", Key(Qt::Key_F4), "View the Program HEX code produced"}, [this] {
            if (m_outputViews) m_outputViews->ShowHexClick(CurrentHexPath());
        });
    m_showData = toggle(
        {"ShowData", "EEPROM Data", Key(Qt::Key_F6), "View the Eeprom Data code produced (if any)"},
        [this] {
            if (m_outputViews) m_outputViews->ShowDataClick(CurrentHexPath());
        });
    menu->addSeparator();
    AddItem(menu, {"SerialTerminal1", "Serial Terminal", {}, nullptr},
            [this] { Terminal1Click(); });
    menu->addSeparator();
    AddItem(menu, {"Calculator1", "Calculator", {}, nullptr}, [this] { CalculatorItemClick(); });
    AddItem(menu, {"ASCIITable1", "ASCII Table", {}, nullptr}, [this] {
        if (m_outputViews) m_outputViews->ShowAsciiClick();
    });
    // Beyond the report window's toggle: report lines that lead to the source.
    menu->addSeparator();
    AddItem(menu,
            {"NextError1", "Next error", Key(Qt::Key_F8),
             "Go to the source line named by the next report line"},
            [this] { NextErrorClick(); });
    AddItem(menu,
            {"PreviousError1", "Previous error", Key(Qt::SHIFT | Qt::Key_F8),
             "Go to the source line named by the previous report line"},
            [this] { PreviousErrorClick(); });
}

void TEditorMainForm::CreateHelpMenu() {
    QMenu* menu = AddMenu("Help1", "&Help", "Help");
    AddItem(menu, {"HelpMenuItem", "Help", {}, "Load the compiler's help file"},
            [this] { HelpMenuItemClick(); });
    AddItem(menu, {"UserGuide1", "User &Guide", {}, "Read the user guide of this editor"},
            [this] { UserGuideClick(); });
    AddItem(menu, {"About1", "&About", {}, "Application information"}, [this] { About1Click(); });
}

// --- the tool bar --------------------------------------------------------------------

void TEditorMainForm::CreateToolBar() {
    m_toolpanel = new QToolBar(this);
    m_toolpanel->setObjectName(QStringLiteral("Toolpanel"));
    m_toolpanel->setMovable(false);
    m_toolpanel->setFloatable(false);
    m_toolpanel->setIconSize(QSize(16, 16));
    m_toolpanel->setFixedHeight(30);
    m_toolpanel->toggleViewAction()->setVisible(false);
    addToolBar(Qt::TopToolBarArea, m_toolpanel);
    TLexipad& pad = *m_lexipad1;
    const struct {
        TItem item;
        TToolGlyph glyph;
        std::function<void()> handler;
        QAction** slot;
    } buttons[] = {
        {{"NewButton", "New", {}, "Create a new file"},
         TToolGlyph::New,
         [this] { NewButtonClick(); },
         nullptr},
        {{"OpenButton", "Open", {}, "Open an existing file"},
         TToolGlyph::Open,
         [this] { OpenButtonClick(); },
         nullptr},
        {{"SaveButton", "Save", {}, "Save current file"},
         TToolGlyph::Save,
         [this] { SaveButtonClick(); },
         &m_tools.save},
        {{"PrintButton", "Print", {}, "Print current file"},
         TToolGlyph::Print,
         [this] { PrintButtonClick(); },
         &m_tools.print},
        {{"PreviewButton", "Preview", {}, "Preview print of current file"},
         TToolGlyph::Preview,
         [this] { PrintPreview1Click(); },
         &m_tools.preview},
        {{"CutButton", "Cut", {}, "Cut selection to clipboard"},
         TToolGlyph::Cut,
         [&pad] { pad.CutToClipboard(); },
         &m_tools.cut},
        {{"CopyButton", "Copy", {}, "Copy selection to clipboard"},
         TToolGlyph::Copy,
         [&pad] { pad.CopyToClipboard(); },
         &m_tools.copy},
        {{"PasteButton", "Paste", {}, "Paste clipboard to file"},
         TToolGlyph::Paste,
         [&pad] { pad.PasteFromClipboard(); },
         &m_tools.paste},
        {{"UndoButton", "Undo", {}, "Undo last action"},
         TToolGlyph::Undo,
         [&pad] { UndoCommand(pad); },
         &m_tools.undo},
        {{"RedoButton", "Redo", {}, "Redo last action"},
         TToolGlyph::Redo,
         [&pad] { RedoCommand(pad); },
         &m_tools.redo},
        {{"IndentButton", "Indent", {}, "Indent selected lines"},
         TToolGlyph::Indent,
         [&pad] { pad.Perform(LPM_BLOCKINDENT, 0, 0); },
         &m_tools.indent},
        {{"UndentButton", "Un-indent", {}, "Un-indent selected lines"},
         TToolGlyph::Undent,
         [&pad] { pad.Perform(LPM_BLOCKUNINDENT, 0, 0); },
         &m_tools.undent},
        {{"CompileButton", "Compile", {}, "Compile the BASIC Program"},
         TToolGlyph::Compile,
         [this] { CompileButtonClick(); },
         &m_tools.compile},
        {{"ProgramButton", "Program", {}, "Program PIC device"},
         TToolGlyph::Program,
         [this] { ProgramButtonClick(); },
         &m_tools.program},
        {{"DownloadButton", "Download", {}, "Download the HEX file Serially"},
         TToolGlyph::Download,
         [this] { DownloadButtonClick(); },
         &m_tools.download},
        {{"ASMButton", "ASM", {}, "Display compiled code"},
         TToolGlyph::Asm,
         [this] { m_showAsm->trigger(); },
         &m_tools.asmListing},
    };
    // Groups as on the bar: file, print, clipboard, undo, indent, build.
    constexpr int kGroupEnds[] = {2, 4, 7, 9, 11};
    int index = 0;
    for (const auto& button : buttons) {
        QAction* action = MakeItem(m_toolpanel, button.item);
        action->setIcon(ToolGlyph(button.glyph));
        action->setToolTip(QString::fromLatin1(button.item.hint));
        connect(action, &QAction::triggered, this,
                [handler = button.handler] { RunCommand(handler); });
        m_toolpanel->addAction(action);
        if (auto* widget = qobject_cast<QToolButton*>(m_toolpanel->widgetForAction(action)))
            widget->setAutoRaise(true); // flat until the mouse is over it
        if (button.slot) *button.slot = action;
        if (std::find(std::begin(kGroupEnds), std::end(kGroupEnds), index++) !=
            std::end(kGroupEnds))
            m_toolpanel->addSeparator();
    }
}

// --- the pop-up menus ----------------------------------------------------------------

void TEditorMainForm::CreateEditorPopup() {
    QMenu* menu = m_editorPopup = new QMenu(this);
    menu->setObjectName(QStringLiteral("PopupMenu1"));
    TLexipad& pad = *m_lexipad1;
    QAction* close =
        AddItem(menu, {"Closepage1", "Close page", Key(Qt::CTRL | Qt::Key_F4), nullptr},
                [this] { Close1Click(); });
    addAction(close); // its key works wherever the window has the focus
    menu->addSeparator();
    m_popupItems.cut =
        AddItem(menu, {"Cut2", "Cut", {}, nullptr}, [&pad] { pad.CutToClipboard(); });
    m_popupItems.copy =
        AddItem(menu, {"Copy2", "Copy", {}, nullptr}, [&pad] { pad.CopyToClipboard(); });
    m_popupItems.paste =
        AddItem(menu, {"Paste2", "Paste", {}, nullptr}, [&pad] { pad.PasteFromClipboard(); });
    m_popupItems.deleteSelection =
        AddItem(menu, {"Delete2", "Delete", {}, nullptr}, [&pad] { DeleteSelection(pad); });
    AddItem(menu, {"Selectall2", "Select all", {}, nullptr}, [&pad] { pad.SelectAll(); });
    menu->addSeparator();
    AddBookmarkItems(AddSubMenu(menu, "ToggleBookmark", "Toggle bookmark", nullptr),
                     [&pad](const std::string& caption) { ToggleBookmarkCommand(pad, caption); });
    AddBookmarkItems(AddSubMenu(menu, "GotoBookmark", "Goto bookmark", nullptr),
                     [&pad](const std::string& caption) { GotoBookmarkCommand(pad, caption); });
    menu->addSeparator();
    AddItem(menu, {"Compile2", "Compile", {}, nullptr}, [this] { CompileButtonClick(); });
    AddItem(menu, {"ProgramPIC2", "Program PIC", {}, nullptr}, [this] { ProgramButtonClick(); });
    AddItem(menu, {"DownloadProgram1", "Download Program", {}, nullptr},
            [this] { DownloadButtonClick(); });
    AddRunMenu(menu, "Run2");
    connect(menu, &QMenu::aboutToShow, this, [this] { PopupMenu1Popup(); });
    m_lexipad1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_lexipad1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { m_editorPopup->popup(m_lexipad1->mapToGlobal(at)); });
}

// The item's caption decides the bookmark, as the command reads it.
void TEditorMainForm::AddBookmarkItems(QMenu* menu,
                                       const std::function<void(const std::string&)>& command) {
    for (char digit = '0'; digit <= '9'; ++digit) {
        std::string caption = std::string("Bookmark &") + digit;
        QAction* action = menu->addAction(QString::fromStdString(caption));
        action->setObjectName(menu->objectName() + QLatin1Char(digit));
        connect(action, &QAction::triggered, this,
                [action, command] { RunCommand([&] { command(ToAnsi(action->text())); }); });
    }
}

// The tab pop-up acts on the document shown; its Close page shows the key
// that the editor pop-up's item answers.
void TEditorMainForm::CreateTabPopup() {
    m_tabPopup = new QMenu(this);
    m_tabPopup->setObjectName(QStringLiteral("TabPopup"));
    QAction* close =
        AddItem(m_tabPopup, {"Closepage2", "Close page", Key(Qt::CTRL | Qt::Key_F4), nullptr},
                [this] { Close1Click(); });
    close->setShortcutContext(Qt::WidgetShortcut);
    AddItem(m_tabPopup, {"ReOpenFile", "Re-Open File", {}, nullptr}, [this] { ReOpenFileClick(); });
    connect(m_openFilesTab, &TOpenFilesTab::PopupRequested, this,
            [this](const QPoint& at) { m_tabPopup->popup(at); });
}

// --- enabling ------------------------------------------------------------------------

void TEditorMainForm::Edit1Click() {
    m_editItems.undo->setEnabled(m_tools.undo->isEnabled());
    m_editItems.redo->setEnabled(m_tools.redo->isEnabled());
    m_editItems.paste->setEnabled(m_tools.paste->isEnabled());
    m_editItems.cut->setEnabled(m_tools.cut->isEnabled());
    m_editItems.copy->setEnabled(m_tools.copy->isEnabled());
    m_editItems.deleteSelection->setEnabled(m_lexipad1->SelLength() > 0);
}

void TEditorMainForm::PopupMenu1Popup() {
    m_popupItems.paste->setEnabled(m_tools.paste->isEnabled());
    m_popupItems.cut->setEnabled(m_tools.cut->isEnabled());
    m_popupItems.copy->setEnabled(m_tools.copy->isEnabled());
    m_popupItems.deleteSelection->setEnabled(m_lexipad1->SelLength() > 0);
}

// The status refresh shows the document controls while a document is open
// and enables the buttons from the editor's state; the Edit and pop-up items
// follow the buttons at once, so they are right whenever a key reaches them.
void TEditorMainForm::ShowToolStates(const TDocumentStatus& status) {
    bool open = status.documents;
    for (QAction* button :
         {m_tools.save, m_tools.cut, m_tools.copy, m_tools.paste, m_tools.undo, m_tools.redo,
          m_tools.print, m_tools.preview, m_tools.indent, m_tools.undent, m_tools.compile,
          m_tools.program, m_tools.download, m_tools.asmListing})
        button->setVisible(open);
    for (QMenu* menu : {m_editMenu, m_searchMenu, m_optionsMenu, m_viewMenu})
        menu->menuAction()->setVisible(open);
    if (!open) return;
    TEditItemStates states = EditItemStates(status);
    m_tools.save->setEnabled(true);
    m_tools.program->setEnabled(true);
    m_tools.download->setEnabled(true);
    m_tools.undo->setEnabled(states.undo);
    m_tools.redo->setEnabled(states.redo);
    m_tools.paste->setEnabled(states.paste);
    for (QAction* button : {m_tools.cut, m_tools.copy, m_tools.indent, m_tools.undent})
        button->setEnabled(states.cut);
    Edit1Click();
    PopupMenu1Popup();
}

// A change of the clipboard changes what Paste can do.
void TEditorMainForm::WatchClipboard() {
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        if (m_documents && m_shown) m_documents->Lexipad1Change();
    });
}

} // namespace quarno
