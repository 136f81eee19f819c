// The exchange with the external BASIC compiler: where it is, how it is
// started, the files it leaves beside the source, and the texts of the
// Compile command's questions.
#pragma once

#include "core/toolchain/TLaunchPlan.h"

#include <string>

namespace quarno {

inline constexpr const char* kCompilerFileName = "QUARNO_PL.EXE";
inline constexpr const char* kCompilerSection = "COMPILER";
inline constexpr const char* kCompilerPathKey = "PATHNAME";
inline constexpr const char* kUntitledName = "No_name.bas";
// Confirmation (Yes/No) before compiling a file that is not ".BAS"; %s is the
// file name without folder.
inline constexpr const char* kNotBasicQuestion =
    "File \"%s\" is not a BASIC program\r\nDo you still wish to compile the code?";
// Confirmation (OK/Cancel) before compiling an untitled document.
inline constexpr const char* kUntitledCompileMessage =
    "BASIC Program must be given a name other than NO_NAME.BAS\r\nBefore compilation may "
    "commence.";

// True when the extension, upper-cased, is ".BAS".
bool IsBasicSource(const std::string& path);

// The compiler: `COMPILER`/`PATHNAME` of the application folder's INC/KBX.INI
// when it names one (a relative name is taken from the application folder),
// else application folder + "QUARNO_PL.EXE".
std::string CompilerProgram(const std::string& applicationFolder);

// The compiler run: the compiler with the source path and " -m -q", waited
// for.
TLaunchPlan CompilerLaunch(const std::string& applicationFolder, const std::string& sourcePath);

// The file the compiler leaves beside sourcePath with extension ext (".KBR",
// ".ASM", ".HEX"): the exact name when it exists, else the first name in the
// folder (byte order) that equals it without regard to case (prog.hex for
// prog.HEX), else the exact name, which does not exist.
std::string CompilerOutputPath(const std::string& sourcePath, const std::string& ext);

// Removes the file CompilerOutputPath finds, when it is a regular file.
void RemoveCompilerOutput(const std::string& sourcePath, const std::string& ext);

} // namespace quarno
