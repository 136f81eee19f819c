// The exchange with the external BASIC compiler.
#include "core/toolchain/CompilerInterface.h"

#include "core/base/FileUtils.h"
#include "core/base/ProgramSearch.h"
#include "core/base/StringUtils.h"
#include "core/toolchain/CommandLines.h"

namespace quarno {

bool IsBasicSource(const std::string& path) {
    return UpperCase(ExtractFileExt(path)) == ".BAS";
}

TLaunchPlan CompilerLaunch(const std::string& applicationFolder, const std::string& sourcePath) {
    return {applicationFolder + kCompilerFileName, CompilerArguments(sourcePath),
            CompilerArgv(sourcePath), true};
}

std::string CompilerOutputPath(const std::string& sourcePath, const std::string& ext) {
    return FindFileIgnoringCase(ChangeFileExt(sourcePath, ext));
}

} // namespace quarno
