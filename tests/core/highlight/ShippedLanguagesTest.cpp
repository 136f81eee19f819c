#include "core/highlight/ShippedLanguages.h"
#include "core/base/TMemoryStream.h"
#include "core/lexicon/ShortCuts.h"
#include "support/ParserTestSupport.h"

#include <gtest/gtest.h>
#include <map>

using namespace quarno;
using quarno::test::Tokenize;

namespace {

constexpr int32_t kBlack = 0x000000, kMaroon = 0x000080, kGreen = 0x008000, kOlive = 0x008080,
                  kNavy = 0x800000, kRed = 0x0000FF, kBlue = 0xFF0000, kWhite = 0xFFFFFF;

std::string Block(const TLexipadParser& parser) {
    TMemoryStream stream;
    parser.WriteParserData(stream);
    return stream.Bytes();
}

// How many keywords give each token value.
std::map<int, int> WordsPerToken(const TLexipadParser& parser) {
    std::map<int, int> counts;
    const TSyntaxKeywords& words = parser.Language().Keywords();
    for (int i = 0; i < words.Count(); ++i)
        ++counts[words.Entry(i).value];
    return counts;
}

struct StyleCase {
    int index;
    bool bold;
    int32_t color;
};

void ExpectStyles(const TLP_Settings& settings, const std::vector<StyleCase>& styles) {
    int defined = 0;
    for (const StyleCase& expected : styles) {
        const TLP_Style& style = settings.Style(static_cast<uint8_t>(expected.index));
        EXPECT_NE(style.defined, 0) << "style " << expected.index;
        EXPECT_EQ(style.fontStyle, expected.bold ? 1 : 0) << "style " << expected.index;
        EXPECT_EQ(style.textColor, expected.color) << "style " << expected.index;
        EXPECT_EQ(style.backColor, kWhite) << "style " << expected.index;
        EXPECT_EQ(style.textDefault + style.backDefault + style.hotSpot, 0);
        ++defined;
    }
    EXPECT_EQ(settings.DefinedStyleCount(), defined);
}

} // namespace

TEST(ShippedLanguagesTest, BlocksRoundTripThroughTheParser) {
    for (const std::string& name : ShippedLanguageNames()) {
        std::unique_ptr<TLexipadParser> parser = MakeShippedParser(name);
        EXPECT_EQ(Block(*parser), std::string(ShippedLanguageBlock(name))) << name;
        TLexipadParser copy;
        copy.Assign(*parser);
        EXPECT_EQ(Block(copy), Block(*parser)) << name;
    }
    EXPECT_TRUE(ShippedLanguageBlock("pascal").empty());
    EXPECT_THROW(MakeShippedParser("pascal"), ELexipad);
}

TEST(ShippedLanguagesTest, ComponentsAndTableCounts) {
    struct Expected {
        const char* name;
        const char* component;
        const char* script;
        int blocks, keywords, contextStates, styles, mapEntries, editable;
    };
    const Expected cases[] = {
        {"basic", "MCUBASIC", "KBX.TXT", 7, 2535, 0, 25, 26, 21},
        {"asm", "LexipadParser1", "ASM.TXT", 2, 449, 256, 19, 23, 0},
    };
    for (const Expected& expected : cases) {
        SCOPED_TRACE(expected.name);
        std::unique_ptr<TLexipadParser> parser = MakeShippedParser(expected.name);
        const TLP_Language& language = parser->Language();
        EXPECT_EQ(parser->Name(), expected.component);
        EXPECT_EQ(parser->Script(), expected.script);
        EXPECT_EQ(parser->Compile(), "Compiled");
        EXPECT_FALSE(parser->UseRegistry());
        EXPECT_EQ(parser->LastBlock().version, 51);
        EXPECT_EQ(parser->LastBlock().blocks, expected.blocks);
        EXPECT_EQ(language.Keywords().Count(), expected.keywords);
        EXPECT_FALSE(language.Keywords().CaseSensitive());
        EXPECT_EQ(language.HandlerCount(), 5);
        EXPECT_EQ(language.TokenStartCount(), 65); // '"', '.', digits, letters, '_'
        EXPECT_EQ(language.ContextStateCount(), expected.contextStates);
        EXPECT_EQ(language.EffectCount(), 0);
        EXPECT_EQ(language.StateTableCount(), 0);
        EXPECT_EQ(language.Anchors(), TByteSet{0});
        EXPECT_EQ(language.StartStates(), TByteSet{0});
        EXPECT_TRUE(language.BoundStates().IsEmpty());
        EXPECT_FALSE(language.CustomHandlers());
        EXPECT_EQ(language.Settings().DefinedStyleCount(), expected.styles);
        EXPECT_EQ(language.Settings().MapEntryCount(), expected.mapEntries);
        EXPECT_EQ(static_cast<int>(language.Settings().EditableStyles().size()), expected.editable);
    }
}

