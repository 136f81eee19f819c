// quarno-ide's command line: its own options, the Qt options it passes on to
// Qt, and the files to open. Read before any window system is touched, so
// --help and --version work without a display.
#pragma once

#include <string>
#include <vector>

namespace quarno {

struct TIdeCommandLine {
    enum class TAction { Run, Help, Version, UsageError };

    TAction action = TAction::Run;
    // The files named, in order, as given (relative names stay relative).
    std::vector<std::string> files;
    // For a usage error: what is wrong ("unrecognized option '--x'").
    std::string problem;
};

// arguments: the command line without the program name. "--" ends the
// options; "-" alone is a file name. The first of --help, --version and a
// wrong option decides.
TIdeCommandLine ParseIdeCommandLine(const std::vector<std::string>& arguments);

// The text of --help, ending with a line break.
std::string IdeUsageText();

} // namespace quarno
