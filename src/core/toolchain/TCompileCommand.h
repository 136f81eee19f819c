// The Compile command: the questions before compiling, saving the document,
// running the compiler with the wait window shown, and the refresh of what
// the compiler left behind.
#pragma once

#include <functional>
#include <string>

namespace quarno {

class TDocumentTabs;
class TProcesses;
class TPrompts;

enum class TCompileOutcome {
    NotRun,      // a question was answered No, or the save did not happen
    Compiled,    // the compiler wrote a result file
    StartFailed, // the compiler could not be started (already reported)
    NoResult,    // it ran but wrote no result file
};

// The report line of a compile that left no result.
inline constexpr const char* kNoCompilerResult = "The compiler produced no result";

class TCompileCommand {
public:
    TCompileCommand(TDocumentTabs& documents, TPrompts& prompts, TProcesses& processes,
                    std::string applicationFolder);

    // The previous build's result, HEX and listing files of the source are
    // removed before the compiler runs, so whatever the window shows after a
    // failed run can never be an earlier build taken for this one.
    TCompileOutcome CompileButtonClick();

    // Shows (true) or hides (false) the compile wait window.
    std::function<void(bool)> OnWaitWindow;
    // The compiler has ended, or could not start: the output views are
    // refreshed. message is the report line of a failed compile, else empty.
    std::function<void(TCompileOutcome outcome, const std::string& message)> OnCompiled;

private:
    bool ConfirmNonBasic(const std::string& fileName);
    // Saves a named document, or asks for a name first; false ends the command.
    bool SaveForCompiling(const std::string& fileName);
    TCompileOutcome RunCompiler(const std::string& source, std::string& message);

    TDocumentTabs& m_documents;
    TPrompts& m_prompts;
    TProcesses& m_processes;
    std::string m_applicationFolder;
};

} // namespace quarno
