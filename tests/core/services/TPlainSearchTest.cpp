#include "core/services/TPlainSearch.h"
#include "core/services/TStoreText.h"
#include "support/SearchTestText.h"

#include <gtest/gtest.h>
#include <random>

using namespace quarno;
using quarno::test::PadWithText;

namespace {

struct PlainCase {
    const char* text;
    const char* pattern;
    bool matchCase;
    bool wholeWord;
    bool forward;
    int from;
    int expected;
};

TEST(TPlainSearch, FindsWithCaseWholeWordAndDirection) {
    const PlainCase cases[] = {
        {"Loop loop LOOP", "loop", true, false, true, 0, 5},
        {"Loop loop LOOP", "loop", false, false, true, 0, 0},
        {"Loop loop LOOP", "loop", false, false, true, 1, 5},
        {"Loop loop LOOP", "loop", false, false, false, 14, 10},
        {"Loop loop LOOP", "loop", true, false, false, 14, 5},
        {"Loop loop LOOP", "loop", false, false, false, 9, 5},
        {"Loop loop LOOP", "loop", false, false, false, 8, 0},
        {"Loop loop LOOP", "loop", false, false, false, 3, -1},
        {"loops loop", "loop", true, true, true, 0, 6},
        {"loop loops", "loop", true, true, false, 10, 0},
        {"xloop loop_ loop", "loop", true, true, true, 0, 12},
        {"a-loop loop' (loop)", "loop", true, true, true, 0, 14},
        {"loop", "loop", true, true, true, 0, 0},
        {"ab\rcd", "b\rc", true, false, true, 0, 1},
        {"ab\rcd", "B\rC", false, false, false, 5, 1},
        {"aaaa", "aa", true, false, true, 1, 1},
        {"aaaa", "aa", true, false, false, 3, 1},
        {"abc", "abcd", true, false, true, 0, -1},
        {"abc", "", true, false, true, 0, -1},
        {"abc", "c", true, false, true, 3, -1},
        {"\xE9t\xC9", "\xC9T\xE9", false, false, true, 0, 0}, // accented letters fold too
    };
    for (const PlainCase& c : cases) {
        auto pad = PadWithText(c.text);
        TStoreText text(pad->Store());
        TPlainSearch search;
        search.SetPattern(c.pattern, c.matchCase);
        TWordCharTest test = DefaultCharIsInWord;
        const TWordCharTest* word = c.wholeWord ? &test : nullptr;
        int found = c.forward ? search.FindForward(text, c.from, word)
                              : search.FindBackward(text, c.from, word);
        EXPECT_EQ(found, c.expected) << c.pattern << " in " << c.text << " from " << c.from
                                     << (c.forward ? " forward" : " backward");
    }
}

TEST(TPlainSearch, OwnerWordTestDecidesWholeWords) {
    auto pad = PadWithText("a-loop loop");
    TStoreText text(pad->Store());
    TPlainSearch search;
    search.SetPattern("loop", true);
    TWordCharTest lettersOnly = [](char c) { return c >= 'a' && c <= 'z'; };
    EXPECT_EQ(search.FindForward(text, 0, &lettersOnly), 2);
    TWordCharTest standard = DefaultCharIsInWord;
    EXPECT_EQ(search.FindForward(text, 0, &standard), 7);
}

TEST(TPlainSearch, RebuildsTablesOnlyForANewPatternOrCase) {
    TPlainSearch search;
    search.SetPattern("PORTB", true);
    search.SetPattern("PORTB", true);
    EXPECT_EQ(search.TableBuilds(), 1);
    search.SetPattern("PORTB", false);
    EXPECT_EQ(search.TableBuilds(), 2);
    search.SetPattern("PORTA", false);
    search.SetPattern("PORTA", false);
    EXPECT_EQ(search.TableBuilds(), 3);
}

// A 5000-character line is stored as records of 2047, 2047 and 906
// characters; a match may straddle either split, at every offset.
TEST(TPlainSearch, FindsMatchesAcrossRecordSplits) {
    const std::string pattern = "PORTB.7";
    for (int split : {2047, 4094}) {
        for (int offset = -8; offset <= 1; ++offset) {
            std::string line(5000, 'x');
            int at = split + offset;
            line.replace(static_cast<size_t>(at), pattern.size(), pattern);
            auto pad = PadWithText("first\r" + line + "\rlast");
            ASSERT_GT(pad->Store().RecordCount(), 4);
            TStoreText text(pad->Store());
            TPlainSearch search;
            search.SetPattern(pattern, false);
            EXPECT_EQ(search.FindForward(text, 0), at + 6) << at;
            EXPECT_EQ(search.FindBackward(text, pad->CharCount()), at + 6) << at;
            EXPECT_EQ(search.FindForward(text, at + 7), -1) << at;
            EXPECT_EQ(search.FindBackward(text, at + 6 + 6), -1) << at;
        }
    }
}

// Against std::string search on random texts, patterns and start positions,
// including patterns longer than a window and texts of many short records.
TEST(TPlainSearch, MatchesStringSearchOnRandomTexts) {
    std::mt19937 random(7);
    TPlainSearch search;
    for (int round = 0; round < 40; ++round) {
        std::string text;
        size_t length = 1 + random() % 9000;
        int breakEvery = 2 + static_cast<int>(random() % 3000);
        while (text.size() < length)
            text += random() % static_cast<unsigned>(breakEvery) == 0 ? '\r' : "ab"[random() % 2];
        auto pad = PadWithText(text);
        TStoreText storeText(pad->Store());
        for (int probe = 0; probe < 50; ++probe) {
            size_t patternLength = 1 + random() % (probe % 10 == 0 ? 700 : 8);
            size_t start = random() % text.size();
            std::string pattern = text.substr(start, patternLength);
            if (random() % 3 == 0) pattern.back() = "ab\r"[random() % 3];
            search.SetPattern(pattern, true);
            int from = static_cast<int>(random() % (text.size() + 1));
            size_t forward = text.find(pattern, static_cast<size_t>(from));
            EXPECT_EQ(search.FindForward(storeText, from),
                      forward == std::string::npos ? -1 : static_cast<int>(forward));
            size_t backward = static_cast<size_t>(from) >= pattern.size()
                                  ? text.rfind(pattern, static_cast<size_t>(from) - pattern.size())
                                  : std::string::npos;
            EXPECT_EQ(search.FindBackward(storeText, from),
                      backward == std::string::npos ? -1 : static_cast<int>(backward));
        }
    }
}

} // namespace
