#include "core/highlight/TLexipadParser.h"
#include "support/ParserTestSupport.h"

#include <gtest/gtest.h>
#include <random>

using namespace quarno;
using quarno::test::Tokenize;

namespace {

struct TokenCase {
    std::string text;
    std::string tokens;
};

template <size_t N> void ExpectTokens(TLexipadParser& parser, const TokenCase (&cases)[N]) {
    for (const TokenCase& test : cases)
        EXPECT_EQ(Tokenize(parser, test.text), test.tokens) << "text: " << test.text;
}

// Block comments with states: "/*" moves from state 0 to 1, "*/" back; in
// state 1 its own table makes every character a comment token 8. "end" is a
// keyword of both states but its effect allows it only in state 1; "(" and
// ")" push and pop the state set around state 2.
void BuildBlockComments(TLexipadParser& parser) {
    using namespace quarno::test;
    TLP_Language& language = parser.Language();
    language.Reset();
    language.Keywords().Add("/*", TLP_CharGroup{}, TByteSet{0, 2}, 6);
    language.Keywords().Add("*/", TLP_CharGroup{}, TByteSet{1}, 7);
    language.Keywords().Add("end", NotWordChar(), TByteSet{0, 1, 2}, 9);
    language.Keywords().Add("(", TLP_CharGroup{}, TByteSet{0, 2}, 10);
    language.Keywords().Add(")", TLP_CharGroup{}, TByteSet{0, 2}, 11);
    AddHandlerStart(language, "[A-Za-z_]", 10, 3, TByteSet{0, 2});
    TLP_TokenRule comment;
    comment.start.group = Group(language, "[^]");
    comment.states = TByteSet{1};
    comment.token = 8;
    for (int c = 0; c < 256; ++c)
        language.SetStateTokenStart(1, static_cast<uint8_t>(c), comment);
    TLP_Effect open;
    open.allowed = TByteSet{0, 2};
    open.added = TByteSet{1};
    open.removed = TByteSet{0, 2};
    open.stackFlags = TLP_Effect::kPushBefore;
    language.SetEffect(6, open);
    TLP_Effect close;
    close.allowed = TByteSet{1};
    close.noChange = 1;
    close.stackFlags = TLP_Effect::kPopBefore;
    language.SetEffect(7, close);
    TLP_Effect end;
    end.allowed = TByteSet{1};
    end.noChange = 1;
    language.SetEffect(9, end);
    TLP_Effect push;
    push.allowed = TByteSet{0, 2};
    push.added = TByteSet{2};
    push.removed = TByteSet{0};
    push.stackFlags = TLP_Effect::kPushBefore;
    language.SetEffect(10, push);
    TLP_Effect pop;
    pop.allowed = TByteSet{0, 2};
    pop.noChange = 1;
    pop.stackFlags = TLP_Effect::kPopAfter;
    language.SetEffect(11, pop);
    language.SetContextStates(7, TByteSet{1});
    language.SetContextStates(8, TByteSet{1});
    language.SetAnchors(TByteSet{0, 3});
    language.SetBoundStates(TByteSet{1});
    parser.ResetState(0);
}

} // namespace

// The shipped dialect is tested with its own vocabulary; these cases cover
// the paths its rules take through hand-built tables.
TEST(TLexipadParserScanTest, BasicRulesGiveTheDialectsTokens) {
    TLexipadParser parser;
    test::BuildMiniBasic(parser);
    const TokenCase cases[] = {
        {"REM this\rx", "[REM this]1 [\\r]0 [x]3"},
        {"x 'c", "[x]3 [ ]0 ['c]1"},
        {"$1fz", "[$1f]13 [z]3"},
        {"$\r", "[$]0 [\\r]0"},
        {"%102", "[%10]14 [2]5"},
        {"PRINT print PRINTX", "[PRINT]12 [ ]0 [print]12 [ ]0 [PRINTX]3"},
        {"ON  INTERRUPT", "[ON]15 [ ]0 [ ]0 [INTERRUPT]12"},
        {"REMARK x\ry", "[REMARK x]1 [\\r]0 [y]3"},
        {"print#2", "[print]12 [#]0 [2]5"},
        {"TBLRD*+ TBLRD*", "[TBLRD*+]10 [ ]0 [TBLRD]3 [*]0"},
        {"", ""},
    };
    ExpectTokens(parser, cases);
}

TEST(TLexipadParserScanTest, EmptyTextGivesNoLengthAndTokenZero) {
    TLexipadParser parser;
    test::BuildMiniBasic(parser);
    TTextStore store;
    TEdStream stream(store);
    int length = 0;
    EXPECT_EQ(parser.NextToken(nullptr, stream, length), 0);
    EXPECT_EQ(length, 0);
}

