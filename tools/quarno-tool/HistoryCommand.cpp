// quarno-tool history: reads and writes sections of a history file.
#include "ToolCommand.h"

#include "core/app/TEdPersistent.h"
#include "core/base/FileUtils.h"

namespace quarno::tool {
namespace {

int RunHistory(const std::vector<std::string>& words, std::ostream& out) {
    Args args(words, {}, {});
    const std::string& verb = args.At(0);
    if (verb != "read" && verb != "write") throw UsageError("unknown history verb '" + verb + "'");
    args.ExpectCount(3, verb == "read" ? 3 : 1000000);
    const std::string& file = args.At(1);
    // Reading never creates the file; writing makes it when it is missing.
    TEdPersistent store(ExtractFilePath(file), ExtractFileName(file), TEdPersistent::mfLeave);
    if (verb == "read") {
        for (const std::string& item : store.ReadSection(args.At(2)))
            out << item << "\n";
        return 0;
    }
    std::vector<std::string> items(args.Positional().begin() + 3, args.Positional().end());
    store.WriteSection(args.At(2), items);
    return 0;
}

ToolCommandRegistrar registrar({"history",
                                "history read FILE HEADER | history write FILE HEADER [ITEM...]",
                                RunHistory});

} // namespace
} // namespace quarno::tool
