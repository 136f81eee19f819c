// The program's version, for --version and the about box.
#pragma once

#include <string>

namespace quarno {

// "0.1.0": the version the build was made as.
const char* ProgramVersion();
// "quarno-ide (QUARNO+ Editor) 0.1.0" for program "quarno-ide".
std::string VersionLine(const std::string& program);

} // namespace quarno
