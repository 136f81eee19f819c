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

class TCompileCommand {
public:
    TCompileCommand(TDocumentTabs& documents, TPrompts& prompts, TProcesses& processes,
                    std::string applicationFolder);

    // Answers whether the compiler was run (its start is not checked).
    bool CompileButtonClick();

    // Shows (true) or hides (false) the compile wait window.
    std::function<void(bool)> OnWaitWindow;
    // The compiler has ended: the output views are refreshed.
    std::function<void()> OnCompiled;

private:
    bool ConfirmNonBasic(const std::string& fileName);
    // Saves a named document, or asks for a name first; false ends the command.
    bool SaveForCompiling(const std::string& fileName);

    TDocumentTabs& m_documents;
    TPrompts& m_prompts;
    TProcesses& m_processes;
    std::string m_applicationFolder;
};

} // namespace quarno
