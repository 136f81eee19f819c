// Resolution of the program to run, wine for Windows executables.
#include "core/app/ProcessCommand.h"

#include "core/base/FileUtils.h"

#include <cstdio>

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

} // namespace quarno
