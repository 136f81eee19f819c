#include "core/services/TStoreSearch.h"
#include "core/editor/TCustomLexipad.h"
#include "support/SearchTestText.h"

#include <gtest/gtest.h>
#include <random>
#include <vector>

using namespace quarno;
using quarno::test::PadWithText;

namespace {

// Walking through every match of a document of many blocks of records, both
// engines in both directions, against std::string search.
TEST(TStoreSearch, WalksEveryMatchOfALargeDocument) {
    std::mt19937 random(3);
    const char* lines[] = {"    High PORTB.1", "", "x", "Toggle PORTA.0 : PORTB.1", "GoSub Sub_1"};
    std::string text;
    while (text.size() < 200000) {
        text += lines[random() % std::size(lines)];
        if (random() % 300 == 0) text += std::string(2040 + random() % 20, 'y') + "PORTB.1";
        text += '\r';
    }
    auto pad = PadWithText(text);
    std::vector<int> expected;
    for (size_t at = text.find("PORTB.1"); at != std::string::npos;
         at = text.find("PORTB.1", at + 1))
        expected.push_back(static_cast<int>(at));
    TStoreSearch search;
    for (uint32_t engine : {0u, static_cast<uint32_t>(foRegExpr)}) {
        const char* pattern = engine ? "PORT[B]\\.1" : "PORTB.1";
        std::vector<int> forward;
        int from = 0;
        while (auto match =
                   search.SearchNext(pad->Store(), from, -1, engine | foMatchCase, pattern)) {
            forward.push_back(match->start);
            from = match->end;
        }
        EXPECT_EQ(forward, expected) << engine;
        std::vector<int> backward;
        from = pad->CharCount();
        while (auto match =
                   search.Search(pad->Store(), from, engine | foMatchCase | foBackward, pattern)) {
            backward.insert(backward.begin(), match->start);
            from = match->start;
        }
        EXPECT_EQ(backward, expected) << engine;
    }
}

// Options the search alone decides: an empty plain text finds nothing, an
// empty regular expression is the engine's error, and the word test is the
// owner's.
TEST(TStoreSearch, EmptyTextsAndTheOwnersWordTest) {
    auto pad = PadWithText("a-loop loop");
    TStoreSearch search;
    EXPECT_FALSE(search.Search(pad->Store(), 0, 0, "").has_value());
    EXPECT_THROW(search.Search(pad->Store(), 0, foRegExpr, ""), EREParser);
    auto match = search.Search(pad->Store(), 0, foWholeWord, "loop");
    ASSERT_TRUE(match.has_value());
    EXPECT_EQ(match->start, 7); // "-" continues a word by default
    search.SetCharIsInWord([](char c) { return c >= 'a' && c <= 'z'; });
    match = search.Search(pad->Store(), 0, foWholeWord, "loop");
    ASSERT_TRUE(match.has_value());
    EXPECT_EQ(match->start, 2);
    try {
        search.Search(pad->Store(), 0, foRegExpr, "x[ab");
        ADD_FAILURE() << "no error raised";
    } catch (const EREParser& error) {
        EXPECT_EQ(search.ErrorText(error), "Unmatched bracket\nx[ab\n ^");
    }
}

} // namespace
