// quarno-tool search: finds a plain text or a regular expression in a text
// file loaded the way the editor loads it, and prints the matches.
#include "SearchSupport.h"
#include "ToolCommand.h"

#include "core/editor/SourceFile.h"
#include "core/editor/TCustomLexipad.h"

namespace quarno::tool {
namespace {

void Print(std::ostream& out, const TFindMatch& match) {
    out << match.start << " " << match.end << "\n";
}

// Every match: forwards each search starts where the last match ended
// (never at an empty match found there already), backwards where it began.
int PrintAll(std::ostream& out, TStoreSearch& search, const TCustomLexipad& pad, int from,
             uint32_t options, const std::string& pattern) {
    TREParser::TRun run(search.RegExpr()); // the listing is bounded as a whole
    TStoreText text(pad.Store());          // shared by the searches: the text is read once
    int count = 0;
    int previousEnd = -1;
    for (;;) {
        std::optional<TFindMatch> match =
            (options & foBackward) ? search.Search(text, from, options, pattern)
                                   : search.SearchNext(text, from, previousEnd, options, pattern);
        if (!match) return count;
        Print(out, *match);
        ++count;
        from = (options & foBackward) ? match->start : match->end;
        previousEnd = match->end;
    }
}

int RunSearch(const std::vector<std::string>& words, std::ostream& out) {
    Args args(words, {"--from"}, {"--regex", "--case", "--word", "--back", "--all"});
    args.ExpectCount(2, 2);
    uint32_t options = SearchOptions(args);
    TCustomLexipad pad;
    // A converted file is searched for the pattern converted alike.
    std::string pattern = args.At(0);
    if (IsConverted(LoadSourceFile(pad, args.At(1))) && IsConverted(DetectEncoding(pattern)))
        pattern = Utf8ToAnsi(pattern);
    int from = args.IntValue("--from", (options & foBackward) ? pad.CharCount() : 0);
    pad.SetSelection(from, from);
    from = pad.SelStart();
    TStoreSearch search;
    try {
        if (args.Has("--all")) {
            if (PrintAll(out, search, pad, from, options, pattern) == 0) out << "not found\n";
            return 0;
        }
        std::optional<TFindMatch> match = search.Search(pad.Store(), from, options, pattern);
        if (match)
            Print(out, *match);
        else
            out << "not found\n";
    } catch (const EREParser& error) {
        RaiseSearchError(search, error);
    }
    return 0;
}

ToolCommandRegistrar registrar(
    {"search", "search [--regex] [--case] [--word] [--back] [--from POS] [--all] PATTERN FILE",
     RunSearch});

} // namespace
} // namespace quarno::tool
