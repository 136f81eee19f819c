// The processes seam.
#include "core/app/TProcesses.h"

#include "core/app/StartFailure.h"
#include "core/base/ProgramSearch.h"

namespace quarno {

void TProcesses::StartProgram(const std::string& path, const std::vector<std::string>& args) {
    if (!Start(path, args)) throw EProgramStart(StartFailureMessage(path));
}

std::string TProcesses::StartFailureMessage(const std::string& path) {
    return ProblemRunningMessage(path, StartFailureReason(path, FindProgramOnPath("wine")));
}

} // namespace quarno