TEST(ShippedLanguagesTest, BasicVocabularyPerToken) {
    std::unique_ptr<TLexipadParser> basic = MakeShippedParser("basic");
    const std::map<int, int> expected = {{1, 3},    {8, 1318}, {10, 202}, {11, 122}, {12, 191},
                                         {13, 1},   {14, 1},   {15, 33},  {16, 27},  {17, 27},
                                         {18, 146}, {19, 56},  {20, 17},  {21, 14},  {22, 219},
                                         {24, 11},  {25, 147}};
    EXPECT_EQ(WordsPerToken(*basic), expected);
    std::unique_ptr<TLexipadParser> assembler = MakeShippedParser("asm");
    const std::map<int, int> asmExpected = {{0, 41}, {1, 1}, {8, 267}, {10, 77}, {12, 2}, {18, 61}};
    EXPECT_EQ(WordsPerToken(*assembler), asmExpected);

    // Only the comment starters, the number prefixes and the braces may be
    // followed by anything; every other word ends before a word character.
    const TLP_CharGroup wordEnd = ParseCharSpecifiers("[^A-Za-z0-9_]").at(0);
    const TSyntaxKeywords& words = basic->Language().Keywords();
    int anyFollow = 0;
    for (int i = 0; i < words.Count(); ++i) {
        const TKeywordEntry& entry = words.Entry(i);
        if (entry.follow.IsEmpty()) {
            ++anyFollow;
            EXPECT_TRUE(entry.word == "'" || entry.word == ";" || entry.word == "rem" ||
                        entry.word == "$" || entry.word == "%" || entry.word == "{" ||
                        entry.word == "}")
                << entry.word;
        } else {
            EXPECT_EQ(entry.follow, wordEnd) << entry.word;
        }
        EXPECT_EQ(entry.states, TByteSet{0}) << entry.word;
    }
    EXPECT_EQ(anyFollow, 7);
}

