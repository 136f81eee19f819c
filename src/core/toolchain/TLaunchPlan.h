// What a launching command would start: the program, its argument text, the
// same arguments as an argv list for Linux, and whether the IDE waits.
#pragma once

#include <string>
#include <vector>

namespace quarno {

struct TLaunchPlan {
    std::string Program;
    // The argument text as one string, the form the commands are specified in.
    std::string Arguments;
    // The arguments as separate words, started without a shell; a path is
    // always one word even when it holds blanks.
    std::vector<std::string> Argv;
    // true: ExecuteAndWait (the IDE waits, staying responsive); false:
    // StartProgram (returns at once).
    bool Wait = false;
};

} // namespace quarno
