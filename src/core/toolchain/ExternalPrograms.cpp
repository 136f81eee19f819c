// The programs of the external-programs folder and the hand-back file.
#include "core/toolchain/ExternalPrograms.h"

#include "core/app/TProcesses.h"
#include "core/base/FileUtils.h"
#include "core/base/StringUtils.h"
#include "core/editor/LexipadMessages.h"
#include "core/editor/TCustomLexipad.h"
#include "core/viewers/TFileScan.h"

namespace quarno {

std::string ExternalProgramsFolder(const std::string& incFolder) {
    return incFolder + kExternalProgramsFolder;
}

std::vector<std::string> ListExternalPrograms(const std::string& incFolder) {
    TFileScan scan;
    scan.SetFileSpecs("*.exe");
    scan.SetDirectory(ExternalProgramsFolder(incFolder));
    scan.SetStartScan(true);
    return scan.FoundItems();
}

std::optional<TLaunchPlan> ExternalProgramLaunch(const std::string& incFolder,
                                                 const std::string& caption) {
    std::string path = ExternalProgramsFolder(incFolder) + caption;
    if (caption.empty() || !FileExists(path)) return std::nullopt;
    return TLaunchPlan{path, "", {}, true};
}

std::optional<std::string> TakeHandBackText(const std::string& incFolder) {
    std::string path = ExternalProgramsFolder(incFolder) + kHandBackFileName;
    if (!FileExists(path)) return std::nullopt;
    std::string text;
    for (const std::string& line : SplitLines(ReadWholeFile(path)))
        text += line + "\r\n";
    WriteFileSafely(path, "");
    if (text.empty()) return std::nullopt;
    return text;
}

void RunExternalProgram(const std::string& incFolder, const std::string& caption,
                        TProcesses& processes, TCustomLexipad& editor) {
    if (caption.empty()) return;
    std::string failed;
    if (std::optional<TLaunchPlan> plan = ExternalProgramLaunch(incFolder, caption))
        if (!processes.ExecuteAndWait(plan->Program, plan->Argv)) failed = plan->Program;
    if (std::optional<std::string> text = TakeHandBackText(incFolder))
        editor.Perform(LPM_REPLACESEL, 0, text->c_str());
    // Reported after the hand-back, so nothing the file holds is held back.
    if (!failed.empty()) throw EProgramStart(processes.StartFailureMessage(failed));
}

} // namespace quarno