TEST(ShippedLanguagesTest, BasicSettings) {
    std::unique_ptr<TLexipadParser> parser = MakeShippedParser("basic");
    const TLP_Settings& settings = parser->Settings();
    EXPECT_EQ(settings.LanguageName(), "MCUBASIC");
    EXPECT_EQ(settings.ExampleText(),
              "' Comment Line\rPRINT AT 1,2,\"Hello World\", Bin8 Var\rDECLARE RSOUT_PIN PORTA.1\r"
              "Wreg_Byte Var1\rMovlw 10\rHBUSIN MACRO Varin,Bitin,Byteout\r"
              "SHIN CLK,DTA,MSBPRE,[Var1]\rLED = 1\r");
    EXPECT_EQ(settings.ExampleText().size(), 170u);
    EXPECT_EQ(settings.WrapOverride(), ">|:");
    EXPECT_EQ(settings.Options(), 67099632);
    EXPECT_EQ(settings.Margin(), 2);
    EXPECT_EQ(settings.RightMargin(), 80);
    EXPECT_EQ(settings.WrapColumn(), 0);
    EXPECT_EQ(settings.Gutter(), 34);
    EXPECT_EQ(settings.IndentStep(), 8);
    EXPECT_EQ(settings.MarginColor(), kWhite);
    EXPECT_EQ(static_cast<uint32_t>(settings.GutterColor()), 0x8000000Fu);
    EXPECT_EQ(settings.SelTextColor(), kWhite);
    EXPECT_EQ(settings.SelTextBack(), 0x00682400);
    EXPECT_EQ(settings.TabDefault(), 4);
    EXPECT_EQ(settings.TabColumnsText(), "5 9 13 17 21 25 29 33 37 41 45 49 53 57 61");
    EXPECT_EQ(settings.TabColumns()[0], 4);
    EXPECT_EQ(settings.TabColumns()[14], 60);
    EXPECT_EQ(settings.TabColumns()[15], -1);
    EXPECT_EQ(settings.FontName(), "Courier New");
    EXPECT_EQ(settings.FontSize(), 10);
    EXPECT_EQ(settings.FontCharset(), 0);
    EXPECT_EQ(settings.MarginDefault() + settings.SelTextDefault() + settings.SelBackDefault() +
                  settings.GutterDefault(),
              0);
    const TLP_FontSpec gutterFont{"MS Sans Serif", 8, 1, static_cast<int32_t>(0x80000008u), 0};
    EXPECT_EQ(settings.GutterFont(), gutterFont);
    EXPECT_TRUE(settings.KeywordTables().empty());
    EXPECT_EQ(settings.Templates().Entries().size(), 0u);
    EXPECT_EQ(ShortCutToText(settings.Templates().HotKey()), "Ctrl+J");
    EXPECT_TRUE(settings.Templates().Enabled());
    EXPECT_EQ(settings.AutoReplace().Entries().size(), 0u);
    EXPECT_EQ(settings.AutoReplace().TriggerText(), ";,:.=()[]\\{Return}\\{Tab}\\{Space}");
    EXPECT_EQ(ShortCutToText(settings.AutoReplace().HotKey()), "Ctrl+J");
    const TKeyboardActionContoller& defaults = TKeyboardActionContoller::DefaultKeyTable();
    EXPECT_EQ(settings.Keys().Actions(), defaults.Actions());
    EXPECT_EQ(settings.Keys().AllBindings(), defaults.AllBindings());

    ExpectStyles(settings, {{0, false, kBlack},  {3, false, kBlack},   {4, false, kBlue},
                            {5, false, kRed},    {6, false, kNavy},    {7, false, kBlack},
                            {8, false, kGreen},  {9, false, kBlue},    {10, true, kNavy},
                            {11, true, kMaroon}, {12, true, kBlack},   {13, false, kRed},
                            {14, false, kRed},   {15, true, kRed},     {16, true, kOlive},
                            {17, true, kGreen},  {18, false, kMaroon}, {19, false, kBlack},
                            {20, true, kMaroon}, {21, true, kMaroon},  {22, true, kBlack},
                            {23, false, kBlack}, {24, true, kNavy},    {25, true, kNavy},
                            {26, false, kBlack}});
    const std::map<int, int> map = {
        {1, 6},   {2, 6},   {3, 3},   {4, 4},   {5, 5},   {6, 6},   {7, 11},  {8, 8},   {9, 9},
        {10, 10}, {11, 11}, {12, 12}, {13, 5},  {14, 14}, {15, 15}, {16, 16}, {17, 17}, {18, 18},
        {19, 19}, {20, 20}, {21, 21}, {22, 22}, {23, 23}, {24, 24}, {25, 25}, {26, 26}};
    for (int token = 0; token < 256; ++token) {
        auto found = map.find(token);
        EXPECT_EQ(settings.TokenStyle(static_cast<uint8_t>(token)),
                  found == map.end() ? 0 : found->second)
            << "token " << token;
    }
    const std::vector<TLP_EditableStyle> editable = {{"Comment", 6},
                                                     {"String", 4},
                                                     {"Reserved word", 12},
                                                     {"Operator", 7},
                                                     {"Identifier", 3},
                                                     {"Assembler Mnemonic", 10},
                                                     {"Macro Params", 18},
                                                     {"Modifiers", 22},
                                                     {"Red LED", 15},
                                                     {"Yellow LED", 16},
                                                     {"Green LED", 17},
                                                     {"Number", 5},
                                                     {"Default", 0},
                                                     {"Declare Keywords", 11},
                                                     {"LCD Controls", 21},
                                                     {"Special Reserved", 19},
                                                     {"IO Pin Assignments", 20},
                                                     {"I2C Macro Names", 24},
                                                     {"PICmicro type", 25},
                                                     {"Special Mnemonic", 26},
                                                     {"Hardware Register", 8}};
    EXPECT_EQ(settings.EditableStyles(), editable);
}

