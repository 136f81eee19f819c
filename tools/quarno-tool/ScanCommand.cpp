// quarno-tool scan: the found list of the file scanner for one folder.
#include "ToolCommand.h"

#include "core/viewers/TFileScan.h"

namespace quarno::tool {
namespace {

std::vector<std::string> SplitTexts(const std::string& list) {
    std::vector<std::string> texts;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(';', start);
        if (end == std::string::npos) end = list.size();
        if (end > start) texts.push_back(list.substr(start, end - start));
        start = end + 1;
    }
    return texts;
}

TSearchType ParseType(const std::string& word) {
    if (word == "and") return st_And;
    if (word == "or") return st_Or;
    if (word == "not") return st_Not;
    throw UsageError("--type takes and, or or not");
}

TSearchStringType ParseMode(const std::string& word) {
    if (word == "normal") return sst_Normal;
    if (word == "word") return sst_Word;
    if (word == "prefix") return sst_Prefix;
    if (word == "suffix") return sst_Suffix;
    throw UsageError("--mode takes normal, word, prefix or suffix");
}

int RunScan(const std::vector<std::string>& words, std::ostream& out) {
    Args args(words, {"--specs", "--limit", "--strings", "--type", "--mode"},
              {"--case", "--show-size", "--show-date", "--show-attr", "--no-dirname"});
    args.ExpectCount(1, 1);
    TFileScan scan;
    scan.SetDirectory(args.At(0));
    scan.SetFileSpecs(args.Value("--specs", "*.*"));
    scan.SetMatchLimit(args.IntValue("--limit", 0));
    scan.SetSearchStrings(SplitTexts(args.Value("--strings")));
    scan.SetSearchType(ParseType(args.Value("--type", "or")));
    scan.SetSearchStringType(ParseMode(args.Value("--mode", "normal")));
    scan.SetCaseSense(args.Has("--case"));
    scan.SetShowSize(args.Has("--show-size"));
    scan.SetShowDate(args.Has("--show-date"));
    scan.SetShowAttr(args.Has("--show-attr"));
    scan.SetIncDirName(!args.Has("--no-dirname"));
    scan.SetStartScan(true);
    for (const std::string& line : scan.FoundItems())
        out << line << "\n";
    return 0;
}

ToolCommandRegistrar
    registrar({"scan",
               "scan DIR [--specs S] [--limit N] [--strings A;B] [--type and|or|not] [--mode "
               "normal|word|prefix|suffix] [--case] [--show-size] [--show-date] [--show-attr] "
               "[--no-dirname]",
               RunScan});

} // namespace
} // namespace quarno::tool