TEST(TLexipadParserScanTest, StatesEffectsAndTheStack) {
    TLexipadParser parser;
    BuildBlockComments(parser);
    const TokenCase cases[] = {
        {"a /* b */ c", "[a]3 [ ]0 [/*]6 [ ]8 [b]8 [ ]8 [*/]7 [ ]0 [c]3"},
        {"/* x\ry */z", "[/*]6 [ ]8 [x]8 [\\r]8 [y]8 [ ]8 [*/]7 [z]3"},
        {"/* * / */", "[/*]6 [ ]8 [*]8 [ ]8 [/]8 [ ]8 [*/]7"},
        // "*/" is no keyword outside a comment.
        {"*/", "[*]0 [/]0"},
        // "end" is a keyword everywhere but its effect allows it only in state 1.
        {"end /*end*/", "[e]0 [nd]3 [ ]0 [/*]6 [end]9 [*/]7"},
        // "(" pushes the set and moves to state 2; ")" pops it back; a
        // comment inside pops back to state 2.
        {"( /* a */ x ) y", "[(]10 [ ]0 [/*]6 [ ]8 [a]8 [ ]8 [*/]7 [ ]0 [x]3 [ ]0 [)]11 [ ]0 [y]3"},
    };
    ExpectTokens(parser, cases);

    TTextStore store;
    test::Fill(store, "( ( /* ");
    TEdStream stream(store);
    parser.ResetState(0);
    int length = 0;
    parser.NextToken(nullptr, stream, length);
    EXPECT_EQ(parser.StackDepth(), 1);
    EXPECT_EQ(parser.CurrentStates(), TByteSet{2});
    parser.NextToken(nullptr, stream, length);
    parser.NextToken(nullptr, stream, length);
    EXPECT_EQ(parser.StackDepth(), 2);
    parser.NextToken(nullptr, stream, length);
    parser.NextToken(nullptr, stream, length);
    EXPECT_EQ(parser.CurrentStates(), TByteSet{1});
    EXPECT_EQ(parser.StackDepth(), 3);
    // A restart empties the stack and takes the token's context states.
    parser.ResetState(8);
    EXPECT_EQ(parser.StackDepth(), 0);
    EXPECT_EQ(parser.CurrentStates(), TByteSet{1});
    parser.ResetState(3);
    EXPECT_EQ(parser.CurrentStates(), TByteSet{0});
    parser.ResetState(-1);
    EXPECT_EQ(parser.CurrentStates(), TByteSet{0});
}

TEST(TLexipadParserScanTest, PoppingAnEmptyStackKeepsTheStates) {
    TLexipadParser parser;
    BuildBlockComments(parser);
    EXPECT_EQ(Tokenize(parser, ") ) x"), "[)]11 [ ]0 [)]11 [ ]0 [x]3");
    EXPECT_EQ(parser.CurrentStates(), TByteSet{0});
}

TEST(TLexipadParserScanTest, ContainerOpensAfterItsTokenAndClosesAtItsEnd) {
    using namespace quarno::test;
    TLexipadParser parser;
    TLP_Language& language = parser.Language();
    // A string rule whose effect opens a container in state 3; in state 3,
    // "\n" is an escape token 11 and everything else a plain one-character
    // token.
    TLP_TokenRule string;
    string.start.group = Group(language, "\"");
    string.continuation = GroupPart(language, "[^\"]", 1);
    string.terminator = Terminator(language, {"\""}, 1);
    string.states = TByteSet{0};
    string.token = 4;
    language.SetTokenStart('"', string);
    language.Keywords().Add("\\n", TLP_CharGroup{}, TByteSet{3}, 11);
    TLP_Effect effect;
    effect.allowed = TByteSet{0};
    effect.added = TByteSet{3};
    effect.removed = TByteSet{0};
    effect.context = 1;
    language.SetEffect(4, effect);
    parser.ResetState(0);

    TTextStore store;
    Fill(store, "x\"a\\nb\"y");
    TEdStream stream(store);
    int length = 0;
    EXPECT_EQ(parser.NextToken(nullptr, stream, length), 0);
    EXPECT_FALSE(parser.ContainerOpen());
    length = 0;
    EXPECT_EQ(parser.NextToken(nullptr, stream, length), 4);
    EXPECT_EQ(length, 6);
    EXPECT_TRUE(parser.ContainerOpen());
    EXPECT_TRUE(parser.Busy());
    EXPECT_EQ(parser.ContainerEnd(), 7);
    EXPECT_EQ(parser.ContainerToken(), 4);
    EXPECT_EQ(parser.CurrentStates(), TByteSet{3});
    // The caller scans the container's characters again.
    stream.Seek(1, TSeekOrigin::soBeginning);
    std::string inner;
    while (parser.ContainerOpen()) {
        length = 0;
        int token = parser.NextToken(nullptr, stream, length);
        inner += std::to_string(token) + ":" + std::to_string(length) + " ";
    }
    EXPECT_EQ(inner, "0:1 0:1 11:2 0:1 0:1 ");
    EXPECT_FALSE(parser.Busy());
    EXPECT_EQ(parser.CurrentStates(), TByteSet{0});
    length = 0;
    EXPECT_EQ(parser.NextToken(nullptr, stream, length), 0);
    EXPECT_EQ(stream.Pos(), 8);
}

