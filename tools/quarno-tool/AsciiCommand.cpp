// quarno-tool ascii: the 263 lines of the ASCII table, Windows-1252 bytes.
#include "ToolCommand.h"

#include "core/viewers/AsciiTableText.h"

namespace quarno::tool {
namespace {

int RunAscii(const std::vector<std::string>& words, std::ostream& out) {
    Args args(words, {}, {});
    args.ExpectCount(0, 0);
    for (const std::string& line : AsciiTableLines())
        out << line << "\n";
    return 0;
}

ToolCommandRegistrar registrar({"ascii", "ascii", RunAscii});

} // namespace
} // namespace quarno::tool
