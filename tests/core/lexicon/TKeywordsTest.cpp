#include "core/base/Exceptions.h"
#include "core/base/TMemoryStream.h"
#include "core/highlight/TSyntaxKeywords.h"
#include "core/lexicon/CharSpecifiers.h"

#include <gtest/gtest.h>

using namespace quarno;

namespace {

struct StringCursor {
    std::string_view text;
    size_t pos = 0;
    bool AtEnd() const { return pos >= text.size(); }
    char CurrentChar() const { return text[pos]; }
    void Advance() { ++pos; }
    size_t Position() const { return pos; }
    void SetPosition(size_t p) { pos = p; }
};

TLP_CharGroup Group(const char* specifier) {
    return ParseCharSpecifiers(specifier).at(0);
}

// The matched word and the length, or "-" and the length.
std::string Lookup(const TKeywords& keywords, std::string_view text, const TByteSet& states) {
    StringCursor cursor{text};
    int length = 0;
    int entry = keywords.Match(cursor, states, length);
    EXPECT_EQ(cursor.pos, static_cast<size_t>(length));
    return (entry < 0 ? std::string("-") : keywords.Entry(entry).word) + " " +
           std::to_string(length);
}

} // namespace

TEST(TKeywords, LongestValidProperlyFollowedWordWins) {
    TKeywords keywords(false);
    TLP_CharGroup notWord = Group("[^A-Za-z0-9_]");
    keywords.Add("ON", notWord, TByteSet{0}, 15);
    keywords.Add("ON INTERRUPT", notWord, TByteSet{0}, 12);
    keywords.Add("REM", TLP_CharGroup{}, TByteSet{0}, 1);
    keywords.Add("REMARKS", notWord, TByteSet{0}, 11);
    keywords.Add("print", notWord, TByteSet{0}, 12);
    keywords.Add("state1", notWord, TByteSet{1}, 30);
    struct Case {
        const char* text;
        const char* result;
    };
    const Case cases[] = {
        {"ON INTERRUPT x", "on interrupt 12"},
        {"ON  INTERRUPT", "on 2"},
        {"ON INTERRUPTS", "on 2"},
        {"REMARKS ", "remarks 7"},
        {"REMARK here", "rem 3"},
        {"PRINT", "print 5"},
        {"Print(", "print 5"},
        {"PRINTX", "- 1"},
        {"state1 ", "- 1"},
        {"", "- 0"},
    };
    for (const Case& test : cases)
        EXPECT_EQ(Lookup(keywords, test.text, TByteSet{0}), test.result) << test.text;
    EXPECT_EQ(Lookup(keywords, "STATE1 ", TByteSet{1, 2}), "state1 6");
}

TEST(TKeywords, WordsAtOneNodeAreTriedInTheOrderAdded) {
    TKeywords keywords(true);
    keywords.Add("@", Group("[0-9]"), TByteSet{0}, 1);
    keywords.Add("@", Group("[a-z]"), TByteSet{1}, 2);
    keywords.Add("@", TLP_CharGroup{}, TByteSet{2}, 3);
    StringCursor cursor{"@x"};
    int length = 0;
    EXPECT_EQ(keywords.Entry(keywords.Match(cursor, TByteSet{0, 1, 2}, length)).value, 2);
    cursor = {"@5"};
    EXPECT_EQ(keywords.Entry(keywords.Match(cursor, TByteSet{0, 1, 2}, length)).value, 1);
    EXPECT_THROW(keywords.Add("@", TLP_CharGroup{}, TByteSet{2, 5}, 4), ELexipad);
    keywords.Add("@", TLP_CharGroup{}, TByteSet{5}, 4);
    EXPECT_EQ(keywords.Count(), 4);
}

