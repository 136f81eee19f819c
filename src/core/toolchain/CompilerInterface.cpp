// The exchange with the external BASIC compiler.
#include "core/toolchain/CompilerInterface.h"

#include "core/base/FileUtils.h"
#include "core/base/ProgramSearch.h"
#include "core/base/StringUtils.h"
#include "core/base/TProfileFile.h"
#include "core/toolchain/CommandLines.h"

#include <filesystem>
#include <system_error>

namespace quarno {

bool IsBasicSource(const std::string& path) {
    return UpperCase(ExtractFileExt(path)) == ".BAS";
}

std::string CompilerProgram(const std::string& applicationFolder) {
    TProfileFile config(applicationFolder + "INC/KBX.INI");
    std::string named = config.ReadString(kCompilerSection, kCompilerPathKey, std::string());
    if (named.empty()) return applicationFolder + kCompilerFileName;
    return named.front() == '/' ? named : applicationFolder + named;
}

TLaunchPlan CompilerLaunch(const std::string& applicationFolder, const std::string& sourcePath) {
    return {CompilerProgram(applicationFolder), CompilerArguments(sourcePath),
            CompilerArgv(sourcePath), true};
}

std::string CompilerOutputPath(const std::string& sourcePath, const std::string& ext) {
    return FindFileIgnoringCase(ChangeFileExt(sourcePath, ext));
}

// Every spelling goes (prog.HEX and a stale prog.hex), so the lookup above
// cannot fall back on an older file.
void RemoveCompilerOutput(const std::string& sourcePath, const std::string& ext) {
    for (;;) {
        std::error_code error;
        std::filesystem::path path(CompilerOutputPath(sourcePath, ext));
        if (!std::filesystem::is_regular_file(path, error)) return;
        if (!std::filesystem::remove(path, error)) return;
    }
}

} // namespace quarno
