// The processes seam.
#include "core/app/TProcesses.h"

#include "core/app/ProcessCommand.h"

namespace quarno {

void TProcesses::StartProgram(const std::string& path, const std::vector<std::string>& args) {
    if (!Start(path, args)) throw EProgramStart("Problem Running " + path);
}

// Without knowing where wine is, a Windows program counts as not startable.
std::string TProcesses::StartFailureMessage(const std::string& path) const {
    std::string reason = StartProblem(path, {});
    return "Problem Running " + path + (reason.empty() ? "" : ": " + reason);
}

} // namespace quarno
