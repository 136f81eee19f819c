#include "core/services/TREParser.h"
#include "core/document/TEdStream.h"
#include "core/services/EREParser.h"
#include "core/services/TRECompiler.h"
#include "support/SearchTestText.h"

#include <gtest/gtest.h>

using namespace quarno;
using quarno::test::PadWithText;
using quarno::test::Span;

namespace {

// The first match searching from position from, as "start-end", or "none".
std::string FindIn(const std::string& pattern, const std::string& text, int from = 0,
                   bool forward = true, bool matchCase = true) {
    auto pad = PadWithText(text);
    TREParser parser;
    parser.SetMatchCase(matchCase);
    if (!parser.SetPattern(pattern))
        return std::string("error: ") + REErrorMessage(parser.LastError());
    if (!parser.Search(pad->Store(), from, forward)) return "none";
    return Span(parser.MatchStart(), parser.MatchEnd());
}

// Every recorded position of the first match, "p0 p1 ... pCount".
std::string Recorded(const std::string& pattern, const std::string& text) {
    auto pad = PadWithText(text);
    TREParser parser;
    if (!parser.SetPattern(pattern) || !parser.Search(pad->Store(), 0, true)) return "none";
    std::string out;
    for (int i = 0; i <= parser.Count(); ++i)
        out += (i ? " " : "") + std::to_string(parser.Position(i));
    return out;
}

struct ErrorCase {
    const char* pattern;
    TREError error;
    int position;
};

TEST(TREParser, RejectsInvalidPatternsWithMessageAndPosition) {
    const ErrorCase cases[] = {
        {"", reInvalidParameter, 0},
        {"(a|)*", reInvalidRepeat, 4},
        {"(a*)+", reInvalidRepeat, 4},
        {"(a?){2,}", reInvalidRepeat, 4},
        {"^*", reInvalidRepeat, 1},
        {"*a", reInvalidRepeat, 0},
        {"a|+b", reInvalidRepeat, 2},
        {"({2})", reInvalidRepeat, 1},
        {"a**", reNestedRepeat, 2},
        {"a+?", reNestedRepeat, 2},
        {"a{2}{3}", reNestedRepeat, 4},
        {"x{3,2}", reInvalidRange, 1},
        {"x{}", reInvalidRange, 1},
        {"x{,}", reInvalidRange, 1},
        {"x{2", reInvalidRange, 1},
        {"x{2a}", reInvalidRange, 1},
        {"x{70000}", reCountTooLarge, 2},
        {"x{65535}", reCountTooLarge, 2},
        {"x{2,65535}", reCountTooLarge, 4},
        {"[z-a]", reInvalidRange, 1},
        {"[a-]", reInvalidRange, 1},
        {"[\\d-z]", reInvalidRange, 1},
        {"(ab", reUnmatchedParenthesis, 0},
        {"a(b(c)", reUnmatchedParenthesis, 1},
        {"ab)", reUnmatchedParenthesis, 2},
        {"[ab", reUnmatchedBracket, 0},
        {"[]", reUnmatchedBracket, 0},
        {"x[^]", reUnmatchedBracket, 1},
        {"\"abc", reQuoteExpected, 0},
        {"\\x", reHexDigitExpected, 2},
        {"a\\xg", reHexDigitExpected, 3},
        {"abc\\", reUnexpectedEnd, 3},
        {"\"ab\\", reUnexpectedEnd, 3},
        {"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)", reTooManySubexpressions, 27},
    };
    for (const ErrorCase& c : cases) {
        TREParser parser;
        EXPECT_FALSE(parser.SetPattern(c.pattern)) << c.pattern;
        EXPECT_STREQ(REErrorMessage(parser.LastError()), REErrorMessage(c.error)) << c.pattern;
        EXPECT_EQ(parser.ErrorPosition(), c.position) << c.pattern;
        EXPECT_TRUE(parser.Program().empty()) << c.pattern;
    }
}

TEST(TREParser, ErrorTextPutsACaretUnderTheFailingPosition) {
    TREParser parser;
    ASSERT_FALSE(parser.SetPattern("ab\t(cd"));
    EXPECT_EQ(parser.ErrorText(), "Unmatched parenthesis\nab\t(cd\n  \t^");
    EXPECT_EQ(parser.LastError(), reUnmatchedParenthesis);
    // A search without a compiled pattern is refused.
    auto pad = PadWithText("ab");
    EXPECT_THROW(parser.Search(pad->Store(), 0, true), EREParser);
    TEdStream cursor(pad->Store());
    ASSERT_TRUE(parser.SetPattern("b"));
    try {
        parser.Search(nullptr, true);
        FAIL() << "a search without a cursor must raise";
    } catch (const EREParser& error) {
        EXPECT_STREQ(error.what(), "Invalid parameter");
    }
}

TEST(TREParser, EveryMessageHasTheEnginesText) {
    const char* expected[] = {"No errors detected",
                              "Expression not found",
                              "Invalid parameter",
                              "Out of memory",
                              "Too many sub-expressions",
                              "Unmatched parenthesis",
                              "Invalid repeat",
                              "Nested repeat",
                              "Invalid range",
                              "Unmatched bracket",
                              "Hex digit expected",
                              "Unexpected end of input",
                              "' expected",
                              "Index range error",
                              "Internal error",
                              "Search abandoned: the expression needs too many steps",
                              "Repeat count too large (at most 65534)"};
    for (int i = 0; i <= reCountTooLarge; ++i)
        EXPECT_STREQ(REErrorMessage(static_cast<TREError>(i)), expected[i]);
    EXPECT_STREQ(REErrorMessage(TREParser().LastError()), "No errors detected");
}

struct MatchCase {
    const char* pattern;
    const char* text;
    const char* expected;
};

TEST(TREParser, MatchesThePatternSyntax) {
    const MatchCase cases[] = {
        // counted repeats
        {"x{2,3}", "x", "none"},
        {"x{2,3}", "axxb", "1-3"},
        {"x{2,3}", "xxxx", "0-3"},
        {"ax{,2}b", "ab", "0-2"},
        {"ax{,2}b", "axxb", "0-4"},
        {"ax{,2}b", "axxxb", "none"},
        {"ax{2}b", "axb axxb", "4-8"},
        {"ax{2,}b", "axxxxxb", "0-7"},
        {"(ab){2}", "abababx", "0-4"},
        {"(ab){2,}x", "abababx", "0-7"},
        {"(a|bc){1,2}d", "bcad", "0-4"},
        {"(ab){0}c", "abc", "2-3"},
        // either order
        {"ab||cd", "xxabcd", "2-6"},
        {"ab||cd", "cdab", "0-4"},
        {"ab||cd", "ab", "0-2"},
        {"ab||cd", "cd", "0-2"},
        {"ab||cd", "ac", "none"},
        {"(x|y)z||q", "qyz", "0-3"},
        // the dot and line breaks
        {"a.b", "a\rb", "none"},
        {"a.b", "axb", "0-3"},
        {"a\\nb", "a\rb", "0-3"},
        {"a\\rb", "a\rb", "none"},
        {"a\\sb", "a\rb", "0-3"},
        {"a[^x]b", "a\rb", "0-3"},
        // line anchors
        {"^abc", "xabc\rabc", "5-8"},
        {"^abc", "abc", "0-3"},
        {"abc$", "abcx\rabc\r", "5-8"},
        {"abc$", "xabc", "1-4"},
        {"b$\\n^c", "ab\rcd", "1-4"},
        {"$", "ab\rc", "2-2"},
        // classes, sets, quoted text, escapes
        {"\\d+", "ab123c", "2-5"},
        {"\\D\\d", "12a3", "2-4"},
        {"\\w+", "  foo_1 ", "2-7"},
        {"\\W", "ab-c", "2-3"},
        {"\\S+", " \t ab ", "3-5"},
        {"[a-c]+", "xxbcay", "2-5"},
        {"[^a-c]+", "abxyzc", "2-5"},
        {"[-a]+", "x-a-", "1-4"},
        {"[\\]]", "a]b", "1-2"},
        {"[\\d_]+", "x1_2y", "1-4"},
        {"\"a.b*\"", "axb a.b*", "4-8"},
        {"\"a\\\"b\"", "a\"b", "0-3"},
        {"\\x41\\102", "xAB", "1-3"},
        {"\\x2e", "ab.", "2-3"},
        {"a\\ b", "a b", "0-3"},
        {"\\.", "ab.", "2-3"},
        {"\\q", "aq", "1-2"},
        {"}", "a}", "1-2"},
        // alternatives, groups, repeats
        {"cat|dog", "hotdog", "3-6"},
        {"(ab)*c", "ababc", "0-5"},
        {"(a|b)+c", "xabbac", "1-6"},
        {"a(bc)?d", "ad abcd", "0-2"},
        {"colou?r", "color", "0-5"},
        {"a+b", "caaab", "1-5"},
        {"x*", "abc", "0-0"},
        {"a.*b", "a1b2b\rb", "0-5"},
        {"\"\"a", "ba", "1-2"},
        {"\\x00", "a", "none"},
    };
    for (const MatchCase& c : cases)
        EXPECT_EQ(FindIn(c.pattern, c.text), c.expected) << c.pattern << " in " << c.text;
}

TEST(TREParser, CaseBlindMatchingFoldsLiteralsAndSets) {
    EXPECT_EQ(FindIn("port[ab]", "xPORTB", 0, true, false), "1-6");
    EXPECT_EQ(FindIn("port[ab]", "xPORTB", 0, true, true), "none");
    EXPECT_EQ(FindIn("[^b]", "Bb1", 0, true, false), "2-3");
    EXPECT_EQ(FindIn("\xE9t\xE9", "\xC9T\xC9", 0, true, false), "0-3"); // e acute
    EXPECT_EQ(FindIn("x+", "aXxX", 0, true, false), "1-4");
}

TEST(TREParser, BackwardSearchFindsTheLastMatchBeforeTheCursor) {
    const std::string text = "ab ab ab";
    EXPECT_EQ(FindIn("ab", text, 8, false), "6-8");
    EXPECT_EQ(FindIn("ab", text, 6, false), "3-5");
    EXPECT_EQ(FindIn("ab", text, 4, false), "0-2");
    EXPECT_EQ(FindIn("ab", text, 1, false), "none");
    EXPECT_EQ(FindIn("ab", text, 0, false), "none");
    // The match is cut at the cursor rather than passing it.
    EXPECT_EQ(FindIn("a+", "aaaa", 2, false), "1-2");
    EXPECT_EQ(FindIn("[0-9]+", "12 345", 6, false), "5-6");
    // An empty match at the cursor itself is not found again.
    EXPECT_EQ(FindIn("^", "ab\rcd", 3, false), "0-0");
    EXPECT_EQ(FindIn("x||y", "xy yx", 5, false), "4-5");
    // Forwards, a search from the end finds nothing.
    EXPECT_EQ(FindIn("$", "ab", 2, true), "none");
}

TEST(TREParser, RecordsPositionsAsDescribed) {
    // One entry per consuming node, then the end.
    EXPECT_EQ(Recorded("PORT[AB]\\.[0-7]", "x PORTB.3"), "2 6 7 8 9");
    // Every character a repeat takes.
    EXPECT_EQ(Recorded("a+b", "caaab"), "1 2 3 4 5");
    // Closing group 1 drops its inner entries.
    EXPECT_EQ(Recorded("(ab)c", "xabc"), "1 3 4");
    EXPECT_EQ(Recorded("(\\w+)=(\\w+)", "key=val"), "0 3 4 4 5 6 7");
    // The caret takes a line break without recording it.
    EXPECT_EQ(Recorded("^ab", "x\rab"), "2 4");
    // The end of line records where it matched.
    EXPECT_EQ(Recorded("b$", "ab\r"), "1 2 2");
    TREParser parser;
    EXPECT_THROW(parser.Position(256), EREParser);
    EXPECT_THROW(parser.Position(-1), EREParser);
    EXPECT_EQ(parser.Position(255), -1);
}

TEST(TREParser, KeepsTheEndWhenTheTableIsFull) {
    auto pad = PadWithText("<" + std::string(1000, 'x') + ">");
    TREParser parser;
    ASSERT_TRUE(parser.SetPattern("<x*>"));
    ASSERT_TRUE(parser.Search(pad->Store(), 0, true));
    EXPECT_EQ(parser.Count(), 255);
    EXPECT_EQ(parser.Position(0), 0);
    EXPECT_EQ(parser.Position(1), 1);
    EXPECT_EQ(parser.MatchEnd(), 1002);
}

TEST(TREParser, SubstitutesReplacementText) {
    auto pad = PadWithText("say key=val now");
    TREParser parser;
    ASSERT_TRUE(parser.SetPattern("(\\w+)=v"));
    ASSERT_TRUE(parser.Search(pad->Store(), 0, true));
    struct {
        const char* replacement;
        std::string expected;
    } cases[] = {
        {"%1", "key"},
        {"%2%1", "=vkey"},
        {"[%3]", "[]"}, // past the recorded entries
        {"100%%", "100%"},
        {"%x%0", "x0"},
        {"%", "%"},
        {"a\\\\b", "a\\b"},
        {"\\b\\f\\s\\t", "\b\f \t"},
        {"\\n\\r", "\r\n"},
        {"\\x41\\x4g", "A\x04g"},
        {"\\101\\0", std::string("A\0", 2)},
        {"\\xz", "xz"},
        {"\\q\\", "q\\"},
        {"ab\\400cd", "ab"}, // an octal value of 256 or more ends the text
    };
    for (const auto& c : cases)
        EXPECT_EQ(parser.Substitute(c.replacement), c.expected) << c.replacement;
}

TEST(TREParser, CompilesOnlyWhenThePatternChanges) {
    auto pad = PadWithText("one two");
    TREParser parser;
    ASSERT_TRUE(parser.SetPattern("t.o"));
    ASSERT_TRUE(parser.SetPattern("t.o"));
    EXPECT_TRUE(parser.Search(pad->Store(), 0, true));
    EXPECT_EQ(parser.CompileCount(), 1);
    parser.SetMatchCase(false);
    ASSERT_TRUE(parser.SetPattern("t.o"));
    EXPECT_EQ(parser.CompileCount(), 2);
    EXPECT_FALSE(parser.SetPattern("t.o("));
    ASSERT_TRUE(parser.SetPattern("t.o"));
    EXPECT_EQ(parser.CompileCount(), 3);
}

TEST(TREParser, CursorSearchMovesTheCursorToTheMatch) {
    auto pad = PadWithText("abc\rabc");
    TEdStream cursor(pad->Store());
    cursor.Seek(1, TSeekOrigin::soBeginning);
    TREParser parser;
    ASSERT_TRUE(parser.SetPattern("b"));
    ASSERT_TRUE(parser.Search(&cursor, true));
    EXPECT_EQ(cursor.Pos(), 1);
    cursor.Seek(2, TSeekOrigin::soBeginning);
    ASSERT_TRUE(parser.Search(&cursor, true));
    EXPECT_EQ(cursor.Pos(), 5);
    ASSERT_TRUE(parser.Search(&cursor, false));
    EXPECT_EQ(cursor.Pos(), 1);
    EXPECT_FALSE(parser.Search(&cursor, false)); // "b" at 1 does not end before 1
    EXPECT_EQ(cursor.Pos(), 0);
}

TEST(TREParser, RewritesEitherOrderIntoAlternatives) {
    EXPECT_EQ(TRECompiler::RewriteEitherOrder("ab||cd"), "((ab)(cd)?)|((cd)(ab)?)");
    EXPECT_EQ(TRECompiler::RewriteEitherOrder("(ab)||c"), "((ab)(c)?)|((c)(ab)?)");
    // A part that only begins with a group is still grouped as a whole.
    EXPECT_EQ(TRECompiler::RewriteEitherOrder("(a)b||c"), "(((a)b)(c)?)|((c)((a)b)?)");
    EXPECT_EQ(TRECompiler::RewriteEitherOrder("x(a||b)"), "x(((a)(b)?)|((b)(a)?))");
    // Bars inside sets, quotes and escapes are left alone.
    EXPECT_EQ(TRECompiler::RewriteEitherOrder("[||]\"||\"\\|\\|"), "[||]\"||\"\\|\\|");
}

TEST(TREParser, RefusesPatternsThatWouldExplodeWithoutCrashing) {
    TREParser parser;
    std::string chain;
    for (int i = 0; i < 40; ++i)
        chain += "ab||";
    EXPECT_FALSE(parser.SetPattern(chain + "ab"));
    EXPECT_EQ(parser.LastError(), reOutOfMemory);
    EXPECT_FALSE(parser.SetPattern(std::string(50000, '(') + "a||b" + std::string(50000, ')')));
    EXPECT_EQ(parser.LastError(), reTooManySubexpressions);
    EXPECT_FALSE(parser.SetPattern(std::string(100000, '(')));
    EXPECT_EQ(parser.LastError(), reTooManySubexpressions);
    EXPECT_EQ(parser.ErrorPosition(), 9);
    std::string sets;
    for (int i = 0; i < 300; ++i)
        sets += "[ab]";
    EXPECT_FALSE(parser.SetPattern(sets)); // 259 bytes a set: past the 16-bit offsets
    EXPECT_EQ(parser.LastError(), reOutOfMemory);
    EXPECT_TRUE(parser.SetPattern(sets.substr(0, 4 * 200)));
}

// The largest count a brace may hold is still accepted.
TEST(TREParser, AcceptsTheLargestCount) {
    EXPECT_EQ(FindIn("x{0,65534}y", "xxy"), "0-3");
    EXPECT_EQ(FindIn("ax{65534}", "ax"), "none");
}

// Counted repeats of groups that can match in many ways: the states of a
// loop that failed once are not tried again, so these finish well inside the
// default budget, and without that learning the budget says it ran out.
TEST(TREParser, CountedRepeatsWithManyWaysFindTheirMatches) {
    const struct {
        const char* pattern;
        std::string text;
        const char* expected;
    } cases[] = {
        {"(a?){30}a{30}", std::string(30, 'a'), "0-30"},
        {"(a?){30}a{30}", std::string(29, 'a'), "none"},
        {"(a|a){1,30}b", std::string(30, 'a') + "\rb", "none"},
        {"(a|aa){2,40}c", std::string(40, 'a') + "c", "0-41"},
        {"((a?){5}b?){8}c", std::string(30, 'a') + "b" + std::string(9, 'a') + "c", "0-41"},
        {"x(a?){20}a{20}y", "x" + std::string(20, 'a') + "y", "0-22"},
    };
    for (const auto& c : cases) {
        auto pad = PadWithText(c.text);
        TREParser parser;
        parser.SetStepBudget(2'000'000, 0);
        ASSERT_TRUE(parser.SetPattern(c.pattern)) << c.pattern;
        bool found = parser.Search(pad->Store(), 0, true);
        EXPECT_EQ(found ? Span(parser.MatchStart(), parser.MatchEnd()) : "none", c.expected)
            << c.pattern;
    }
    auto pad = PadWithText(std::string(30, 'a'));
    TREParser plain;
    plain.SetLearning(false);
    plain.SetStepBudget(2'000'000, 0);
    ASSERT_TRUE(plain.SetPattern("(a?){30}a{30}"));
    try {
        plain.Search(pad->Store(), 0, true);
        FAIL() << "plain backtracking should run out of steps";
    } catch (const EREParser& error) {
        EXPECT_EQ(error.Error(), reStepLimit);
        EXPECT_STREQ(error.what(), "Search abandoned: the expression needs too many steps");
    }
}

} // namespace
