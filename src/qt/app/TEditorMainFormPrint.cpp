// The main window's print commands: printing the document straight to the
// printer, the print preview and the page set-up.
#include "qt/app/TEditorMainForm.h"

#include "core/app/TDocumentTabs.h"
#include "core/app/TFileDialogs.h"
#include "core/app/TPrompts.h"
#include "qt/editor/TLexipad.h"
#include "qt/print/TLexipadPrinter.h"
#include "qt/print/TPreviewPrinter.h"

#include <QPrinter>

namespace quarno {

namespace {

const char* const kPrintingText = "Printing...";
const char* const kPrintFailedMessage =
    "The document could not be printed: the printer could not be opened.";

} // namespace

void TEditorMainForm::EnsurePrinting() {
    if (m_printer) return;
    CreatePrintPreview();
    ReadDefaultPageSetup();
}

void TEditorMainForm::CreatePrintPreview() {
    m_printer = std::make_unique<QPrinter>();
    m_preview = new TPreviewPrinter(m_printer.get(), this);
    // Laying out pages is quick; the message panel shows every hundredth.
    m_preview->OnStatus = [this](TPreviewPrinter&, const std::string& message, int page, int type) {
        if (type != 0 || page % 100 == 1) m_documents->ShowTransientMessage(message);
    };
    // One printer per editor, so a print area set once stays for later prints;
    // the editor's print-selection action goes to it as well.
    m_lexipadPrinter = std::make_unique<TLexipadPrinter>(*m_lexipad1, m_printer.get());
}

// The page set-up starts from the default printer's, read without a dialog.
void TEditorMainForm::ReadDefaultPageSetup() {
    m_pageSetup = ReadPageSetup(*m_printer);
}

// A long document prints with its progress shown; Cancel stops the job.
void TEditorMainForm::PrintButtonClick() {
    EnsurePrinting();
    m_lexipadPrinter->SetPrintRect(PrintRectFromSetup(*m_printer, m_pageSetup));
    TProgress& progress = m_seams.Progress();
    bool cancelled = false;
    progress.Begin(kPrintingText, 0);
    bool printed = m_lexipadPrinter->Print([&](int page) {
        cancelled = !progress.Step(page);
        return !cancelled;
    });
    progress.End();
    if (!printed && !cancelled) m_seams.Prompts().Show(TPromptKind::Error, kPrintFailedMessage);
}

void TEditorMainForm::PrintPreview1Click() {
    EnsurePrinting();
    PreviewEditor(*m_preview, *m_lexipad1, m_pageSetup);
}

// The dialog goes through the seam; the printer, sheet, margins and
// orientation chosen there become the printer's for Print and the preview.
void TEditorMainForm::PrintSetup1Click() {
    EnsurePrinting();
    TPageSetup initial;
    initial.left = m_pageSetup.marginLeft;
    initial.top = m_pageSetup.marginTop;
    initial.right = m_pageSetup.marginRight;
    initial.bottom = m_pageSetup.marginBottom;
    initial.portrait = m_pageSetup.orientation == poPortrait;
    QSizeF paper = m_printer->pageLayout().pageSize().size(QPageSize::Inch);
    initial.paperWidth = qRound(paper.width() * 1000);
    initial.paperHeight = qRound(paper.height() * 1000);
    initial.printerName = m_printer->printerName().toStdString();
    std::optional<TPageSetup> chosen = m_seams.FileDialogs().PageSetup(initial);
    if (!chosen) return;
    if (!chosen->printerName.empty() &&
        chosen->printerName != m_printer->printerName().toStdString())
        m_printer->setPrinterName(QString::fromStdString(chosen->printerName));
    if (chosen->paperWidth > 0 && chosen->paperHeight > 0)
        m_printer->setPageSize(QPageSize(
            QSizeF(chosen->paperWidth / 1000.0, chosen->paperHeight / 1000.0), QPageSize::Inch));
    m_pageSetup.marginLeft = chosen->left;
    m_pageSetup.marginTop = chosen->top;
    m_pageSetup.marginRight = chosen->right;
    m_pageSetup.marginBottom = chosen->bottom;
    m_pageSetup.orientation = chosen->portrait ? poPortrait : poLandscape;
    m_printer->setPageOrientation(chosen->portrait ? QPageLayout::Portrait
                                                   : QPageLayout::Landscape);
}

} // namespace quarno
