// What actually runs for an external program: Windows executables (the
// ".EXE" helpers of the INC folder) go through wine when it is installed.
#pragma once

#include <string>
#include <vector>

namespace quarno {

struct TProcessCommand {
    std::string program;
    std::vector<std::string> arguments;
};

// True when the file starts with the "MZ" signature of a Windows executable.
bool IsWindowsExecutable(const std::string& path);

// The program and arguments to run for path and args. winePath is the wine
// program found on PATH, or empty when wine is not installed; the path is then
// run as it is.
TProcessCommand ResolveProcessCommand(const std::string& path, const std::vector<std::string>& args,
                                      const std::string& winePath);

// Why a program cannot be started, in plain words: no path, a missing folder
// or file, a folder, a Windows program without wine (winePath empty), a file
// without execute permission. Empty when nothing on disk explains it.
std::string StartProblem(const std::string& path, const std::string& winePath);

inline constexpr const char* kProblemRunning = "Problem Running ";

// "Problem Running <what>", then ": " and the reason when there is one. Every
// program the IDE fails to run is reported through this one message.
std::string ProblemRunningMessage(const std::string& what, const std::string& reason);

} // namespace quarno
