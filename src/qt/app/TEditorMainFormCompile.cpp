// The main window: the Compile command, the report pane under the editor and
// the reading of the compiler's result file.
#include "qt/app/TEditorMainForm.h"

#include "core/app/TDocumentTabs.h"
#include "core/app/TFileObject.h"
#include "core/base/FileUtils.h"
#include "core/toolchain/CompilerInterface.h"
#include "core/toolchain/TCompileCommand.h"
#include "core/toolchain/TCompileResult.h"
#include "qt/app/TReportMemo.h"
#include "qt/base/CommandBoundary.h"
#include "qt/base/TextConversion.h"
#include "qt/dialogs/TDummy_Virtual_Form.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSplitter>

namespace quarno {

// The pane docks under the edit area; the user drags the splitter to size it.
void TEditorMainForm::CreateReportPane() {
    m_splitter = new QSplitter(Qt::Vertical, this);
    m_splitter->setObjectName(QStringLiteral("Splitter1"));
    m_splitter->setHandleWidth(6);
    m_splitter->setChildrenCollapsible(false);
    m_splitter->setToolTip(QStringLiteral("Resize the Report window"));
    m_reportMemo = new TReportMemo(m_splitter);
    connect(m_reportMemo, &TReportMemo::LineActivated, this,
            [this](int line) { RunCommand([this, line] { GoToReportLine(line); }); });
    m_reportMemo->setObjectName(QStringLiteral("ReportMemo"));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(13);
    font.setBold(true);
    m_reportMemo->setFont(font);
    m_reportMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_reportMemo->setMinimumHeight(20);
    m_reportMemo->setToolTip(QStringLiteral("Report and Error Window"));
    m_splitter->addWidget(m_editArea);
    m_splitter->addWidget(m_reportMemo);
    m_splitter->setStretchFactor(0, 1);
    m_reportMemo->hide();
    setCentralWidget(m_splitter);
}

QWidget* TEditorMainForm::ReportMemo() const {
    return m_reportMemo;
}

void TEditorMainForm::CompileButtonClick() {
    if (!m_compileCommand) {
        m_compileCommand = std::make_unique<TCompileCommand>(
            *m_documents, m_seams.Prompts(), m_seams.Processes(), m_globals.ApplicationFolder());
        m_compileCommand->OnWaitWindow = [this](bool shown) { ShowWaitWindow(shown); };
        // A failed compile's message stands in for the result file while the
        // views refresh (they find no file of an earlier build).
        m_compileCommand->OnCompiled = [this](TCompileOutcome, const std::string& message) {
            AcceptCompilerOutputs();
            m_compileFailure = message;
            RefreshOutputViews();
            m_compileFailure.clear();
        };
    }
    // A compiler that takes the machine down leaves the journals behind.
    m_documents->JournalModifiedDocuments();
    m_compileCommand->CompileButtonClick();
}

// Tabs showing the files the compiler just wrote are not asked about them.
void TEditorMainForm::AcceptCompilerOutputs() {
    const TFileObject* document = m_documents->Current();
    if (!document) return;
    std::vector<std::string> outputs;
    for (const char* extension : {".KBR", ".ASM", ".HEX", ".kbr", ".asm", ".hex"})
        outputs.push_back(ChangeFileExt(document->FileName(), extension));
    m_documents->AcceptOwnWrites(outputs);
}

void TEditorMainForm::ShowWaitWindow(bool shown) {
    if (m_waitWindow) {
        m_waitWindow->setEnabled(shown);
        m_waitWindow->setVisible(shown);
    }
    QApplication::processEvents(); // let it paint, or let the screen update
}

// The result is read afresh each time; an error opens the pane whatever the
// user chose, a summary makes it follow View > REPORT Window.
void TEditorMainForm::ReadCompileResult() {
    TFileObject* document = m_documents->Current();
    std::string path = document ? CompilerOutputPath(document->FileName(), ".KBR") : " ";
    TCompileResult result = m_compileFailure.empty() ? ReadCompileResultFile(path)
                                                     : FailedCompileResult(m_compileFailure);
    m_globals.SetDeviceName(result.Device);
    std::vector<std::string> panels = SummaryPanelTexts(result);
    for (size_t i = 0; i < panels.size(); ++i)
        SetPanelText(static_cast<int>(i) + 2, panels[i]);
    TReportPaneState state{!m_reportMemo->isHidden(), m_showReport && m_showReport->isChecked(),
                           m_reportShown};
    state = ReportPaneAfter(result, state);
    m_reportShown = state.ReportShown;
    if (m_showReport) m_showReport->setChecked(state.ViewChecked);
    ShowReportPane(state.PaneVisible);
    if (!m_reportMemo->isHidden()) FillReportPane(result.ReportLines);
    activateWindow();
}

void TEditorMainForm::FillReportPane(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + '\n';
    if (!text.empty()) text.pop_back();
    m_reportMemo->setPlainText(FromAnsi(text));
}

void TEditorMainForm::ShowReportPane(bool shown) {
    m_reportMemo->setVisible(shown);
}

void TEditorMainForm::showReportClick() {
    if (m_showReport->isChecked()) {
        m_showReport->setChecked(false);
        ShowReportPane(false);
    } else {
        m_showReport->setChecked(true);
        ShowReportPane(true);
        ReadCompileResult();
    }
    activateWindow();
}

} // namespace quarno
