#include "core/base/TMemoryStream.h"
#include "core/highlight/HighlightExceptions.h"
#include "core/highlight/TLexipadParser.h"
#include "core/lexicon/CharSpecifiers.h"
#include "core/lexicon/ShortCuts.h"

#include <gtest/gtest.h>

using namespace quarno;

namespace {

void Compile(TLexipadParser& parser, const std::string& script) {
    TMemoryStream stream(script);
    parser.CompileScript(stream);
}

std::string ErrorOf(const std::string& script) {
    TLexipadParser parser("Parser1");
    try {
        Compile(parser, script);
    } catch (const ELXP_COMP_ERROR& error) {
        return error.what();
    }
    return "(compiled)";
}

TLP_CharGroup Group(const char* specifier) {
    return ParseCharSpecifiers(specifier).at(0);
}

// A small language in the style of the BASIC dialect, using every section.
const char* const kScript = R"(// sample language
#define TOKEN_STRING 4
%%language
  name = 'MCUBASIC'
  case = __insensitive
  options = __OPT_SYNTAX_HIGHLIGHT or __OPT_AUTOINDENT
  exampletext = '\' Comment Line\nPRINT 1\n'
  editablestyles = ('Comment', 6), ('String', TOKEN_STRING), ('A rather long style name here', 12)
  wordwrapcolumn = 0
  gutter = _default_gutter
  anchor = [0 1]
  startstate = 0
  contextstates = (4 5 [1, 2]), (7 [])
  indentstep = 8
  wrapoverride = '>|:'
  seltextcolor = (*) clWhite
  seltextback = (6824960)
  guttercolor = clSilver
  margincolor = clWhite + 0
  rightmargin = 80
  marginwidth = 2
  fontname = 'Courier New'
  fontsize = 10
  fontcharset = ANSI_CHARSET
  tabcolumns = '5 9;13'
  tabdefault = 4
  boundstates = [3]
  GutterFontName = 'MS Sans Serif'
  GutterFontSize = 8
  GutterFontColor = 42
  GutterFontStyle = [fsBold, fsItalic]
%%words
  '\'' '[]' 1
  'REM' '[]' 1
  'PRINT' '[^a-zA-Z0-9_]' 12
  'ON INTERRUPT' '[^a-zA-Z0-9_]' 12 [0 5]
  '$' '[]' 13
%%handlers
  1 '[^\n]' ? '\n' 0
  13 '[0-9A-Fa-fXx]' '[^0-9A-Fa-f]' 0
  2 match(700) ?
  9 __STD_IDENTIFIER
%%tokens
  TOKEN_STRING __STD_C_STRING
  5 __STD_NUMBER_OR_FP [0 1]
  3 __STD_IDENTIFIER
  20 '@' '[a-z]' ? '[^a-z]' 1
  21 '#' match(5)
  InState 2 ( 22 '[0-9]' '[0-9]' __STD_NUMBER 0  23 '%' )
%%map
  1 6  3 3  4 4  5 5  12 12  13 5
%%effects
  0 clBlack clWhite
  4 clBlue clWhite *
  12 [fsBold] clBlack * clWhite 'hotspot'
%%states
  20 push ( +1 -0 ) pop
  21 ( + [2 3] )
%%containers
  22 ( +2 )
%%keys
  caLEFT (LEFT) 'Cursor left'
  caBLOCKIND ([ctrl] 'k', 'i' | [ctrl, shift] F5)
  caREDO ([ctrl,shift] 'z')
%%autoreplace
  'teh' = 'the'
  actionkeys = ' .\{Return}'
%%templates
  'for' ('counted loop') = 'FOR I = 1 TO 10\nNEXT'
  hotkey = ([alt] 'a')
%%kwTables
  [0] endswith '[^a-z]' ( 30 is 'alpha', 'beta' 31 is 'gamma' )
)";

} // namespace

