// Plain-words reasons for a program that could not be started.
#include "core/app/StartFailure.h"

#include "core/app/ProcessCommand.h"
#include "core/base/FileUtils.h"
#include "core/base/ProgramSearch.h"

namespace quarno {

std::string ProblemRunningMessage(const std::string& what, const std::string& reason) {
    std::string message = kProblemRunning + what;
    if (!reason.empty()) message += "\r\n" + reason;
    return message;
}

// The folder part without its trailing "/" (the root stays "/").
static std::string FolderOf(const std::string& path) {
    std::string folder = ExtractFilePath(path);
    if (folder.size() > 1) folder.pop_back();
    return folder;
}

std::string StartFailureReason(const std::string& path, const std::string& winePath) {
    if (path.empty()) return "No program has been chosen.";
    if (DirectoryExists(path)) return "It is a folder, not a program.";
    if (!FileExists(path)) {
        std::string folder = FolderOf(path);
        if (!folder.empty() && !DirectoryExists(folder))
            return "The folder " + folder + " does not exist.";
        return "The file does not exist.";
    }
    if (IsWindowsExecutable(path)) {
        if (winePath.empty())
            return "It is a Windows program and wine is not installed (install the package "
                   "wine to run it).";
        return std::string();
    }
    if (!IsExecutableFile(path))
        return "The file is not executable (allow it with: chmod +x \"" + path + "\").";
    return std::string();
}

} // namespace quarno
