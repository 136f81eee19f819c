// The program's version.
#include "core/app/AppVersion.h"

#include "core/app/TAppGlobals.h"

// The build sets the version from the project's.
#ifndef QUARNO_VERSION
#define QUARNO_VERSION "0.0.0"
#endif

namespace quarno {

const char* ProgramVersion() {
    return QUARNO_VERSION;
}

std::string VersionLine(const std::string& program) {
    return program + " (" + TAppGlobals::kApplicationTitle + ") " + ProgramVersion();
}

std::string ProductVersionText() {
    return std::string(TAppGlobals::kApplicationTitle) + " " + ProgramVersion();
}

std::string BuildCompilerText() {
#if defined(__clang__)
    std::string text = "Clang " __clang_version__;
#elif defined(__GNUC__)
    std::string text = "GCC " __VERSION__;
#else
    std::string text = "an unknown compiler";
#endif
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

} // namespace quarno