TEST(TLexipadParserScanTest, RulesWithTerminatorsAndOneCharacterRules) {
    using namespace quarno::test;
    TLexipadParser parser;
    TLP_Language& language = parser.Language();
    // '<' ... '-->' included; '+' alone; '#' followed by digits and ended
    // before a non-digit; '@' followed by letters and ended before a blank.
    TLP_TokenRule comment;
    comment.start.group = Group(language, "<");
    comment.continuation = GroupPart(language, "[^]", 1);
    comment.terminator = Terminator(language, {"-", "-", ">"}, 1);
    comment.states = TByteSet{0};
    comment.token = 1;
    language.SetTokenStart('<', comment);
    TLP_TokenRule plus;
    plus.start.group = Group(language, "+");
    plus.states = TByteSet{0};
    plus.token = 7;
    language.SetTokenStart('+', plus);
    TLP_TokenRule hash;
    hash.start.group = Group(language, "#");
    hash.continuation = GroupPart(language, "[0-9]");
    hash.terminator = Terminator(language, {"[^0-9]"}, 0);
    hash.states = TByteSet{0};
    hash.token = 5;
    language.SetTokenStart('#', hash);
    TLP_TokenRule at = hash;
    at.start.group = Group(language, "@");
    at.continuation = GroupPart(language, "[a-z]");
    at.terminator = Terminator(language, {" "}, 0);
    at.token = 6;
    language.SetTokenStart('@', at);
    // A rule for a state the parser is not in does not apply.
    TLP_TokenRule other = plus;
    other.start.group = Group(language, "-");
    other.states = TByteSet{5};
    language.SetTokenStart('-', other);
    parser.ResetState(0);
    const TokenCase cases[] = {
        {"<a-->b", "[<a-->]1 [b]0"},
        {"<-->", "[<-->]1"},
        {"<a--", "[<a--]1"},
        {"++", "[+]7 [+]7"},
        {"#12 ", "[#12]5 [ ]0"},
        {"#12", "[#12]5"},
        // A character that is not taken but starts the terminator ends the
        // token; any other character refuses it.
        {"# ", "[#]5 [ ]0"},
        {"#x", "[#]5 [x]0"},
        {"@ab x", "[@ab]6 [ ]0 [x]0"},
        {"@ab1", "[@]0 [a]0 [b]0 [1]0"},
        {"@ ", "[@]6 [ ]0"},
        {"@1", "[@]0 [1]0"},
        {"-", "[-]0"},
    };
    ExpectTokens(parser, cases);
}

// Runs of a plain continuation before a one-character terminator are taken
// over the record at once: the terminator still wins over the continuation,
// a character of neither still refuses the token, and a run goes on across
// the records a long line is kept in.
TEST(TLexipadParserScanTest, RunsBeforeAOneCharacterTerminator) {
    using namespace quarno::test;
    TLexipadParser parser;
    TLP_Language& language = parser.Language();
    TLP_TokenRule braces; // "{" anything "}", the "}" included
    braces.start.group = Group(language, "{");
    braces.continuation = GroupPart(language, "[^]", 1);
    braces.terminator = Terminator(language, {"}"}, 1);
    braces.states = TByteSet{0};
    braces.token = 2;
    language.SetTokenStart('{', braces);
    TLP_TokenRule percent = braces; // "%" letters up to one of x, y, z
    percent.start.group = Group(language, "%");
    percent.continuation = GroupPart(language, "[a-z]");
    percent.terminator = Terminator(language, {"[x-z]"}, 1);
    percent.token = 3;
    language.SetTokenStart('%', percent);
    parser.ResetState(0);
    const TokenCase cases[] = {
        {"{abc}d", "[{abc}]2 [d]0"}, {"{a}b}", "[{a}]2 [b]0 [}]0"},
        {"{ab", "[{ab]2"},           {"{a\rb}c", "[{a\\rb}]2 [c]0"},
        {"%abxq", "[%abx]3 [q]0"},   {"%x", "[%x]3"},
        {"%abcz", "[%abcz]3"},       {"%ab", "[%ab]3"},
        {"%a1", "[%]0 [a]0 [1]0"},   {"%ab1", "[%]0 [a]0 [b]0 [1]0"},
    };
    ExpectTokens(parser, cases);
    // A line longer than a record: one token from "{" to "}".
    const std::string longLine = "{" + std::string(5000, 'a') + "}b";
    EXPECT_EQ(Tokenize(parser, longLine), "[" + longLine.substr(0, 5002) + "]2 [b]0");
    const std::string longRun = "%" + std::string(3000, 'b') + "y!";
    EXPECT_EQ(Tokenize(parser, longRun), "[" + longRun.substr(0, 3002) + "]3 [!]0");
}

