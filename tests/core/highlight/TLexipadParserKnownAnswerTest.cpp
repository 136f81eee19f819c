// A compiled parser block written by hand from the format
// (tests/data/formats/parser_block.hex): read into the expected tables and
// written back byte for byte.
#include "core/base/TMemoryStream.h"
#include "core/highlight/TLexipadParser.h"
#include "support/HexFixture.h"

#include <gtest/gtest.h>

using namespace quarno;
using quarno::test::ReadHexFixture;

namespace {

std::string Members(const TLP_CharGroup& group) {
    std::string text = group.negate ? "^" : "";
    for (int c = 0; c < 256; ++c)
        if (group.set.Contains(static_cast<uint8_t>(c))) text += static_cast<char>(c);
    return text;
}

} // namespace

TEST(TLexipadParserKnownAnswer, HandWrittenBlockReadsIntoTheExpectedTables) {
    auto parts = ReadHexFixture("formats/parser_block.hex");
    TMemoryStream block(parts["block"]);
    TLexipadParser parser("Parser1");
    parser.ReadParserData(block);
    EXPECT_EQ(block.Position(), block.Size());
    EXPECT_EQ(parser.LastBlock().version, 51);
    EXPECT_EQ(parser.LastBlock().innerSize, static_cast<int32_t>(parts["inner"].size()));
    EXPECT_EQ(parser.LastBlock().blocks, 1);

    const TLP_Language& language = parser.Language();
    const TLP_CharGroupManager& groups = language.Groups();
    EXPECT_EQ(language.Settings().LanguageName(), "TINY");
    EXPECT_EQ(language.Settings().DefinedStyleCount(), 1);
    EXPECT_EQ(language.Settings().Style(1).textColor, 0x000000FF);
    EXPECT_EQ(language.Settings().TokenStyle(2), 1);
    EXPECT_EQ(language.Settings().Keys().AllBindings().size(), 0u);

    const TSyntaxKeywords& keywords = language.Keywords();
    EXPECT_FALSE(keywords.CaseSensitive());
    ASSERT_EQ(keywords.Count(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(keywords.Entry(i).word, (std::vector<std::string>{"end", "goto", "print"})[i]);
        EXPECT_TRUE(keywords.Entry(i).follow.IsEmpty());
        EXPECT_EQ(keywords.Entry(i).states, TByteSet{0});
        EXPECT_EQ(keywords.Entry(i).value, 1);
    }

    EXPECT_EQ(language.HandlerCount(), 1);
    const TLP_HandlerRecord* handler = language.Handler(2);
    ASSERT_NE(handler, nullptr);
    EXPECT_EQ(Members(groups.Get(handler->continuation.group)), "^\"");
    EXPECT_FALSE(handler->continuation.hasHandler);
    EXPECT_EQ(handler->terminator.include, 1);
    ASSERT_EQ(handler->terminator.count, 1);
    EXPECT_EQ(Members(groups.Get(handler->terminator.groups[0])), "\"");

    EXPECT_EQ(language.TokenStartCount(), 1);
    const TLP_TokenRule* rule = language.TokenStart('"');
    ASSERT_NE(rule, nullptr);
    EXPECT_EQ(Members(groups.Get(rule->start.group)), "\"");
    EXPECT_EQ(rule->states, TByteSet{0});
    EXPECT_EQ(rule->continuation.repeat, 1);
    EXPECT_EQ(rule->continuation.group, handler->continuation.group) << "equal groups pooled";
    EXPECT_EQ(rule->terminator, handler->terminator);
    EXPECT_EQ(rule->token, 2);

    EXPECT_EQ(language.ContextStateCount(), 0);
    EXPECT_EQ(language.EffectCount(), 0);
    EXPECT_EQ(language.StateTableCount(), 0);
    EXPECT_EQ(language.Anchors(), TByteSet{0});
    EXPECT_EQ(language.BoundStates(), TByteSet{});
    EXPECT_EQ(language.StartStates(), TByteSet{0});
    EXPECT_FALSE(language.CustomHandlers());
}

TEST(TLexipadParserKnownAnswer, WritingWhatWasReadGivesTheSameBytes) {
    auto parts = ReadHexFixture("formats/parser_block.hex");
    TMemoryStream block(parts["block"]);
    TLexipadParser parser("Parser1");
    parser.ReadParserData(block);

    TMemoryStream inner;
    parser.Language().WriteInner(inner);
    EXPECT_EQ(inner.Bytes(), parts["inner"]);
    TMemoryStream written;
    parser.WriteParserData(written);
    EXPECT_EQ(written.Bytes(), parts["block"]);
}
