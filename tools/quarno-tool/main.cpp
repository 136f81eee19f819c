// quarno-tool: the command-line companion of the editor. Exit status 0 on
// success, 1 when the operation reports an error (its message on standard
// error), 2 for a usage error.
#include "ToolCommand.h"

#include "core/app/AppVersion.h"

#include <exception>
#include <iostream>

using quarno::tool::Commands;

static void PrintUsage(std::ostream& out) {
    out << "usage: quarno-tool COMMAND [ARGS...]\n"
           "       quarno-tool --version | --help\n";
    for (const auto& [name, command] : Commands())
        out << "  " << command.usage << "\n";
}

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    if (argc < 2) {
        PrintUsage(std::cerr);
        return 2;
    }
    std::string first = argv[1];
    if (first == "--version" || first == "-v") {
        std::cout << quarno::VersionLine("quarno-tool") << "\n";
        return 0;
    }
    if (first == "--help" || first == "-h") {
        PrintUsage(std::cout);
        return 0;
    }
    auto found = Commands().find(argv[1]);
    if (found == Commands().end()) {
        std::cerr << "quarno-tool: unknown command '" << argv[1] << "'\n";
        PrintUsage(std::cerr);
        return 2;
    }
    std::vector<std::string> args(argv + 2, argv + argc);
    try {
        int status = found->second.run(args, std::cout);
        std::cout.flush();
        return status;
    } catch (const quarno::tool::UsageError& error) {
        std::cerr << "quarno-tool " << found->first << ": " << error.what()
                  << "\nusage: " << found->second.usage << "\n";
        return 2;
    } catch (const std::exception& error) {
        std::cout.flush();
        std::cerr << error.what() << "\n";
        return 1;
    }
}
