// Runs a program without a shell and collects its exit status and output.
#pragma once

#include <string>
#include <vector>

namespace quarno::test {

struct ProcessResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs program with args; stdin is empty. Environment entries "NAME=VALUE"
// are added to the current environment.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::vector<std::string>& environment = {});

} // namespace quarno::test