TEST(TLexipadParserScanTest, KeywordTablesOfTheSettingsComeAfterTheLanguagesWords) {
    TLexipadParser parser;
    test::BuildMiniBasic(parser);
    TLP_KeywordTable table(TByteSet{0}, "[^a-z]", 0);
    table.AddWord("foo", 20);
    table.AddWord("print", 21);
    parser.Settings().AddKeywordTable(table);
    TLP_KeywordTable other(TByteSet{4}, "", 0);
    other.AddWord("bar", 22);
    parser.Settings().AddKeywordTable(other);
    EXPECT_EQ(Tokenize(parser, "FOO print foox bar"),
              "[FOO]20 [ ]0 [print]12 [ ]0 [foox]3 [ ]0 [bar]3");
}

// A word may hold a line break and so run on into the next record; one that
// does not hold one ends at the line break whatever follows.
TEST(TLexipadParserScanTest, AWordMayRunOnAcrossALineBreak) {
    TLexipadParser parser;
    TLP_Language& language = parser.Language();
    language.Keywords().Add("end\rif", TLP_CharGroup{}, TByteSet{0}, 4);
    language.Keywords().Add("end", TLP_CharGroup{}, TByteSet{0}, 5);
    TLP_KeywordTable table(TByteSet{0}, "", 0);
    table.AddWord("go", 6);
    table.AddWord("going", 7);
    parser.Settings().AddKeywordTable(table);
    const TokenCase cases[] = {
        {"end\rif x", "[end\\rif]4 [ ]0 [x]0"},
        {"end\rix", "[end]5 [\\r]0 [i]0 [x]0"},
        {"x end\r", "[x]0 [ ]0 [end]5 [\\r]0"},
        {"goin\rgoing", "[go]6 [i]0 [n]0 [\\r]0 [going]7"},
        {"go\r", "[go]6 [\\r]0"},
    };
    ExpectTokens(parser, cases);
}

TEST(TLexipadParserScanTest, CustomHandlersTakeWhatTheEventSays) {
    using namespace quarno::test;
    TLexipadParser parser;
    TLP_Language& language = parser.Language();
    // "@" continues through handler 700 (digits); '#' is a rule whose custom
    // continuation 701 decides the value; '!' uses 702, which claims success
    // without taking anything.
    language.Keywords().Add("@", TLP_CharGroup{}, TByteSet{0}, 9);
    SetHandler(language, 9, HandlerPart(700, true));
    TLP_TokenRule hash;
    hash.start.group = Group(language, "#");
    hash.continuation = HandlerPart(701, true);
    hash.states = TByteSet{0};
    hash.token = 5;
    language.SetTokenStart('#', hash);
    language.Keywords().Add("!", TLP_CharGroup{}, TByteSet{0}, 8);
    SetHandler(language, 8, HandlerPart(702, true), Terminator(language, {";"}, 1));
    language.SetCustomHandlers(true);
    parser.ResetState(0);

    // Unassigned, nothing is taken.
    EXPECT_EQ(Tokenize(parser, "@12 #ab"), "[@]0 [1]0 [2]0 [ ]0 [#]0 [a]0 [b]0");

    std::vector<int> ids;
    parser.OnCustomParse = [&ids](TLexipadParser&, int id, TEdStream& stream, int& length,
                                  int& value) {
        ids.push_back(id);
        if (id == 702) return true;
        auto accept = [id](int c) { return id == 700 ? (c >= '0' && c <= '9') : c >= 'a'; };
        int taken = 0;
        while (stream.PeekChar() >= 0 && accept(stream.PeekChar())) {
            stream.NextChar();
            ++taken;
        }
        length += taken;
        if (id == 701) value = 42;
        return taken > 0;
    };
    EXPECT_EQ(Tokenize(parser, "@12 #ab !x"), "[@12]9 [ ]0 [#ab]42 [ ]0 [!]0 [x]0");
    EXPECT_NE(std::find(ids.begin(), ids.end(), 702), ids.end());
}

