// The main window's Search menu: Find, Replace, Search Again, Show all and Go
// to line, the dialogs they open, and the drawing and removal of the marks of
// Show all.
#include "qt/app/TEditorMainForm.h"

#include "core/app/GotoLine.h"
#include "core/app/SearchMarks.h"
#include "core/app/TDocumentTabs.h"
#include "core/app/TSearchCommands.h"
#include "qt/base/CommandBoundary.h"
#include "qt/dialogs/TEdFindDlg.h"
#include "qt/dialogs/TEdReplDlg.h"
#include "qt/dialogs/TGotoLineDialog.h"
#include "qt/editor/TLexipad.h"

#include <QAction>
#include <QMenu>
#include <QPainter>

namespace quarno {

void TEditorMainForm::CreateSearchMenu() {
    QMenu* menu = m_searchMenu = AddMenu("Search1", "&Search", "Search & replace functions");
    AddItem(menu, {"Find1", "&Find...", QKeySequence(Qt::CTRL | Qt::Key_F), "Find text"},
            [this] { Find1Click(); });
    AddItem(menu, {"Replace1", "&Replace...", QKeySequence(Qt::CTRL | Qt::Key_R), "Replace text"},
            [this] { Replace1Click(); });
    m_searchAgain = AddItem(
        menu,
        {"Searchagain1", "&Search Again", QKeySequence(Qt::Key_F3), "Repeat last find operation"},
        [this] { Searchagain1Click(); });
    m_searchAgain->setEnabled(false);
    AddItem(menu, {"Showall1", "Show &all", {}, nullptr}, [this] { Showall1Click(); });
    AddItem(menu,
            {"Gotolinenumber1", "&Goto line number", QKeySequence(Qt::ALT | Qt::Key_G),
             "Goto a line number in the current file"},
            [this] { Gotolinenumber1Click(); });
}

// The commands work on the documents, so they come once those exist.
void TEditorMainForm::ConnectSearchCommands() {
    m_searchCommands = std::make_unique<TSearchCommands>(*m_documents, m_seams.Prompts());
    m_searchCommands->SetPersistent(m_persistent.get());
    m_lexipad1->OnTextChange = [this](TCustomLexipad&, int, int) {
        if (m_documents && m_searchCommands) m_searchCommands->TextChanged();
    };
    m_lexipad1->OnDrawMark = [](TLexipad&, QPainter& dc, const QRect& rect, TRangeMark& mark) {
        Lexipad1DrawMark(dc, rect, mark);
    };
}

void TEditorMainForm::SetSearchDialogs(TEdFindDlg& find, TEdReplDlg& replace,
                                       TGotoLineDialog& gotoLine) {
    m_findDlg = &find;
    m_replDlg = &replace;
    m_gotoLineDlg = &gotoLine;
    connect(&gotoLine, &QDialog::accepted, this, [this] {
        if (m_documents->Current() && m_gotoLineDlg)
            RunCommand([this] { GotoLine(*m_lexipad1, m_gotoLineDlg->Value()); });
    });
}

// The status refresh: the menu shows with the documents, and Search Again
// once there is a search to repeat.
void TEditorMainForm::ApplySearchMenu(const TDocumentStatus& status) {
    if (!m_searchMenu) return;
    m_searchMenu->menuAction()->setVisible(status.documents);
    m_searchAgain->setEnabled(status.documents && status.canSearchAgain);
    if (status.documents) return;
    // With the last document gone there is nothing left to search.
    for (TEdSearchDlg* dialog :
         {static_cast<TEdSearchDlg*>(m_findDlg), static_cast<TEdSearchDlg*>(m_replDlg)})
        if (dialog && dialog->isVisible()) dialog->reject();
}

// One dialog at a time: each keeps the selection visible while it is open
// and writes its histories when it closes.
void TEditorMainForm::OpenSearchDialog(TEdSearchDlg* dialog, TEdSearchDlg* other) {
    if (!dialog || !m_documents->Current()) return;
    if (other && other->isVisible()) other->reject();
    dialog->Open(*m_lexipad1, *m_searchCommands, m_searchCommands->InitialText(),
                 m_searchCommands->StoredOptions());
}

void TEditorMainForm::Find1Click() {
    OpenSearchDialog(m_findDlg, m_replDlg);
}

void TEditorMainForm::Replace1Click() {
    OpenSearchDialog(m_replDlg, m_findDlg);
}

void TEditorMainForm::Searchagain1Click() {
    if (m_documents->Current()) m_searchCommands->SearchAgain();
}

void TEditorMainForm::Showall1Click() {
    if (!m_documents->Current()) return;
    if (!m_searchCommands->ShowAll()) Find1Click();
}

void TEditorMainForm::Gotolinenumber1Click() {
    if (!m_gotoLineDlg || !m_documents->Current()) return;
    m_gotoLineDlg->Open(GotoLineRange(*m_lexipad1), m_seams.Prompts());
}

// The marks of Show all invert what lies under them, as an exclusive-or with
// white would, keeping the surface's alpha. The window makes no other marks;
// any other would go undrawn, as the handler takes them all.
void TEditorMainForm::Lexipad1DrawMark(QPainter& dc, const QRect& rect, TRangeMark& mark) {
    if (!IsSearchMark(mark)) return;
    dc.setCompositionMode(QPainter::CompositionMode_Difference);
    dc.fillRect(rect, Qt::white);
}

TSearchCommands& TEditorMainForm::SearchCommands() const {
    return *m_searchCommands;
}

} // namespace quarno
