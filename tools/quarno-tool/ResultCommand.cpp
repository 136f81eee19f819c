// quarno-tool result: a compiler result file as the status bar and the report
// pane would show it.
#include "ToolCommand.h"

#include "core/toolchain/TCompileResult.h"

namespace quarno::tool {
namespace {

const char* StatusWord(TResultStatus status) {
    switch (status) {
    case TResultStatus::rsMissing: return "missing";
    case TResultStatus::rsError: return "error";
    case TResultStatus::rsSummary: return "summary";
    case TResultStatus::rsOther: return "other";
    }
    return "other";
}

int RunResult(const std::vector<std::string>& words, std::ostream& out) {
    Args args(words, {}, {});
    args.ExpectCount(1, 1);
    TCompileResult result = ReadCompileResultFile(args.At(0));
    out << "status: " << StatusWord(result.Status) << "\n";
    out << "device: " << result.Device << "\n";
    out << "code: " << result.Code << "\n";
    out << "ram: " << result.Ram << "\n";
    for (const std::string& line : result.ReportLines)
        out << line << "\n";
    return 0;
}

ToolCommandRegistrar registrar({"result", "result FILE.KBR", RunResult});

} // namespace
} // namespace quarno::tool
