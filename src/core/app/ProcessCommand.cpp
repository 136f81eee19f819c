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

std::string StartProblem(const std::string& path, const std::string& winePath) {
    struct stat status {};
    if (path.empty() || ::stat(path.c_str(), &status) != 0) return "the file does not exist";
    if (S_ISDIR(status.st_mode)) return "it is a folder, not a program";
    if (IsWindowsExecutable(path))
        return winePath.empty() ? "it is a Windows program and wine is not installed" : "";
    if (::access(path.c_str(), X_OK) != 0) return "the file is not executable";
    return {};
}

} // namespace quarno
