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
#include <QMenuBar>
#include <QPainter>

namespace quarno {

namespace {

// The menu bar entry whose menu is captioned text (mnemonics ignored).
QAction* MenuEntry(QMenuBar& bar, const QString& text) {
    for (QAction* entry : bar.actions())
        if (entry->menu() && entry->text().remove(QLatin1Char('&')) == text) return entry;
    return nullptr;
}

// The entry after another one, or null when it is the last.
QAction* EntryAfter(QMenuBar& bar, QAction* entry) {
    QList<QAction*> entries = bar.actions();
    qsizetype index = entries.indexOf(entry);
    return index >= 0 && index + 1 < entries.size() ? entries[index + 1] : nullptr;
}

} // namespace

// After the Edit menu, or after File while there is no Edit menu.
void TEditorMainForm::CreateSearchMenu() {
    m_searchMenu = new QMenu(QStringLiteral("&Search"), this);
    m_searchMenu->setObjectName(QStringLiteral("Search1"));
    m_searchMenu->menuAction()->setStatusTip(QStringLiteral("Search & replace functions"));
    QMenuBar& bar = *menuBar();
    QAction* previous = MenuEntry(bar, QStringLiteral("Edit"));
    if (!previous) previous = MenuEntry(bar, QStringLiteral("File"));
    QAction* next = previous ? EntryAfter(bar, previous) : nullptr;
    if (next)
        bar.insertMenu(next, m_searchMenu);
    else
        bar.addMenu(m_searchMenu);

    auto add = [this](const char* name, const char* text, const QKeySequence& keys,
                      const char* hint, void (TEditorMainForm::*handler)()) {
        QAction* action = m_searchMenu->addAction(QString::fromLatin1(text));
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(keys);
        if (hint) action->setStatusTip(QString::fromLatin1(hint));
        connect(action, &QAction::triggered, this,
                [this, handler] { RunCommand([this, handler] { (this->*handler)(); }); });
        return action;
    };
    add("Find1", "&Find...", QKeySequence(Qt::CTRL | Qt::Key_F), "Find text",
        &TEditorMainForm::Find1Click);
    add("Replace1", "&Replace...", QKeySequence(Qt::CTRL | Qt::Key_R), "Replace text",
        &TEditorMainForm::Replace1Click);
    m_searchAgain = add("Searchagain1", "&Search Again", QKeySequence(Qt::Key_F3),
                        "Repeat last find operation", &TEditorMainForm::Searchagain1Click);
    m_searchAgain->setEnabled(false);
    add("Showall1", "Show &all", {}, nullptr, &TEditorMainForm::Showall1Click);
    add("Gotolinenumber1", "&Goto line number", QKeySequence(Qt::ALT | Qt::Key_G),
        "Goto a line number in the current file", &TEditorMainForm::Gotolinenumber1Click);
    ConnectSearchCommands();
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
