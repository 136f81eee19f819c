// Resolution of the program to run, wine for Windows executables.
#include "core/app/ProcessCommand.h"

#include "core/base/FileUtils.h"

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace quarno {

bool IsWindowsExecutable(const std::string& path) {
    std::string reason;
    std::FILE* file = OpenRegularFile(path, reason);
    if (!file) return false;
    char signature[2] = {};
    size_t read = std::fread(signature, 1, sizeof signature, file);
    std::fclose(file);
    return read == 2 && signature[0] == 'M' && signature[1] == 'Z';
}

TProcessCommand ResolveProcessCommand(const std::string& path, const std::vector<std::string>& args,
                                      const std::string& winePath) {
    if (winePath.empty() || !IsWindowsExecutable(path)) return {path, args};
    TProcessCommand command{winePath, {path}};
    command.arguments.insert(command.arguments.end(), args.begin(), args.end());
    return command;
}

// The folder part without its trailing "/" (the root stays "/"); "" for a
// bare name.
static std::string FolderOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return {};
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

static bool IsFolder(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

static std::string MissingProblem(const std::string& path) {
    std::string folder = FolderOf(path);
    if (!folder.empty() && !IsFolder(folder)) return "the folder " + folder + " does not exist";
    return "the file does not exist";
}

std::string StartProblem(const std::string& path, const std::string& winePath) {
    if (path.empty()) return "no program has been chosen";
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return MissingProblem(path);
    if (S_ISDIR(status.st_mode)) return "it is a folder, not a program";
    if (IsWindowsExecutable(path))
        return winePath.empty() ? "it is a Windows program and wine is not installed (install "
                                  "the package wine to run it)"
                                : "";
    if (::access(path.c_str(), X_OK) != 0)
        return "the file is not executable (allow it with: chmod +x \"" + path + "\")";
    return {};
}

std::string ProblemRunningMessage(const std::string& what, const std::string& reason) {
    return kProblemRunning + what + (reason.empty() ? "" : ": " + reason);
}

} // namespace quarno