// Random tables and random texts: whatever the tables say, every token moves
// the cursor on, nothing raises and the tokens cover the text exactly.
TEST(TLexipadParserScanTest, ScanningAlwaysMakesProgress) {
    using namespace quarno::test;
    std::mt19937 random(1234);
    const char* specifiers[] = {"a", "[a-c]", "[^a]", "[^]", "\\n", "[0-9]", "[^\\n]", "b", " "};
    auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    auto part = [&](TLP_Language& language) {
        TLP_MatchPart result;
        if (pick(4) == 0) {
            const int32_t handlers[] = {0, 1, 2, 10, 11, 13, 17, 19, 700, 701, 5};
            result = HandlerPart(handlers[pick(11)], pick(3) == 0);
        } else {
            result = GroupPart(language, specifiers[pick(9)]);
        }
        result.repeat = static_cast<uint8_t>(pick(2));
        return result;
    };
    auto terminator = [&](TLP_Language& language) {
        TLP_Terminator result;
        if (pick(5) == 0) {
            result.hasHandler = true;
            result.custom = pick(2) == 0;
            result.handler = pick(2) ? 701 : 11;
        } else {
            for (int n = pick(4); n > 0; --n)
                result.groups[result.count++] = Group(language, specifiers[pick(9)]);
        }
        result.include = static_cast<uint8_t>(pick(2));
        return result;
    };
    for (int round = 0; round < 200; ++round) {
        TLexipadParser parser;
        TLP_Language& language = parser.Language();
        const char* words[] = {"a", "ab", "abc", "b", "\r", " ", "1", "c c"};
        for (const char* word : words)
            if (pick(2)) language.Keywords().Add(word, TLP_CharGroup{}, TByteSet{0}, pick(6));
        for (int token = 0; token < 6; ++token) {
            if (pick(2))
                language.SetHandler(static_cast<uint8_t>(token),
                                    {part(language), terminator(language)});
            if (pick(3) == 0) {
                TLP_Effect effect;
                effect.allowed = TByteSet{static_cast<uint8_t>(pick(3))};
                effect.added = TByteSet{static_cast<uint8_t>(pick(3))};
                effect.removed = TByteSet{static_cast<uint8_t>(pick(3))};
                effect.context = static_cast<uint8_t>(pick(2));
                effect.stackFlags = static_cast<uint8_t>(pick(16));
                language.SetEffect(static_cast<uint8_t>(token), effect);
            }
        }
        for (char c : std::string("abc1 \r")) {
            TLP_TokenRule rule;
            rule.start = pick(3) == 0 ? HandlerPart(10 + pick(11)) : GroupPart(language, "a");
            rule.continuation = part(language);
            rule.terminator = terminator(language);
            rule.states = TByteSet{static_cast<uint8_t>(pick(3))};
            rule.token = static_cast<uint8_t>(pick(6));
            language.SetTokenStart(static_cast<uint8_t>(c), rule);
            if (pick(4) == 0)
                language.SetStateTokenStart(static_cast<uint8_t>(pick(3)), static_cast<uint8_t>(c),
                                            rule);
        }
        parser.OnCustomParse = [&](TLexipadParser&, int, TEdStream& stream, int& length,
                                   int& value) {
            int move = pick(4) - 1; // sometimes backwards, sometimes nothing
            for (int i = 0; i < move; ++i)
                if (stream.NextChar() >= 0) ++length;
            if (move < 0) stream.PrevChar();
            value = pick(300);
            return pick(2) == 0;
        };
        std::string text;
        for (int n = pick(40); n > 0; --n)
            text += "abc1 \r\"-"[pick(8)];
        TTextStore store;
        Fill(store, text);
        TEdStream stream(store);
        parser.ResetState(0);
        int covered = 0;
        while (stream.Pos() < stream.CharCount()) {
            int before = stream.Pos();
            int length = 0;
            int token = parser.NextToken(nullptr, stream, length);
            ASSERT_GT(stream.Pos(), before) << "round " << round << " text " << text;
            ASSERT_EQ(length, stream.Pos() - before);
            ASSERT_GE(token, 0);
            ASSERT_LE(token, 255);
            covered += length;
        }
        EXPECT_EQ(covered, static_cast<int>(text.size()));
    }
}