TEST(TLXP_ScriptParser, CompilesEverySection) {
    TLexipadParser parser("MCUBASIC");
    Compile(parser, kScript);
    const TLP_Language& language = parser.Language();
    const TLP_Settings& settings = language.Settings();
    EXPECT_EQ(settings.LanguageName(), "MCUBASIC");
    EXPECT_EQ(settings.Options(), 16 | 2048);
    EXPECT_EQ(settings.ExampleText(), "' Comment Line\rPRINT 1\r");
    ASSERT_EQ(settings.EditableStyles().size(), 3u);
    EXPECT_EQ(settings.EditableStyles()[1], (TLP_EditableStyle{"String", 4}));
    EXPECT_EQ(settings.EditableStyles()[2].name, "A rather long style name ");
    EXPECT_EQ(settings.Gutter(), 34);
    EXPECT_EQ(language.Anchors(), (TByteSet{0, 1}));
    EXPECT_EQ(language.ContextStates(4), (TByteSet{1, 2}));
    EXPECT_EQ(language.ContextStates(5), (TByteSet{1, 2}));
    EXPECT_EQ(language.ContextStates(7), TByteSet{});
    EXPECT_EQ(language.ContextStates(8), TByteSet{0}) << "others get the start states";
    EXPECT_EQ(settings.IndentStep(), 8);
    EXPECT_EQ(settings.SelTextColor(), 0xFFFFFF);
    EXPECT_EQ(settings.SelTextDefault(), 1);
    EXPECT_EQ(settings.SelTextBack(), 6824960);
    EXPECT_EQ(settings.SelBackDefault(), 0);
    EXPECT_EQ(settings.GutterColor(), 12632256);
    EXPECT_EQ(settings.FontCharset(), 0);
    EXPECT_EQ(settings.TabColumnsText(), "5 9 13");
    EXPECT_EQ(language.BoundStates(), TByteSet{3});
    EXPECT_EQ(settings.GutterFont(),
              (TLP_FontSpec{"MS Sans Serif", 8, 1, 42, kFsBold | kFsItalic}));

    const TSyntaxKeywords& keywords = language.Keywords();
    EXPECT_FALSE(keywords.CaseSensitive());
    ASSERT_EQ(keywords.Count(), 5);
    EXPECT_EQ(keywords.Entry(0).word, "'");
    EXPECT_TRUE(keywords.Entry(0).follow.IsEmpty());
    EXPECT_EQ(keywords.Entry(2).word, "print");
    EXPECT_EQ(keywords.Entry(2).follow, Group("[^a-zA-Z0-9_]"));
    EXPECT_EQ(keywords.Entry(3).states, (TByteSet{0, 5}));

    const TLP_HandlerRecord* comment = language.Handler(1);
    ASSERT_NE(comment, nullptr);
    EXPECT_EQ(comment->continuation.repeat, 1);
    EXPECT_EQ(language.Groups().Get(comment->continuation.group), Group("[^\\n]"));
    EXPECT_EQ(comment->terminator.count, 1);
    EXPECT_EQ(comment->terminator.include, 0);
    EXPECT_TRUE(language.Handler(2)->continuation.custom);
    EXPECT_EQ(language.Handler(2)->continuation.handler, 700);
    EXPECT_FALSE(language.Handler(2)->terminator.Exists());
    EXPECT_EQ(language.Handler(9)->continuation.handler, 10);
    EXPECT_TRUE(language.CustomHandlers());

    EXPECT_EQ(language.TokenStart('"')->start.handler, 13);
    EXPECT_EQ(language.TokenStart('.')->token, 5);
    EXPECT_EQ(language.TokenStart('7')->states, (TByteSet{0, 1}));
    EXPECT_EQ(language.TokenStart('_')->token, 3);
    EXPECT_EQ(language.TokenStart('@')->terminator.include, 1);
    EXPECT_EQ(language.TokenStart('@')->continuation.repeat, 1);
    EXPECT_TRUE(language.TokenStart('#')->continuation.custom);
    EXPECT_EQ(language.TokenStartCount(), 1 + 11 + 53 + 2);
    EXPECT_EQ(language.StatesWithTables(), TByteSet{2});
    const TLP_TokenRule* digit = language.StateTokenStart(2, '4');
    ASSERT_NE(digit, nullptr);
    EXPECT_EQ(digit->states, TByteSet{2});
    EXPECT_TRUE(digit->terminator.hasHandler);
    EXPECT_EQ(digit->terminator.handler, 16);
    EXPECT_EQ(language.StateTokenStart(2, '%')->token, 23);
    EXPECT_EQ(language.TokenStart('%'), nullptr);

    EXPECT_EQ(settings.TokenStyle(13), 5);
    EXPECT_EQ(settings.MapEntryCount(), 6);
    EXPECT_EQ(settings.Style(4), (TLP_Style{0, 0xFF0000, 0xFFFFFF, 0, 1, 0, 1}));
    EXPECT_EQ(settings.Style(12), (TLP_Style{kFsBold, 0, 0xFFFFFF, 1, 0, 1, 1}));

    EXPECT_EQ(language.Effect(20)->stackFlags, TLP_Effect::kPushBefore | TLP_Effect::kPopAfter);
    EXPECT_EQ(language.Effect(20)->noChange, 1) << "a trailing pop clears the changes";
    EXPECT_EQ(language.Effect(21)->added, (TByteSet{2, 3}));
    EXPECT_EQ(language.Effect(22)->context, 1);
    EXPECT_EQ(language.EffectCount(), 3);

    const TKeyboardActionContoller& keys = settings.Keys();
    EXPECT_EQ(keys.Actions().size(), 3u);
    EXPECT_EQ(keys.Description(17), "Indent selected block") << "the default description";
    EXPECT_EQ(keys.Bindings(17),
              (std::vector<TKeyPair>{{kScCtrl | 'K', 'I', 17},
                                     {kScCtrl | kScShift | (vk::F1 + 4), 0, 17}}));
    EXPECT_EQ(keys.Bindings(42), (std::vector<TKeyPair>{{kScCtrl | kScShift | 'Z', 0, 42}}));
    EXPECT_EQ(settings.AutoReplace().Lookup("TEH"), "the");
    EXPECT_EQ(settings.AutoReplace().TriggerKeys(), (std::vector<int>{32, 0xBE, 13}));
    EXPECT_EQ(settings.Templates().Lookup("for"), "FOR I = 1 TO 10\rNEXT");
    EXPECT_EQ(settings.Templates().Entries()[0].description, "counted loop");
    EXPECT_EQ(settings.Templates().HotKey(), kScAlt | 'A');
    ASSERT_EQ(settings.KeywordTables().size(), 1u);
    EXPECT_EQ(settings.KeywordTables()[0].Words().size(), 3u);
    EXPECT_EQ(settings.KeywordTables()[0].Trie().Entry(2).value, 31);
}