TEST(ShippedLanguagesTest, AssemblerSettingsDifferWhereTheListingNeedsIt) {
    std::unique_ptr<TLexipadParser> parser = MakeShippedParser("asm");
    const TLP_Settings& settings = parser->Settings();
    std::unique_ptr<TLexipadParser> basic = MakeShippedParser("basic");
    EXPECT_EQ(settings.LanguageName(), "MCUBASIC");
    EXPECT_EQ(settings.ExampleText(), "");
    EXPECT_EQ(settings.Options(), 43075601);
    EXPECT_EQ(settings.TabDefault(), 8);
    EXPECT_EQ(settings.TabColumnsText(), "");
    EXPECT_EQ(settings.FontName(), "Courier New");
    EXPECT_EQ(settings.FontCharset(), 0);
    EXPECT_EQ(settings.GutterFont(), basic->Settings().GutterFont());
    EXPECT_EQ(settings.SelTextBack(), basic->Settings().SelTextBack());
    EXPECT_EQ(settings.Keys().AllBindings(), basic->Settings().Keys().AllBindings());
    for (int token = 0; token < 256; ++token) {
        auto t = static_cast<uint8_t>(token);
        EXPECT_EQ(settings.TokenStyle(t), token <= 23 ? basic->Settings().TokenStyle(t) : 0);
        // Every token restarts in the start states.
        EXPECT_TRUE(parser->Language().ContextStates(t).IsEmpty()) << token;
    }
    for (int style : {0, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14, 18, 19, 20, 21, 22, 23})
        EXPECT_EQ(settings.Style(static_cast<uint8_t>(style)),
                  basic->Settings().Style(static_cast<uint8_t>(style)))
            << "style " << style;
    const TLP_Style mnemonic = settings.Style(10);
    EXPECT_EQ(mnemonic.fontStyle, 0);
    EXPECT_EQ(mnemonic.textColor, kBlack);
}

struct TokenCase {
    std::string text;
    std::string tokens;
};

