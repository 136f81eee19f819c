// Fuzzes the regular-expression compiler and matcher: a fuzzed pattern over a
// fuzzed text, searched in both directions with the step budget lowered and
// compared with the same search without learning between attempts, and the
// pattern's bytes as an escaped literal checked against plain search; then
// Replace All with the pattern, which one undo must take back and one redo
// bring again.
//
// Input: byte 0 options (bit 0 match case, bit 1 backwards, bits 2..7 the
// start position in 64ths of the text), byte 1 the pattern length, then the
// pattern and the text.
#include "core/editor/TCustomLexipad.h"
#include "core/services/EREParser.h"
#include "core/services/TPlainSearch.h"
#include "core/services/TREParser.h"
#include "core/services/TStoreSearch.h"
#include "core/services/TStoreText.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

using namespace quarno;

namespace {

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "FuzzRegex: %s\n", what);
        std::abort();
    }
}

// The pattern's bytes as a literal regular expression.
std::string Escaped(const std::string& literal) {
    static const char* hex = "0123456789ABCDEF";
    std::string pattern;
    for (unsigned char c : literal) {
        pattern += "\\x";
        pattern += hex[c >> 4];
        pattern += hex[c & 15];
    }
    return pattern;
}

// The recorded positions of the match, "none", or "" when the search gave up.
std::string Outcome(TREParser& parser, const TTextStore& store, int from, bool forward) {
    try {
        if (!parser.Search(store, from, forward)) return "none";
    } catch (const EREParser& error) {
        Check(error.Error() == reStepLimit || error.Error() == reOutOfMemory,
              "unexpected engine error while searching");
        return "";
    }
    std::string outcome;
    for (int i = 0; i <= parser.Count(); ++i)
        outcome += std::to_string(parser.Position(i)) + " ";
    return outcome;
}

void SearchPattern(TREParser& parser, const TTextStore& store, int from, bool forward) {
    std::string learnt = Outcome(parser, store, from, forward);
    // What attempts learn from each other must not change the result.
    TREParser plain;
    plain.SetLearning(false);
    plain.SetMatchCase(parser.MatchCase());
    plain.SetStepBudget(100000, 32);
    Check(plain.SetPattern(parser.Pattern()), "the pattern no longer compiles");
    std::string backtracked = Outcome(plain, store, from, forward);
    Check(learnt.empty() || backtracked.empty() || learnt == backtracked,
          "learning changed the match");
    if (learnt.empty() || learnt == "none") return;
    int start = parser.MatchStart();
    int end = parser.MatchEnd();
    Check(parser.Count() >= 0 && parser.Count() < 256, "entry count out of range");
    Check(start >= 0 && start <= end && end <= store.CharCount(), "match outside the text");
    Check(forward ? start >= from : (end <= from && start < from), "match on the wrong side");
    (void)parser.Substitute("%1%2%255\\n%%\\x41\\101");
}

// A literal (NUL-free, as the store keeps it) must be found where
// std::string::find finds it, by the regular expression and by plain search.
void CompareLiteral(const std::string& literal, const std::string& text, const TTextStore& store,
                    int from) {
    if (literal.empty() || literal.find('\0') != std::string::npos) return;
    size_t expected = from < static_cast<int>(text.size())
                          ? text.find(literal, static_cast<size_t>(from))
                          : std::string::npos;
    int wanted = expected == std::string::npos ? -1 : static_cast<int>(expected);
    TREParser parser;
    Check(parser.SetPattern(Escaped(literal)), "escaped literal did not compile");
    bool found = parser.Search(store, from, true);
    Check((found ? parser.MatchStart() : -1) == wanted, "regex literal differs from find");
    TPlainSearch plain;
    plain.SetPattern(literal, true);
    TStoreText storeText(store);
    Check(plain.FindForward(storeText, from) == wanted, "plain search differs from find");
}

// Replace All as one undo step: undo gives the text before, redo the text after.
void ReplaceAllUndoes(TCustomLexipad& pad, uint8_t options, const std::string& pattern) {
    const std::string before = pad.Text();
    pad.SearchEngine().RegExpr().SetStepBudget(100000, 32);
    uint32_t flags = foRegExpr | ((options & 1) ? foMatchCase : 0u);
    int replaced = pad.ReplaceAll(flags, pattern, "<%1\\n>");
    const std::string after = pad.Text();
    if (replaced == 0) {
        Check(after == before, "Replace All without a replacement changed the text");
        return;
    }
    pad.Undo();
    Check(pad.Text() == before, "undo after Replace All did not give the text back");
    pad.Redo();
    Check(pad.Text() == after, "redo after Replace All did not replace again");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    uint8_t options = data[0];
    size_t patternLength = std::min<size_t>(data[1], size - 2);
    std::string pattern(reinterpret_cast<const char*>(data + 2), patternLength);
    std::string text(reinterpret_cast<const char*>(data + 2 + patternLength),
                     std::min<size_t>(size - 2 - patternLength, 8192));
    TCustomLexipad pad;
    pad.SetText(text);
    const std::string stored = pad.Text();
    int from = static_cast<int>(stored.size() * (options >> 2) / 63);

    TREParser parser;
    parser.SetMatchCase((options & 1) != 0);
    parser.SetStepBudget(100000, 32);
    if (parser.SetPattern(pattern)) {
        SearchPattern(parser, pad.Store(), from, (options & 2) == 0);
        SearchPattern(parser, pad.Store(), from, (options & 2) != 0);
        Check(parser.SetPattern(pattern) && parser.CompileCount() == 1, "recompiled");
    } else {
        Check(parser.LastError() != reNoError, "failure without an error");
        Check(!parser.ErrorText().empty(), "no error text");
    }
    CompareLiteral(pattern, stored, pad.Store(), from);
    ReplaceAllUndoes(pad, options, pattern);
    return 0;
}
