// The main window's print commands: printing the document straight to the
// printer, the print preview and the page set-up.
#include "qt/app/TEditorMainForm.h"

#include "core/app/TDocumentTabs.h"
#include "core/app/TFileDialogs.h"
#include "qt/editor/TLexipad.h"
#include "qt/print/TLexipadPrinter.h"
#include "qt/print/TPreviewPrinter.h"

#include <QAction>
#include <QMenu>
#include <QPrinter>

namespace quarno {

void TEditorMainForm::CreatePrintPreview() {
    m_printer = std::make_unique<QPrinter>();
    m_preview = new TPreviewPrinter(m_printer.get(), this);
    m_preview->OnStatus = [this](TPreviewPrinter&, const std::string& message, int, int) {
        m_documents->ShowTransientMessage(message);
    };
    // One printer per editor, so a print area set once stays for later prints;
    // the editor's print-selection action goes to it as well.
    m_lexipadPrinter = std::make_unique<TLexipadPrinter>(*m_lexipad1, m_printer.get());
    m_lexipad1->OnPrintSelection = [this](TCustomLexipad&) { m_lexipadPrinter->PrintSelection(); };
}

// The page set-up starts from the default printer's, read without a dialog.
void TEditorMainForm::ReadDefaultPageSetup() {
    m_pageSetup = ReadPageSetup(*m_printer);
}

void TEditorMainForm::AddPrintItems() {
    auto add = [this](const char* name, const char* text, void (TEditorMainForm::*handler)()) {
        QAction* action = new QAction(QString::fromLatin1(text), m_fileMenu);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    QAction* exit = m_fileMenu->findChild<QAction*>(QStringLiteral("Exit1"));
    QAction* separator = new QAction(m_fileMenu);
    separator->setSeparator(true);
    for (QAction* item :
         {add("Print1", "&Print", &TEditorMainForm::PrintButtonClick),
          add("PrintSetup1", "Print Se&tup...", &TEditorMainForm::PrintSetup1Click),
          add("PrintPreview1", "Print Preview...", &TEditorMainForm::PrintPreview1Click),
          separator}) {
        m_fileMenu->insertAction(exit, item);
        m_documentActions.push_back(item);
    }
}

void TEditorMainForm::PrintButtonClick() {
    m_lexipadPrinter->SetPrintRect(PrintRectFromSetup(*m_printer, m_pageSetup));
    m_lexipadPrinter->Print();
}

void TEditorMainForm::PrintPreview1Click() {
    PreviewEditor(*m_preview, *m_lexipad1, m_pageSetup);
}

// The dialog goes through the seam; its margins and orientation become the
// printer's.
void TEditorMainForm::PrintSetup1Click() {
    TPageSetup initial{m_pageSetup.marginLeft, m_pageSetup.marginTop, m_pageSetup.marginRight,
                       m_pageSetup.marginBottom, m_pageSetup.orientation == poPortrait};
    std::optional<TPageSetup> chosen = m_seams.FileDialogs().PageSetup(initial);
    if (!chosen) return;
    m_pageSetup.marginLeft = chosen->left;
    m_pageSetup.marginTop = chosen->top;
    m_pageSetup.marginRight = chosen->right;
    m_pageSetup.marginBottom = chosen->bottom;
    m_pageSetup.orientation = chosen->portrait ? poPortrait : poLandscape;
    m_printer->setPageOrientation(chosen->portrait ? QPageLayout::Portrait
                                                   : QPageLayout::Landscape);
}

} // namespace quarno
