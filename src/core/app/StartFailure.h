// Why an external program could not be started, in plain words for the line
// under "Problem Running <path>".
#pragma once

#include <string>

namespace quarno {

inline constexpr const char* kProblemRunning = "Problem Running ";

// "Problem Running <what>", and the reason on a line of its own when there
// is one.
std::string ProblemRunningMessage(const std::string& what, const std::string& reason);

// What keeps path from being started: no path, a missing folder or file, a
// folder, a Windows program without wine (winePath empty), a file without
// execute permission. "" when nothing on disk explains it.
std::string StartFailureReason(const std::string& path, const std::string& winePath);

} // namespace quarno
