// The program's version, for --version and the about box.
#pragma once

#include <string>

namespace quarno {

// "0.1.0": the version the build was made as.
const char* ProgramVersion();
// "quarno-ide (QUARNO+ Editor) 0.1.0" for program "quarno-ide".
std::string VersionLine(const std::string& program);
// "QUARNO+ Editor 0.1.0", the about box's product and version.
std::string ProductVersionText();
// The compiler the core was built with ("GCC 12.2.0").
std::string BuildCompilerText();

} // namespace quarno