TEST(TKeywords, CaseSensitiveTriesPruneNodesByState) {
    TKeywords keywords(true);
    keywords.Add("ab", TLP_CharGroup{}, TByteSet{1}, 1);
    keywords.Add("a", TLP_CharGroup{}, TByteSet{0}, 2);
    EXPECT_EQ(Lookup(keywords, "ab", TByteSet{0}), "a 1");
    EXPECT_EQ(Lookup(keywords, "ab", TByteSet{1}), "ab 2");
    EXPECT_EQ(Lookup(keywords, "AB", TByteSet{1}), "- 1");
    try {
        TKeywords folded(false);
        folded.Add("Print", TLP_CharGroup{}, TByteSet{0}, 1);
        folded.Add("PRINT", TLP_CharGroup{}, TByteSet{0}, 2);
        FAIL() << "duplicate accepted";
    } catch (const ELexipad& error) {
        EXPECT_STREQ(error.what(), "Duplicate keyword - 'print'");
    }
}

TEST(TSyntaxKeywords, StreamFormKeepsWordsAndOrder) {
    TSyntaxKeywords empty;
    TMemoryStream emptyStream;
    empty.WriteTo(emptyStream);
    EXPECT_EQ(emptyStream.Bytes(), std::string(9, '\0')) << "a 0 byte after the zero count";

    TSyntaxKeywords keywords;
    keywords.Add("rem", TLP_CharGroup{}, TByteSet{0}, 1);
    keywords.Add("print", Group("[^a-z_0-9]"), TByteSet{0, 7}, 12);
    keywords.Add("$", TLP_CharGroup{}, TByteSet{0}, 13);
    TMemoryStream stream;
    keywords.WriteTo(stream);
    EXPECT_EQ(stream.Size(), 4 + 4 + 3 * (1 + 37 + 32 + 4) + 3 + 5 + 1 + 1);
    stream.SetPosition(0);
    TSyntaxKeywords read;
    read.ReadFrom(stream);
    EXPECT_EQ(stream.Position(), stream.Size());
    ASSERT_EQ(read.Count(), 3);
    EXPECT_EQ(read.Entry(1).word, "print");
    EXPECT_EQ(read.Entry(1).follow, Group("[^a-z_0-9]"));
    EXPECT_EQ(read.Entry(1).states, (TByteSet{0, 7}));
    TMemoryStream again;
    read.WriteTo(again);
    EXPECT_EQ(again.Bytes(), stream.Bytes());

    std::string bad = stream.Bytes();
    bad[8 + 4 + 37 + 32 + 1] = 1; // token value 257 of the first word
    TMemoryStream badStream(bad);
    EXPECT_THROW(read.ReadFrom(badStream), ELexipad);
}

TEST(CharSpecifiers, GroupsAndEscapes) {
    struct Case {
        const char* raw;
        size_t groups;
        const char* members; // of the first group
        bool negate;
    };
    const Case cases[] = {
        {"a", 1, "a", false},       {"abc", 3, "a", false},     {"a-z", 3, "a", false},
        {"[a-c]", 1, "abc", false}, {"[^a-c]", 1, "abc", true}, {"[ac-]", 1, "ac-", false},
        {"[\\]x]", 1, "]x", false}, {"[\\[]", 1, "[", false},   {"[]", 1, "", false},
        {"\\n", 1, "\r", false},    {"\\r", 1, "\n", false},    {"\\T\\s", 2, "\t", false},
        {"\\x41", 1, "A", false},   {"\\u42", 1, "B", false},   {"\\101", 1, "A", false},
        {"\\q", 1, "q", false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.raw);
        std::vector<TLP_CharGroup> groups = ParseCharSpecifiers(test.raw);
        ASSERT_EQ(groups.size(), test.groups);
        TByteSet expected;
        for (const char* c = test.members; *c; ++c)
            expected.Include(static_cast<uint8_t>(*c));
        EXPECT_EQ(groups[0].set, expected);
        EXPECT_EQ(groups[0].negate, test.negate);
    }
    EXPECT_TRUE(ParseCharSpecifiers("").empty());
    EXPECT_THROW(ParseCharSpecifiers("[z-a]"), ELexipad);
    EXPECT_THROW(ParseCharSpecifiers("[abc"), ELexipad);
    EXPECT_EQ(UnescapeScriptString("a\\nb\\x41\\\\\\'"), "a\rbA\\'");
    EXPECT_EQ(UnescapeScriptString("\\u41"), "u41") << "u is hexadecimal in specifiers only";
}