TEST(TLXP_ScriptParser, CompiledOutputReadsBackThroughTheBlock) {
    TLexipadParser parser("MCUBASIC");
    Compile(parser, kScript);
    TMemoryStream block;
    parser.WriteParserData(block);
    TLexipadParser read("MCUBASIC");
    block.SetPosition(0);
    read.ReadParserData(block);
    TMemoryStream again;
    read.WriteParserData(again);
    EXPECT_EQ(again.Bytes(), block.Bytes());
    EXPECT_EQ(read.Language().TokenStartCount(), parser.Language().TokenStartCount());
    EXPECT_EQ(read.Language().ContextStateCount(), 3);
    EXPECT_EQ(read.Settings().KeywordTables().size(), 1u);
}

TEST(TLXP_ScriptParser, WithoutAKeysSectionTheDefaultKeyTableStays) {
    TLexipadParser parser;
    Compile(parser, "%%language name = 'X'");
    EXPECT_EQ(parser.Settings().Keys().AllBindings().size(), 48u);
    EXPECT_EQ(parser.Language().ContextStates(200), TByteSet{0});
    EXPECT_EQ(parser.ProgressLabel(), "%%Language");
}

TEST(TLXP_ScriptParser, ErrorMessagesAndPositions) {
    struct Case {
        std::string script;
        const char* message;
    };
    const Case cases[] = {
        {"name = 'x'", "1, Column 1: Script syntax error"},
        {"%%language\r  name 'x'", "2, Column 8: '=' expected"},
        {"%%language\r  name = 42", "2, Column 10: String value expected"},
        {"%%language\r  bogus = 1", "2, Column 3: Identifier \"bogus\" Unknown"},
        {"%%language\r  case = 1", "(compiled)"},
        {"%%language\r  anchor = 1\r  InState = 1", "3, Column 3: Unknown script identifier"},
        {"%%language indentstep = 21", "1, Column 25: Range error, value outwith 0 .. 20"},
        {"%%language options = +", "1, Column 22: Expression expected"},
        {"%%language options = (1 + 2", "1, Column 28: Unexpected EOF"},
        {"%%language editablestyles = ('a' 1)", "1, Column 34: ',' expected"},
        {"%%language editablestyles = ('a', 256)", "1, Column 35: Value must be 0..255"},
        {"%%language contextstates = (1 [0]), (1 [2])",
         "1, Column 43: Token value 1 re-specified in ContextState"},
        {"%%language tabcolumns = '9 5'", "1, Column 25: Tab columns must be in order and unique"},
        {"%%language tabdefault = 0", "1, Column 25: =Illegal default tab stop value, must be > 0"},
        {"%%language GutterFontStyle = [4]", "1, Column 31: Bad font style specifier"},
        {"%%language tabdefault = 65",
         "1, Column 25: =Illegal default tab stop value, must be <= 64"},
        {"%%language tabcolumns = '5 3000'", "1, Column 25: Tab column must be <= 2048"},
        {"%%language rightmargin = 2049", "1, Column 26: Right margin must be between 0 and 2048"},
        {"%%language wordwrapcolumn = 0 - 1",
         "1, Column 33: Word-wrap column must be between 0 and 2048"},
        {"%%language gutter = 99999", "1, Column 21: Gutter width must be between 0 and 1024"},
        {"%%language marginwidth = 2000", "1, Column 26: Margin width must be between 0 and 1024"},
        {"%%words\r'a' '[]' 1\r'A' '[]' 2", "3, Column 10: Duplicate entry in %%word table"},
        {"%%words 'a' 'xy' 1", "1, Column 13: Single character specifier expected"},
        {"%%words 'a' '[z-a]' 1",
         "1, Column 13: Characters not in correct order for range specifier"},
        {"%%words 'a' '[]' 300", "1, Column 18: Range error, value outwith 0 .. 255"},
        {"%%handlers 1 'a' 'abcde' 0", "1, Column 18: Maximum of 4 character specifier allowed"},
        {"%%handlers 1 'a'\r1 'b'", "2, Column 1: Duplicate entry in %%handler table"},
        {"%%handlers 1 5", "1, Column 14: Numeric value out of range"},
        {"%%tokens 3 9", "1, Column 12: Range error, value outwith 10 .. 20"},
        {"%%tokens 3 10\r4 '[a-c]'", "2, Column 3: Ambigious start set in %%token table"},
        {"%%tokens 3 'a' 'b' 7 0", "1, Column 20: Numeric value out of range"},
        {"%%effects 5 0 0\r5 0 0", "2, Column 1: Duplicate %%effect entry"},
        {"%%effects 0 0 0\r0 1 1", "(compiled)"},
        {"%%effects 5 [x] 0 0", "1, Column 14: Identifier \"x\" Unknown"},
        {"%%effects 5 ['a'] 0 0", "1, Column 14: Bad font style specifier"},
        {"%%states 1 ( 2 )", "1, Column 14: ')' expected"},
        {"%%keys 300 (LEFT) ''", "1, Column 19: Key function name cannot be blank"},
        {"%%keys 300 (LEFT)", "1, Column 17: Key function name cannot be blank"},
        {"%%keys 0 (LEFT) 'a' 1 (LEFT) 'b'",
         "1, Column 30: Duplicate key sequence definition for\r\n\"a\" and \"b\""},
        {"%%templates hotkey = ('ab')", "1, Column 23: Key specification required"},
        {"%%autoreplace actionkeys = '\\{Return'", "1, Column 28: Bad key specifier"},
        {"%%autoreplace actionkeys = '" + std::string(256, ';') + "'",
         "1, Column 28: Action keys longer than 255 characters"},
        {"%%kwTables [0] endswith '[^a-z]' ( 1 is 'x' 2 'y' )",
         "1, Column 47: Script syntax error"},
        {"%%words 'a' '[]' 1 [0", "1, Column 22: Unexpected EOF"},
    };
    for (const Case& test : cases) {
        std::string expected = test.message;
        if (expected != "(compiled)") expected = "** ERROR near line " + expected;
        EXPECT_EQ(ErrorOf(test.script), expected) << test.script;
    }
}

