// Finding programs on PATH and files in any case.
#include "core/base/ProgramSearch.h"

#include "core/base/FileUtils.h"
#include "core/base/StringUtils.h"

#include <algorithm>
#include <cstdlib>
#include <dirent.h>
#include <unistd.h>
#include <vector>

namespace quarno {

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

std::string FindFileIgnoringCase(const std::string& path) {
    if (path.empty() || FileExists(path)) return path;
    std::string folder = ExtractFilePath(path);
    std::string name = ExtractFileName(path);
    for (const std::string& candidate : FolderNames(folder))
        if (SameText(candidate, name) && FileExists(folder + candidate)) return folder + candidate;
    return path;
}

bool IsExecutableFile(const std::string& path) {
    return FileExists(path) && ::access(path.c_str(), X_OK) == 0;
}

std::string ProgramSearchPath() {
    const char* path = std::getenv("PATH");
    return path ? std::string(path) : std::string("/usr/local/bin:/usr/bin:/bin");
}

std::string FindProgramOnPath(const std::string& name, const std::string& pathList) {
    if (name.empty() || name.find('/') != std::string::npos) return std::string();
    size_t start = 0;
    while (start <= pathList.size()) {
        size_t end = pathList.find(':', start);
        if (end == std::string::npos) end = pathList.size();
        std::string folder = pathList.substr(start, end - start);
        if (folder.empty()) folder = ".";
        std::string candidate = folder + (folder.back() == '/' ? "" : "/") + name;
        if (IsExecutableFile(candidate)) return candidate;
        start = end + 1;
    }
    return std::string();
}

} // namespace quarno
