// The Compile command.
#include "core/toolchain/TCompileCommand.h"

#include "core/app/TDocumentTabs.h"
#include "core/app/TFileObject.h"
#include "core/app/TProcesses.h"
#include "core/app/TPrompts.h"
#include "core/base/FileUtils.h"
#include "core/base/StringUtils.h"
#include "core/toolchain/CompilerInterface.h"

namespace quarno {

TCompileCommand::TCompileCommand(TDocumentTabs& documents, TPrompts& prompts, TProcesses& processes,
                                 std::string applicationFolder)
    : m_documents(documents), m_prompts(prompts), m_processes(processes),
      m_applicationFolder(std::move(applicationFolder)) {}

TCompileOutcome TCompileCommand::CompileButtonClick() {
    TFileObject* document = m_documents.Current();
    if (!document) return TCompileOutcome::NotRun;
    std::string fileName = document->FileName();
    if (!IsBasicSource(fileName) && !ConfirmNonBasic(fileName)) return TCompileOutcome::NotRun;
    if (!SaveForCompiling(fileName)) return TCompileOutcome::NotRun;
    document = m_documents.Current();
    if (!document || document->FileName() == kUntitledName) return TCompileOutcome::NotRun;
    std::string message;
    TCompileOutcome outcome = RunCompiler(document->FileName(), message);
    if (OnCompiled) OnCompiled(outcome, message);
    return outcome;
}

TCompileOutcome TCompileCommand::RunCompiler(const std::string& source, std::string& message) {
    for (const char* ext : {".KBR", ".HEX", ".ASM"})
        RemoveCompilerOutput(source, ext);
    TLaunchPlan plan = CompilerLaunch(m_applicationFolder, source);
    if (OnWaitWindow) OnWaitWindow(true);
    bool started = m_processes.ExecuteAndWait(plan.Program, plan.Argv);
    if (OnWaitWindow) OnWaitWindow(false);
    if (!started) {
        message = m_processes.StartFailureMessage(plan.Program);
        m_prompts.Show(TPromptKind::Error, message);
        return TCompileOutcome::StartFailed;
    }
    if (FileExists(CompilerOutputPath(source, ".KBR"))) return TCompileOutcome::Compiled;
    message = kNoCompilerResult;
    return TCompileOutcome::NoResult;
}

bool TCompileCommand::ConfirmNonBasic(const std::string& fileName) {
    std::string question = Format(kNotBasicQuestion, ExtractFileName(fileName).c_str());
    return m_prompts.Show(TPromptKind::Confirmation, question, TPromptButtons::YesNo) ==
           TPromptButton::Yes;
}

// A save that failed ends the command: compiling the file on disk would
// compile something other than what the user sees.
bool TCompileCommand::SaveForCompiling(const std::string& fileName) {
    if (fileName != kUntitledName) return m_documents.SaveButtonClick();
    if (m_prompts.Show(TPromptKind::Confirmation, kUntitledCompileMessage,
                       TPromptButtons::OkCancel) != TPromptButton::Ok)
        return false;
    m_documents.SaveAs1Click();
    return true;
}

} // namespace quarno