TEST(ShippedLanguagesTest, BasicTokens) {
    std::unique_ptr<TLexipadParser> parser = MakeShippedParser("basic");
    const TokenCase cases[] = {
        {"REM this is it\rx", "[REM this is it]1 [\\r]0 [x]3"},
        {"' Comment Line\r", "[' Comment Line]1 [\\r]0"},
        {"; semi\r", "[; semi]1 [\\r]0"},
        {"$1F ", "[$1F]13 [ ]0"},
        {"$ ", "[$]0 [ ]0"},
        {"%102", "[%10]14 [2]5"},
        {"PRINT print PRINTX", "[PRINT]12 [ ]0 [print]12 [ ]0 [PRINTX]3"},
        {"\"Hello\rx", "[\"Hello]4 [\\r]0 [x]3"},
        {"1.5e-3", "[1.5e-3]5"},
        {"1.a", "[1]5 [.]0 [a]3"},
        {".", "[.]0"},
        {"ON INTERRUPT", "[ON INTERRUPT]12"},
        {"ON  INTERRUPT", "[ON]15 [ ]0 [ ]0 [INTERRUPT]12"},
        {"REMARKS x", "[REMARKS]11 [ ]0 [x]3"},
        {"REMARK x\ry", "[REMARK x]1 [\\r]0 [y]3"},
        {"PORTA.1", "[PORTA]8 [.]0 [1]5"},
        {"Movlw 10", "[Movlw]10 [ ]0 [10]5"},
        {"PRINT AT 1,2,\"Hello World\"",
         "[PRINT]12 [ ]0 [AT]12 [ ]0 [1]5 [,]0 [2]5 [,]0 [\"Hello World\"]4"},
        {"QUARNO_G8 QUARNO_G8X", "[QUARNO_G8]11 [ ]0 [QUARNO_G8X]3"},
        {"DISABLE DEBUG", "[DISABLE DEBUG]12"},
        {"chr$(65) print# 1", "[chr$]12 [(]0 [65]5 [)]0 [ ]0 [print#]19 [ ]0 [1]5"},
        {"TBLRD*+ #IFDEF x", "[TBLRD*+]10 [ ]0 [#IFDEF]11 [ ]0 [x]3"},
        {"DEVICE 16F84A", "[DEVICE]12 [ ]0 [16F84A]25"},
        {"x = y + 1 * 2", "[x]3 [ ]0 [=]0 [ ]0 [y]3 [ ]0 [+]0 [ ]0 [1]5 [ ]0 [*]0 [ ]0 [2]5"},
        {"@ x", "[@]11 [ ]0 [x]3"},
        {"{}", "[{]12 [}]12"},
    };
    for (const TokenCase& test : cases)
        EXPECT_EQ(Tokenize(*parser, test.text), test.tokens) << "text: " << test.text;
}

TEST(ShippedLanguagesTest, ExampleTextShowsEveryEditableKind) {
    std::unique_ptr<TLexipadParser> parser = MakeShippedParser("basic");
    EXPECT_EQ(Tokenize(*parser, parser->Settings().ExampleText()),
              "[' Comment Line]1 [\\r]0 "
              "[PRINT]12 [ ]0 [AT]12 [ ]0 [1]5 [,]0 [2]5 [,]0 [\"Hello World\"]4 [,]0 [ ]0 "
              "[Bin8]22 [ ]0 [Var]12 [\\r]0 "
              "[DECLARE]12 [ ]0 [RSOUT_PIN]11 [ ]0 [PORTA]8 [.]0 [1]5 [\\r]0 "
              "[Wreg_Byte]10 [ ]0 [Var1]3 [\\r]0 "
              "[Movlw]10 [ ]0 [10]5 [\\r]0 "
              "[HBUSIN]12 [ ]0 [MACRO]11 [ ]0 [Varin]18 [,]0 [Bitin]18 [,]0 [Byteout]18 [\\r]0 "
              "[SHIN]12 [ ]0 [CLK]20 [,]0 [DTA]20 [,]0 [MSBPRE]10 [,]0 [[]0 [Var1]3 []]0 [\\r]0 "
              "[LED]15 [ ]0 [=]0 [ ]0 [1]5 [\\r]0");
}

TEST(ShippedLanguagesTest, AssemblerTokens) {
    std::unique_ptr<TLexipadParser> parser = MakeShippedParser("asm");
    const TokenCase cases[] = {
        {"decf@f x", "[decf@f]0 [ ]0 [x]3"},
        {"decf x", "[decf]10 [ ]0 [x]3"},
        {"Movlw 10 ; load\r", "[Movlw]10 [ ]0 [10]5 [ ]0 [; load]1 [\\r]0"},
        {"bsf PORTA,1", "[bsf]10 [ ]0 [PORTA]8 [,]0 [1]5"},
        {"CONFIG WDT_OFF", "[CONFIG]12 [ ]0 [WDT_OFF]8"},
        {"BYTEIN PRINT", "[BYTEIN]18 [ ]0 [PRINT]3"},
        {"movlw $1F", "[movlw]10 [ ]0 [$]0 [1]5 [F]3"},
    };
    for (const TokenCase& test : cases)
        EXPECT_EQ(Tokenize(*parser, test.text), test.tokens) << "text: " << test.text;
}
