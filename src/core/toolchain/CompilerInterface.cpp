// The exchange with the external BASIC compiler.
#include "core/toolchain/CompilerInterface.h"

#include "core/base/FileUtils.h"
#include "core/base/StringUtils.h"
#include "core/base/TProfileFile.h"
#include "core/toolchain/CommandLines.h"

#include <algorithm>
#include <dirent.h>
#include <filesystem>
#include <system_error>
#include <vector>

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

static std::vector<std::string> FolderNames(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return names;
    while (const dirent* entry = ::readdir(dir))
        names.emplace_back(entry->d_name);
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

std::string CompilerOutputPath(const std::string& sourcePath, const std::string& ext) {
    std::string exact = ChangeFileExt(sourcePath, ext);
    if (FileExists(exact)) return exact;
    std::string folder = ExtractFilePath(exact);
    std::string name = ExtractFileName(exact);
    for (const std::string& candidate : FolderNames(folder))
        if (SameText(candidate, name) && FileExists(folder + candidate)) return folder + candidate;
    return exact;
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
