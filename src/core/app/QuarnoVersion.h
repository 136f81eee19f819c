// The editor's own version and build, one source for every place that shows
// them (the about box, quarno-tool, packages).
#pragma once

#include <string>

namespace quarno {

// "QUARNO+ Editor <version>", the version being the project's.
std::string QuarnoVersionText();
// The number alone ("0.1.0").
std::string QuarnoVersionNumber();
// The compiler the core was built with ("GCC 12.2.0").
std::string QuarnoBuildText();

} // namespace quarno
