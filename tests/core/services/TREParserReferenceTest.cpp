// The regular-expression engine against simple references: plain patterns
// against std::string search, and random small patterns against std::regex
// (both engines take the leftmost match, alternatives in order, repeats
// greedy). Also its bound on pathological patterns, measured in steps.
#include "core/services/EREParser.h"
#include "core/services/TREParser.h"
#include "support/SearchTestText.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
// GCC 12 at -O1 with the sanitizers reports a false maybe-uninitialized
// inside std::regex's std::function members.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <regex>
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

using namespace quarno;
using quarno::test::PadWithText;
using quarno::test::Span;

namespace {

// A text with long lines (crossing the 2047-character record split) and
// short ones, over a small alphabet so that patterns occur often.
std::string RandomText(std::mt19937& random, const std::string& alphabet, size_t length) {
    std::string text;
    while (text.size() < length) {
        char c = alphabet[random() % alphabet.size()];
        text += random() % 50 == 0 ? '\r' : c;
    }
    return text;
}

std::string PatternFor(const std::string& literal) {
    std::string pattern;
    for (char c : literal)
        pattern += c == '\r' ? std::string("\\n") : std::string(1, c);
    return pattern;
}

std::string Expected(const std::string& text, const std::string& literal, int from, bool forward) {
    size_t found = std::string::npos;
    if (forward && static_cast<size_t>(from) < text.size())
        found = text.find(literal, static_cast<size_t>(from));
    if (!forward && static_cast<size_t>(from) >= literal.size())
        found = text.rfind(literal, static_cast<size_t>(from) - literal.size());
    if (found == std::string::npos) return "none";
    return Span(static_cast<int>(found), static_cast<int>(found + literal.size()));
}

TEST(TREParserReference, PlainPatternsMatchStringSearch) {
    std::mt19937 random(4);
    for (int round = 0; round < 30; ++round) {
        std::string text = RandomText(random, "ab", 500 + random() % 5000);
        auto pad = PadWithText(text);
        TREParser parser;
        for (int probe = 0; probe < 40; ++probe) {
            std::string literal = RandomText(random, "ab", 1 + random() % 6);
            ASSERT_TRUE(parser.SetPattern(PatternFor(literal)));
            int from = static_cast<int>(random() % (text.size() + 1));
            bool forward = random() % 2 == 0;
            std::string found = "none";
            if (parser.Search(pad->Store(), from, forward))
                found = Span(parser.MatchStart(), parser.MatchEnd());
            ASSERT_EQ(found, Expected(text, literal, from, forward))
                << "pattern " << PatternFor(literal) << " from " << from
                << (forward ? " forward" : " backward");
        }
    }
}

// A random pattern over a, b, c with sets, groups, alternatives and repeats.
std::string RandomPattern(std::mt19937& random, int depth) {
    static const char* atoms[] = {"a", "b", "c", ".", "[ab]", "[^a]", "ab", "ca"};
    static const char* repeats[] = {"", "", "", "*", "+", "?", "{2}", "{1,2}", "{0,3}", "{2,}"};
    std::string pattern;
    int pieces = 1 + static_cast<int>(random() % 3);
    for (int i = 0; i < pieces; ++i) {
        if (depth < 2 && random() % 4 == 0)
            pattern += "(" + RandomPattern(random, depth + 1) + ")";
        else
            pattern += atoms[random() % std::size(atoms)];
        pattern += repeats[random() % std::size(repeats)];
    }
    if (random() % 4 == 0) pattern += "|" + RandomPattern(random, depth + 1);
    return pattern;
}

TEST(TREParserReference, RandomPatternsMatchStdRegex) {
    std::mt19937 random(11);
    int compared = 0;
    for (int round = 0; round < 4000; ++round) {
        std::string pattern = RandomPattern(random, 0);
        std::string text = RandomText(random, "abc", random() % 24);
        text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
        TREParser parser;
        if (!parser.SetPattern(pattern))
            continue; // a repeat of something that can be empty: the engine refuses those
        auto pad = PadWithText(text);
        std::string ours = "none";
        try {
            if (parser.Search(pad->Store(), 0, true))
                ours = Span(parser.MatchStart(), parser.MatchEnd());
        } catch (const EREParser&) {
            continue; // nested counted repeats can exhaust the budget
        }
        if (parser.Steps() > 3000)
            continue; // std::regex has no budget: keep its share of the run short
        std::smatch match;
        std::string theirs = "none";
        // A forward search from the end (of an empty text here) finds nothing.
        if (!text.empty() && std::regex_search(text, match, std::regex(pattern)))
            theirs = Span(static_cast<int>(match.position(0)),
                          static_cast<int>(match.position(0) + match.length(0)));
        ASSERT_EQ(ours, theirs) << "pattern " << pattern << " text " << text;
        ++compared;
    }
    EXPECT_GT(compared, 2500);
}

// Every recorded position of the first match from from, "none", or "budget".
std::string Outcome(TREParser& parser, const TTextStore& store, int from, bool forward) {
    try {
        if (!parser.Search(store, from, forward)) return "none";
    } catch (const EREParser&) {
        return "budget";
    }
    std::string outcome;
    for (int i = 0; i <= parser.Count(); ++i)
        outcome += std::to_string(parser.Position(i)) + " ";
    return outcome;
}

// What attempts learn from each other (failures after a repeat, the runs it
// counted, the skip over a leading repeat) only saves work: plain
// backtracking finds the same matches with the same recorded positions.
TEST(TREParserReference, LearningDoesNotChangeMatchesOrPositions) {
    std::mt19937 random(17);
    int compared = 0;
    for (int round = 0; round < 600; ++round) {
        std::string pattern = RandomPattern(random, 0);
        std::string text = RandomText(random, "abc", 50 + random() % 250);
        auto pad = PadWithText(text);
        TREParser learning;
        TREParser plain;
        plain.SetLearning(false);
        if (!learning.SetPattern(pattern)) continue;
        ASSERT_TRUE(plain.SetPattern(pattern));
        for (int probe = 0; probe < 4; ++probe) {
            int from = static_cast<int>(random() % (text.size() + 1));
            bool forward = probe % 2 == 0;
            std::string learnt = Outcome(learning, pad->Store(), from, forward);
            std::string backtracked = Outcome(plain, pad->Store(), from, forward);
            if (learnt == "budget" || backtracked == "budget") continue;
            ASSERT_EQ(learnt, backtracked) << pattern << " from " << from;
            ++compared;
        }
    }
    EXPECT_GT(compared, 1200);
}

// Exponential backtracking ends with its own message after the budget.
TEST(TREParserBound, PathologicalPatternsStopWithinTheStepBudget) {
    const struct {
        const char* pattern;
        std::string text;
    } cases[] = {
        {"(a|aa)*c", std::string(60, 'a') + "\rc"},
        {"(x|xx)+y", std::string(40, 'x') + "\ry"},
        {"(a|aa)+(b|bb)*c", std::string(40, 'a') + std::string(40, 'b') + "\rc"},
    };
    for (const auto& c : cases) {
        auto pad = PadWithText(c.text);
        TREParser parser;
        parser.SetStepBudget(200000, 16);
        ASSERT_TRUE(parser.SetPattern(c.pattern)) << c.pattern;
        try {
            parser.Search(pad->Store(), 0, true);
            FAIL() << c.pattern << " should have run out of steps";
        } catch (const EREParser& error) {
            EXPECT_STREQ(error.what(), "Search abandoned: the expression needs too many steps");
            EXPECT_EQ(error.Error(), reStepLimit);
        }
        int64_t allowance = 200000 + 16 * (static_cast<int64_t>(c.text.size()) + 1);
        EXPECT_LE(parser.Steps(), allowance + 1) << c.pattern;
        EXPECT_GT(parser.Steps(), 200000) << c.pattern;
    }
}

// Failures learnt after a repeat carry over to later attempts of a search,
// so backtracking over long runs stays linear in their length.
TEST(TREParserBound, RepeatsOverLongRunsCostStepsInProportionToTheRun) {
    const char* patterns[] = {"[a-z]\\w*=", "\\w+\\d", ".*Q", "[a-z]\\w*\\s*=\\s*\\d",
                              "(\\w+) *= *\\d"};
    for (const char* pattern : patterns) {
        int64_t steps[2] = {};
        for (int size : {4000, 8000}) {
            auto pad = PadWithText(std::string(static_cast<size_t>(size), 'x') + "\r  = 1 Qy");
            TREParser parser;
            parser.SetMatchCase(false);
            ASSERT_TRUE(parser.SetPattern(pattern)) << pattern;
            parser.Search(pad->Store(), 0, true);
            steps[size / 8000] = parser.Steps();
        }
        // Twice the run costs about twice the steps (quadratic would be 4x).
        EXPECT_LT(steps[1], 3 * steps[0]) << pattern << ": " << steps[0] << " " << steps[1];
        EXPECT_LT(steps[1], 16 * 8000) << pattern;
    }
    // The classic exponential case becomes polynomial.
    auto pad = PadWithText(std::string(40, 'x') + "\ry");
    TREParser parser;
    ASSERT_TRUE(parser.SetPattern("(x+x+)+y"));
    EXPECT_FALSE(parser.Search(pad->Store(), 0, true));
    EXPECT_LT(parser.Steps(), 20000);
}

TEST(TREParserBound, OrdinarySearchesStayWellInsideTheDefaultBudget) {
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += "    High PORTB.0 : DelayMS 500 ' wait\r";
    text += "    Toggle PORTA.7\r";
    auto pad = PadWithText(text);
    TREParser parser;
    const char* patterns[] = {"PORTA\\.[0-7]", "T[a-z]+e +PORT", "^ +Toggle", "\\w+ PORTA",
                              "[A-Z]\\w*A\\.7"};
    for (const char* pattern : patterns) {
        ASSERT_TRUE(parser.SetPattern(pattern)) << pattern;
        ASSERT_TRUE(parser.Search(pad->Store(), 0, true)) << pattern;
        // Well under the per-position share of the budget.
        EXPECT_LT(parser.Steps(), static_cast<int64_t>(text.size()) * 8) << pattern;
    }
}

TEST(TREParserBound, BacktrackingStackIsBounded) {
    std::string text;
    for (size_t i = 0; i < TREMatcher::kMaxBacktrack + 10; ++i)
        text += "ab";
    text += "c";
    auto pad = PadWithText(text);
    TREParser parser;
    ASSERT_TRUE(parser.SetPattern("(ab)*c"));
    try {
        parser.Search(pad->Store(), 0, true);
        FAIL() << "the backtracking stack should have reached its bound";
    } catch (const EREParser& error) {
        EXPECT_STREQ(error.what(), "Out of memory");
    }
    // Half as many iterations fit.
    auto shorter = PadWithText(text.substr(text.size() / 2));
    ASSERT_TRUE(parser.Search(shorter->Store(), 0, true));
    EXPECT_EQ(parser.MatchEnd(), shorter->CharCount());
}

} // namespace
