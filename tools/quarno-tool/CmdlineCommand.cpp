// quarno-tool cmdline: the argument text handed to a user programmer or
// bootloader through its template, or to the ORLA programmer.
#include "ToolCommand.h"

#include "core/toolchain/CommandLines.h"

namespace quarno::tool {
namespace {

int RunCmdline(const std::vector<std::string>& words, std::ostream& out) {
    Args args(words, {"--hex", "--device", "--template"}, {"--orla", "--argv"});
    args.ExpectCount(0, 0);
    if (!args.Has("--hex")) throw UsageError("--hex PATH is required");
    if (args.Has("--template") == args.Has("--orla"))
        throw UsageError("give one of --template T and --orla");
    std::string hex = args.Value("--hex");
    std::string device = args.Value("--device");
    std::string commandTemplate = args.Value("--template");
    bool orla = args.Has("--orla");
    if (args.Has("--argv")) {
        for (const std::string& word :
             orla ? OrlaArgv(hex, device) : TemplateArgv(commandTemplate, hex, device))
            out << word << "\n";
        return 0;
    }
    out << (orla ? OrlaArguments(hex, device) : TemplateArguments(commandTemplate, hex, device))
        << "\n";
    return 0;
}

ToolCommandRegistrar registrar({"cmdline",
                                "cmdline --hex PATH [--device D] (--template T | --orla) [--argv]",
                                RunCmdline});

} // namespace
} // namespace quarno::tool
