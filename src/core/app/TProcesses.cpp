// The processes seam.
#include "core/app/TProcesses.h"

namespace quarno {

void TProcesses::StartProgram(const std::string& path, const std::vector<std::string>& args) {
    if (!Start(path, args)) throw EProgramStart("Problem Running " + path);
}

} // namespace quarno
