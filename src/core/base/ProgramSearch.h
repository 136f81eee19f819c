// Finding files the way a Linux user names them: programs on PATH, and files
// named by Windows habits ("TERM.EXE") that may lie on disk in another case.
#pragma once

#include <string>

namespace quarno {

// The exact path when it names a file, else the first name in its folder (in
// byte order) that equals its last part without regard to case (prog.hex for
// prog.HEX), else the exact path, which then names nothing.
std::string FindFileIgnoringCase(const std::string& path);

// A regular file the user may execute.
bool IsExecutableFile(const std::string& path);

// The value of PATH, or the usual system folders when it is not set.
std::string ProgramSearchPath();

// The first executable file called name in the ":"-separated folders of
// pathList (empty entries stand for the current folder, as the shell has it);
// "" when there is none.
std::string FindProgramOnPath(const std::string& name, const std::string& pathList);
inline std::string FindProgramOnPath(const std::string& name) {
    return FindProgramOnPath(name, ProgramSearchPath());
}

} // namespace quarno
