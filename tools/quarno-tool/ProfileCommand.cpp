// quarno-tool profile: reads and writes profile (INI) files.
#include "ToolCommand.h"

#include "core/base/TProfileFile.h"

namespace quarno::tool {
namespace {

int RunProfile(const std::vector<std::string>& words, std::ostream& out) {
    Args args(words, {}, {});
    const std::string& verb = args.At(0);
    if (verb == "get") {
        args.ExpectCount(4, 5);
        TProfileFile file(args.At(1));
        std::string fallback = args.Positional().size() > 4 ? args.At(4) : std::string();
        out << file.ReadString(args.At(2), args.At(3), fallback) << "\n";
        return 0;
    }
    if (verb == "set") {
        args.ExpectCount(5, 5);
        TProfileFile file(args.At(1));
        file.WriteString(args.At(2), args.At(3), args.At(4));
        return 0;
    }
    throw UsageError("unknown profile verb '" + verb + "'");
}

ToolCommandRegistrar registrar({"profile",
                                "profile get FILE SECTION KEY [DEFAULT] | profile set FILE "
                                "SECTION KEY VALUE",
                                RunProfile});

} // namespace
} // namespace quarno::tool
