// The assembler listing window.
#include "qt/viewers/TASMList.h"

#include "core/app/ProcessCommand.h"
#include "core/base/Exceptions.h"
#include "core/base/FileUtils.h"
#include "core/base/ProgramSearch.h"
#include "core/base/StringUtils.h"
#include "core/editor/LexipadMessages.h"
#include "core/highlight/ShippedLanguages.h"
#include "core/highlight/TLexipadParser.h"
#include "core/settings/TLP_Style.h"
#include "core/toolchain/AssemblerCommand.h"
#include "qt/editor/TLexipad.h"

#include <QMenu>
#include <QVBoxLayout>

namespace quarno {

namespace {

constexpr const char* kNoAssembler =
    "the file does not exist, and gputils' gpasm is not installed either (install the package "
    "gputils to assemble on Linux)";
constexpr const char* kAssemblerErrors = "The assembler found errors (%s):";
constexpr size_t kErrorLinesShown = 20;
constexpr int32_t kSelectionBack = 0x682400; // RGB(0, 36, 104) in the 0x00BBGGRR form

} // namespace

TASMList::TASMList(const TAppSeams& seams, QWidget* parent)
    : TOutputWindow(kAsmListBoundsKeys, parent), m_seams(seams), m_parser(MakeShippedParser("asm")),
      m_asmText(new TLexipad(this)) {
    setObjectName(QStringLiteral("ASMList"));
    setWindowTitle(QStringLiteral("ASSEMBLER Listing"));
    setGeometry(662, 252, 402, 500);
    m_parser->SetName("LexipadParser1");
    m_parser->SetUseRegistry(false);
    m_asmText->setObjectName(QStringLiteral("ASMText"));
    ConfigureEditor();
    BuildPopup();
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(m_asmText);
}

// The parser goes first: its settings are the ones the values below land in.
TASMList::~TASMList() {
    m_asmText->SetParser(1, nullptr);
}

void TASMList::ConfigureEditor() {
    TLexipad& pad = *m_asmText;
    pad.SetParser(1, m_parser.get());
    pad.SetActiveParser(1);
    QFont font(QStringLiteral("Courier New"));
    font.setPointSize(10);
    pad.SetFont(font);
    pad.SetGutterFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    pad.SetOptions(smoSyntaxHighlight | smoAutoIndent | smoWordSelect | smoShowGutter |
                   smoBlockOverwriteCursor | smoUseTAB | smoOLEDragSource | smoLineNumbers);
    pad.SetIndentStep(8);
    pad.SetTabDefault(8);
    pad.SetMargin(2);
    pad.SetRightMargin(80);
    pad.SetWrapAtColumn(0);
    pad.SetSelTextColor(colors::White);
    pad.SetSelTextBack(kSelectionBack);
    pad.SetClipCopyFormats(smTEXT | smRTF);
    pad.SetSaveFormat(sfTEXT);
    pad.SetMonoPrint(true);
    pad.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&pad, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        ASM_POPUPPopup();
        m_popup->popup(m_asmText->mapToGlobal(at));
    });
}

QAction* TASMList::AddItem(const char* name, const char* caption, void (TASMList::*handler)()) {
    QAction* action = m_popup->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    return action;
}

void TASMList::BuildPopup() {
    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("ASM_POPUP"));
    AddItem("Undo1", "Undo", &TASMList::Undo1Click);
    AddItem("Redo1", "Redo", &TASMList::Redo1Click);
    m_popup->addSeparator();
    m_cut = AddItem("Cut1", "Cut", &TASMList::Cut1Click);
    m_copy = AddItem("Copy1", "Copy", &TASMList::Copy1Click);
    m_paste = AddItem("Paste1", "Paste", &TASMList::Paste1Click);
    m_popup->addSeparator();
    AddItem("Assemble1", "Re-Assemble", &TASMList::Assemble1Click);
    AddItem("Assemble_AS", "Re-Assemble as...", &TASMList::Assemble_ASClick);
}

void TASMList::ASM_POPUPPopup() {
    bool selected = m_asmText->SelLength() > 0;
    m_cut->setEnabled(selected);
    m_copy->setEnabled(selected);
    m_paste->setEnabled(m_asmText->Perform(LPM_CANPASTE, 0, 0) != 0);
}

void TASMList::LoadListing(const std::string& asmPath) {
    m_asmPath = asmPath;
    if (!asmPath.empty() && FileExists(asmPath))
        m_asmText->LoadFromFile(asmPath);
    else
        m_asmText->SetText("");
}

void TASMList::Undo1Click() {
    m_asmText->Perform(EM_UNDO, 0, 0);
}
void TASMList::Redo1Click() {
    m_asmText->Perform(LPM_REDO, 0, 0);
}
void TASMList::Cut1Click() {
    m_asmText->Perform(WM_CUT, 0, 0);
}
void TASMList::Copy1Click() {
    m_asmText->Perform(WM_COPY, 0, 0);
}
void TASMList::Paste1Click() {
    m_asmText->Perform(WM_PASTE, 0, 0);
}

// A failed save is reported and the assembler is not started; whether the
// assembler could be started is not reported.
void TASMList::Assemble1Click() {
    try {
        m_asmText->SaveToFile(m_asmPath);
    } catch (const Exception& error) {
        m_seams.Prompts().ShowException(error.what());
        return;
    }
    RunAssembler(false);
}

// The text goes to the chosen file; the assembler is handed the window's
// listing path, as it is on disk.
void TASMList::Assemble_ASClick() {
    TFileDialogOptions options;
    options.fileName = m_asmPath;
    options.filter = "ASSEMBLER files|*.asm";
    std::optional<std::string> chosen = m_seams.FileDialogs().SaveFile(options);
    if (!chosen) return;
    try {
        m_asmText->SaveToFile(*chosen);
    } catch (const Exception& error) {
        m_seams.Prompts().ShowException(error.what());
        return;
    }
    RunAssembler(true);
}

// Without either assembler, or when the one there cannot be started, the
// user is told why; gpasm's errors are shown from its error file.
void TASMList::RunAssembler(bool hexFormatSwitch) {
    TAssemblerRun run =
        AssemblerLaunch(m_incFolder, m_asmPath, hexFormatSwitch, FindProgramOnPath(kGpasmProgram));
    if (run.Missing) {
        m_seams.Prompts().ShowException(ProblemRunningMessage(run.Plan.Program, kNoAssembler));
        return;
    }
    if (!m_seams.Processes().ExecuteAndWait(run.Plan.Program, run.Plan.Argv)) {
        m_seams.Prompts().ShowException(m_seams.Processes().StartFailureMessage(run.Plan.Program));
        return;
    }
    if (run.Kind == TAssemblerKind::Gpasm) ShowAssemblerErrors(FinishGpasmOutputs(m_asmPath));
    if (OnAssembled) OnAssembled();
}

void TASMList::ShowAssemblerErrors(const std::string& errors) {
    if (errors.empty()) return;
    std::string text = Format(kAssemblerErrors, ChangeFileExt(m_asmPath, ".ERR"));
    std::vector<std::string> lines = SplitLines(errors);
    for (size_t i = 0; i < lines.size() && i < kErrorLinesShown; ++i)
        text += "\r\n" + lines[i];
    if (lines.size() > kErrorLinesShown) text += "\r\n...";
    m_seams.Prompts().Show(TPromptKind::Error, text);
}

} // namespace quarno
