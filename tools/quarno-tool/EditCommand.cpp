// quarno-tool edit SCRIPT: runs the headless editing engine through a script.
#include "EditSession.h"
#include "ToolCommand.h"

#include "core/base/FileUtils.h"

namespace quarno::tool {
namespace {

int RunEdit(const std::vector<std::string>& words, std::ostream& out) {
    Args args(words, {}, {});
    args.ExpectCount(1, 1);
    std::string script = ReadWholeFile(args.At(0));
    EditSession session(out);
    session.Run(script);
    return 0;
}

ToolCommandRegistrar registrar({"edit", "edit SCRIPT", RunEdit});

} // namespace
} // namespace quarno::tool