// Each parenthesis is a level of recursion: the nesting is bounded, so a
// hostile script ends with a script error and never exhausts the stack.
TEST(TLXP_ScriptParser, ExpressionNestingIsBounded) {
    auto nested = [](int depth) {
        return "%%language\rfontsize = " + std::string(static_cast<size_t>(depth), '(') + "1" +
               std::string(static_cast<size_t>(depth), ')');
    };
    EXPECT_EQ(ErrorOf(nested(256)), "(compiled)");
    const std::string message =
        "** ERROR near line 2, Column 268: Expression nested too deeply (more than 256 "
        "parentheses)";
    EXPECT_EQ(ErrorOf(nested(257)), message);
    EXPECT_EQ(ErrorOf(nested(1300000)), message);
    EXPECT_EQ(ErrorOf("%%language guttercolor = " + std::string(300, '(') + "1"),
              "** ERROR near line 1, Column 282: Expression nested too deeply (more than 256 "
              "parentheses)")
        << "the colour key's own parenthesis counts too";
}

TEST(TLXP_ScriptParser, AFailedCompilationKeepsWhatWasRead) {
    TLexipadParser parser("Parser1");
    EXPECT_THROW(Compile(parser, "%%words 'a' '[]' 1 'b' '[]' 2 %%map 1 1 2 @"), ELXP_COMP_ERROR);
    EXPECT_EQ(parser.Language().Keywords().Count(), 2);
    EXPECT_EQ(parser.Settings().TokenStyle(1), 1);
    EXPECT_EQ(parser.ErrorLine(), 1);
    EXPECT_EQ(parser.ErrorColumn(), 43);
    EXPECT_EQ(parser.ProgressLabel(), "%%Map - 1") << "the last entry whose token was read";
}
