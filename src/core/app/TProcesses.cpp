// The processes seam.
#include "core/app/TProcesses.h"

#include "core/app/ProcessCommand.h"
#include "core/base/ProgramSearch.h"

namespace quarno {

void TProcesses::StartProgram(const std::string& path, const std::vector<std::string>& args) {
    if (!Start(path, args)) throw EProgramStart(StartFailureMessage(path));
}

std::string TProcesses::StartFailureMessage(const std::string& path) const {
    return ProblemRunningMessage(path, StartProblem(path, FindProgramOnPath("wine")));
}

} // namespace quarno
