// The fast paths of the search engines against slow references on random
// texts with long lines (split into several records) and short ones: the
// plain search's record scan against its window scan and a flat-string model,
// and the regular-expression search with its prefilters against plain
// backtracking at every position.
#include "core/services/EREParser.h"
#include "core/services/TPlainSearch.h"
#include "core/services/TStoreSearch.h"
#include "core/services/TStoreText.h"
#include "support/SearchTestText.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <string>

using namespace quarno;
using quarno::test::PadWithText;
using quarno::test::Span;

namespace {

// Lines of random length over alphabet; about one in twelve is longer than a
// record, so matches can straddle the record splits inside a line.
std::string RandomLines(std::mt19937& random, const std::string& alphabet, size_t length) {
    std::string text;
    while (text.size() < length) {
        size_t line = random() % 12 == 0 ? 2040 + random() % 3000 : random() % 40;
        for (size_t i = 0; i < line; ++i)
            text += alphabet[random() % alphabet.size()];
        text += '\r';
    }
    if (random() % 2 == 0) text.pop_back(); // a last line without a break
    return text;
}

bool FoldedEqual(const std::string& text, size_t at, const std::string& pattern, bool matchCase) {
    const TCharMap& fold = matchCase ? IdentityMap() : UpperCaseMap();
    for (size_t i = 0; i < pattern.size(); ++i)
        if (fold[static_cast<unsigned char>(text[at + i])] !=
            fold[static_cast<unsigned char>(pattern[i])])
            return false;
    return true;
}

// The first match starting at or after from and ending at or before end.
int ModelForward(const std::string& text, const std::string& pattern, bool matchCase,
                 bool wholeWord, int from, int end) {
    int length = static_cast<int>(pattern.size());
    for (int start = std::max(from, 0); start + length <= end; ++start) {
        if (!FoldedEqual(text, static_cast<size_t>(start), pattern, matchCase)) continue;
        bool before = start > 0 && DefaultCharIsInWord(text[static_cast<size_t>(start - 1)]);
        bool after = start + length < static_cast<int>(text.size()) &&
                     DefaultCharIsInWord(text[static_cast<size_t>(start + length)]);
        if (!wholeWord || (!before && !after)) return start;
    }
    return -1;
}

// A piece of the text, its case flipped at random, sometimes with a last
// character that may not occur there.
std::string PatternFrom(std::mt19937& random, const std::string& text, const std::string& extra) {
    size_t length = 1 + random() % (random() % 8 == 0 ? 40 : 9);
    std::string pattern = text.substr(random() % text.size(), length);
    for (char& c : pattern)
        if (random() % 3 == 0) c = static_cast<char>(LowerCaseMap()[static_cast<unsigned char>(c)]);
    if (random() % 4 == 0) pattern.back() = extra[random() % extra.size()];
    return pattern;
}

TEST(SearchFastPath, PlainRecordScanMatchesWindowScanAndModel) {
    std::mt19937 random(23);
    const std::string alphabets[] = {"ab", "DELAYMS 9_x-", "Yy\xC9\xE9 o", "Zz\r"};
    TPlainSearch scanning;
    TPlainSearch windows;
    windows.SetRecordScan(false);
    TWordCharTest word = DefaultCharIsInWord;
    int compared = 0;
    for (int round = 0; round < 48; ++round) {
        const std::string& alphabet = alphabets[round % std::size(alphabets)];
        std::string text = RandomLines(random, alphabet, 200 + random() % 12000);
        auto pad = PadWithText(text);
        ASSERT_EQ(pad->Text(), text);
        TStoreText storeText(pad->Store());
        for (int probe = 0; probe < 60; ++probe) {
            std::string pattern = PatternFrom(random, text, alphabet);
            bool matchCase = random() % 2 == 0;
            bool wholeWord = random() % 4 == 0;
            int from = static_cast<int>(random() % (text.size() + 1));
            int end = random() % 3 == 0 ? from + static_cast<int>(random() % 200)
                                        : static_cast<int>(text.size());
            scanning.SetPattern(pattern, matchCase);
            windows.SetPattern(pattern, matchCase);
            const TWordCharTest* test = wholeWord ? &word : nullptr;
            int expected = ModelForward(text, pattern, matchCase, wholeWord, from,
                                        std::min(end, static_cast<int>(text.size())));
            ASSERT_EQ(scanning.FindForwardWithin(storeText, from, end, test), expected)
                << "pattern " << pattern << " from " << from << " to " << end;
            ASSERT_EQ(windows.FindForwardWithin(storeText, from, end, test), expected)
                << "pattern " << pattern << " from " << from << " to " << end;
            ++compared;
        }
    }
    EXPECT_EQ(compared, 48 * 60);
}

// Candidates of the rare character on nearly every position hand the scan
// over to the skip table; a late match is still found.
TEST(SearchFastPath, PlainScanOfCommonCharactersFindsTheLateMatch) {
    std::string text(60000, 'a');
    for (size_t i = 50; i < text.size(); i += 51)
        text[i] = '\r';
    text.replace(text.size() - 30, 5, "aaaab");
    auto pad = PadWithText(text);
    TStoreText storeText(pad->Store());
    for (bool matchCase : {true, false}) {
        TPlainSearch search;
        search.SetPattern("aaaab", matchCase);
        EXPECT_EQ(search.FindForward(storeText, 0), static_cast<int>(text.size()) - 30);
        EXPECT_EQ(search.FindForward(storeText, static_cast<int>(text.size()) - 29), -1);
    }
}

struct RegexOutcome {
    std::string span = "none";
    std::string positions;
};

RegexOutcome SearchOnce(TStoreSearch& search, const TTextStore& store, int from, uint32_t options,
                        const std::string& pattern) {
    RegexOutcome outcome;
    try {
        auto match = search.Search(store, from, options, pattern);
        if (!match) return outcome;
        outcome.span = Span(match->start, match->end);
        for (int i = 0; i <= search.RegExpr().Count(); ++i)
            outcome.positions += std::to_string(search.RegExpr().Position(i)) + " ";
    } catch (const EREParser&) {
        outcome.span = "budget";
    }
    return outcome;
}

std::string RandomPattern(std::mt19937& random) {
    static const char* fixed[] = {"GOTO +[A-Za-z_]+[0-9]*:", "[A-Za-z_]+[0-9]+ *= *%[01]+[2-9]",
                                  "[A-Za-z_]+[0-9]+ *= *%[01]+", "GOTO +[a-z]+", "x1 = %"};
    static const char* atoms[] = {"ab", "GOTO", "x",   "%", "=",      ":",      "[ab]",   "[^a]",
                                  ".",  "\\d",  "\\n", "$", "(a|x1)", "\"o \"", "[a-z_]", " "};
    static const char* repeats[] = {"", "", "", "*", "+", "?", "{1,2}"};
    if (random() % 5 == 0) return fixed[random() % std::size(fixed)];
    std::string pattern;
    int pieces = 1 + static_cast<int>(random() % 4);
    for (int i = 0; i < pieces; ++i) {
        pattern += atoms[random() % std::size(atoms)];
        pattern += repeats[random() % std::size(repeats)];
    }
    if (random() % 10 == 0) pattern = "^" + pattern;
    return pattern;
}

TEST(SearchFastPath, RegexPrefiltersMatchPlainBacktracking) {
    std::mt19937 random(31);
    int compared = 0;
    int found = 0;
    for (int round = 0; round < 40; ++round) {
        std::string text = RandomLines(random, "abxGOTO :1=%02_", 300 + random() % 9000);
        auto pad = PadWithText(text);
        TStoreSearch fast;
        TStoreSearch plain;
        plain.RegExpr().SetPrefilters(false);
        plain.RegExpr().SetLearning(false);
        for (int probe = 0; probe < 30; ++probe) {
            std::string pattern = RandomPattern(random);
            uint32_t options = foSearchNow | foRegExpr;
            if (random() % 2 == 0) options |= foMatchCase;
            if (random() % 4 == 0) options |= foWholeWord;
            if (random() % 2 == 0) options |= foBackward;
            int from = static_cast<int>(random() % (text.size() + 1));
            RegexOutcome quick = SearchOnce(fast, pad->Store(), from, options, pattern);
            RegexOutcome slow = SearchOnce(plain, pad->Store(), from, options, pattern);
            if (quick.span == "budget" || slow.span == "budget") continue;
            ASSERT_EQ(quick.span, slow.span)
                << pattern << " from " << from << " options " << options;
            ASSERT_EQ(quick.positions, slow.positions) << pattern << " from " << from;
            ++compared;
            found += quick.span != "none";
        }
    }
    EXPECT_GT(compared, 1000);
    EXPECT_GT(found, 300);
}

} // namespace
