// quarno-tool replace: Replace All in a text file loaded the way the editor
// loads it; prints the resulting text with LF line breaks.
#include "SearchSupport.h"
#include "ToolCommand.h"

#include "core/editor/TCustomLexipad.h"

namespace quarno::tool {
namespace {

int RunReplace(const std::vector<std::string>& words, std::ostream& out) {
    Args args(words, {}, {"--regex", "--case", "--word"});
    args.ExpectCount(3, 3);
    TCustomLexipad pad;
    pad.LoadFromFile(args.At(2));
    pad.ReplaceAll(SearchOptions(args), args.At(0), args.At(1));
    if (pad.PatternFailed()) throw Exception(pad.SearchError());
    std::string text = pad.Text();
    for (char& c : text)
        if (c == '\r') c = '\n';
    if (!text.empty() && text.back() != '\n') text += '\n'; // every printed line ends with LF
    out << text;
    return 0;
}

ToolCommandRegistrar registrar({"replace",
                                "replace [--regex] [--case] [--word] PATTERN REPLACEMENT FILE",
                                RunReplace});

} // namespace
} // namespace quarno::tool
