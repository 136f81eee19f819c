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

} // namespace quarno
