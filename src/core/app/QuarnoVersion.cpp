// The version and build texts; the build system supplies QUARNO_VERSION.
#include "core/app/QuarnoVersion.h"

#include "core/app/TAppGlobals.h"

#ifndef QUARNO_VERSION
#define QUARNO_VERSION "0.0.0"
#endif

namespace quarno {

std::string QuarnoVersionNumber() {
    return QUARNO_VERSION;
}

std::string QuarnoVersionText() {
    return std::string(TAppGlobals::kApplicationTitle) + " " + QuarnoVersionNumber();
}

std::string QuarnoBuildText() {
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
