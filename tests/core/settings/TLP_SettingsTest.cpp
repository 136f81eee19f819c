#include "core/settings/TLP_Settings.h"
#include "core/base/TMemoryStream.h"
#include "core/lexicon/ShortCuts.h"

#include <gtest/gtest.h>

using namespace quarno;

namespace {

std::string Bytes(const TLP_Settings& settings, uint16_t version = 51) {
    TMemoryStream stream;
    settings.WriteTo(stream, version);
    return stream.Bytes();
}

std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const ELexipad& error) {
        return error.what();
    }
    return "(no error)";
}

// Settings with a value other than the default in every field.
TLP_Settings Customised() {
    TLP_Settings settings;
    settings.SetExampleText("' Comment Line\rPRINT 1\r");
    settings.SetLanguageName("MCUBASIC");
    settings.SetWrapOverride("<>");
    settings.SetOptions(43075601);
    settings.SetMargin(3);
    settings.SetRightMargin(72);
    settings.SetWrapColumn(60);
    settings.SetGutter(40);
    settings.SetIndentStep(8);
    settings.SetMarginColor(0x00EEEEEE);
    settings.SetGutterColor(colors::WindowText);
    settings.SetSelTextColor(colors::White);
    settings.SetSelTextBack(0x00682400);
    settings.SetTabDefault(8);
    settings.SetStyle(6, {0, 0x800000, colors::White, 0, 1, 0, 1});
    settings.SetStyle(12, {kFsBold | kFsItalic, 0, 0x123456, 1, 0, 1, 1});
    settings.SetStyle(255, {kFsStrikeOut, 255, 0, 0, 0, 0, 7});
    settings.SetTokenStyle(1, 6);
    settings.SetTokenStyle(13, 5);
    settings.SetTokenStyle(255, 12);
    settings.AddEditableStyle("Comment", 6);
    settings.AddEditableStyle("A style name longer than twenty-five", 12);
    settings.SetTabColumns("5 9;13");
    settings.SetFontName("Liberation Mono");
    settings.SetFontSize(12);
    settings.SetFontCharset(0);
    settings.SetMarginDefault(1);
    settings.SetGutterDefault(1);
    TLP_KeywordTable table(TByteSet{0, 3}, "[^a-z]", 0);
    table.AddWord("Foo", 20);
    table.AddWord("bar", 21);
    settings.AddKeywordTable(table);
    settings.AutoReplace().Add("teh", "", false, "the");
    settings.AutoReplace().SetTriggerText(" .\\{Return}");
    settings.Templates().Add("for", "for loop", false, "FOR I = 1 TO 10\rNEXT");
    settings.Templates().SetHotKey(kScAlt | 'A');
    settings.Keys().Bind(kScCtrl | 'K', 'B', 45);
    settings.SetGutterFont({"Liberation Sans", 9, 0, 0x0000FF, kFsBold | kFsItalic});
    return settings;
}

} // namespace

TEST(TLP_Settings, Defaults) {
    TLP_Settings settings;
    EXPECT_EQ(settings.LanguageName(), "<Custom language>");
    EXPECT_EQ(settings.WrapOverride(), ">|:");
    EXPECT_EQ(settings.Options(), 0x3FFDBF0);
    EXPECT_FALSE(settings.HasOption(smoWordWrap));
    EXPECT_TRUE(settings.HasOption(smoColumnTrack));
    EXPECT_EQ(settings.IndentStep(), 1);
    EXPECT_EQ(settings.GutterColor(), colors::BtnFace);
    EXPECT_EQ(settings.SelTextBack(), colors::Highlight);
    EXPECT_EQ(settings.TabColumnsText(), "");
    EXPECT_EQ(settings.FontName(), "Courier New");
    EXPECT_EQ(settings.DefinedStyleCount(), 0);
    EXPECT_EQ(settings.Keys().AllBindings().size(), 48u);
    EXPECT_EQ(settings.AutoReplace().TriggerText(), ";,:.=()[]\\{Return}\\{Tab}\\{Space}");
    EXPECT_EQ(settings.Templates().HotKey(), kScCtrl | 'J');
    EXPECT_EQ(settings.GutterFont(), (TLP_FontSpec{"MS Sans Serif", 8, 1, colors::WindowText, 0}));
}

TEST(TLP_Settings, TabColumnsTextAndErrors) {
    TLP_Settings settings;
    settings.SetTabColumns(" 5 9;13 ");
    EXPECT_EQ(settings.TabColumns()[0], 4);
    EXPECT_EQ(settings.TabColumns()[2], 12);
    EXPECT_EQ(settings.TabColumns()[3], -1);
    EXPECT_EQ(settings.TabColumnsText(), "5 9 13");

    std::string many;
    for (int column = 2; column <= 34; ++column)
        many += std::to_string(column) + " ";
    struct Case {
        std::string text;
        const char* message;
    };
    const Case cases[] = {
        {"9 5", "Tab columns must be in order and unique"},
        {"5 5", "Tab columns must be in order and unique"},
        {"1", "Tab column must be > 1"},
        {"x", "Tab stop column value expected"},
        {"5,9", "Tab stop column value expected"},
        {"-3", "Tab stop column value expected"},
        {many, "Too many tab stops - maximum of 32"},
    };
    for (const Case& test : cases) {
        EXPECT_EQ(ErrorOf([&] { settings.SetTabColumns(test.text); }), test.message) << test.text;
        EXPECT_EQ(settings.TabColumnsText(), "5 9 13") << "unchanged after " << test.text;
    }
    settings.SetTabColumns(many.substr(0, many.size() - 3));
    EXPECT_EQ(settings.TabColumns()[31], 32) << "32 stops fit";
    settings.SetTabColumns("");
    EXPECT_EQ(settings.TabColumnsText(), "");

    for (int width : {0, -4})
        EXPECT_EQ(ErrorOf([&] { settings.SetTabDefault(width); }),
                  "=Illegal default tab stop value, must be > 0");
    EXPECT_EQ(settings.TabDefault(), 4);
}

TEST(TLP_Settings, StreamRoundTripKeepsEveryValueAndUndefinedStyles) {
    TLP_Settings original = Customised();
    TLP_Style undefined{kFsBold, 0x112233, 0x445566, 1, 1, 1, 0};
    original.SetStyle(7, undefined);
    std::string bytes = Bytes(original);

    TLP_Settings read;
    TMemoryStream stream(bytes);
    read.ReadFrom(stream);
    EXPECT_EQ(stream.Position(), stream.Size());
    EXPECT_EQ(Bytes(read), bytes);
    EXPECT_EQ(read.DefinedStyleCount(), 3);
    EXPECT_EQ(read.Style(7), TLP_Style{}) << "undefined styles are not stored";
    EXPECT_EQ(read.Style(255).defined, 1) << "written as 1";
    EXPECT_EQ(read.Style(12), original.Style(12));
    EXPECT_EQ(read.EditableStyles()[1].name, "A style name longer than ");
    EXPECT_EQ(read.TabColumnsText(), "5 9 13");
    EXPECT_EQ(read.KeywordTables().size(), 1u);
    EXPECT_EQ(read.KeywordTables()[0].Trie().Find("foo"), 0);
    EXPECT_EQ(read.AutoReplace().Lookup("TEH"), "the");
    EXPECT_EQ(read.AutoReplace().TriggerKeys(), (std::vector<int>{32, 0xBE, 13}));
    EXPECT_EQ(read.Templates().HotKey(), kScAlt | 'A');
    EXPECT_EQ(read.Keys().Bindings(45).size(), 2u);
    EXPECT_EQ(read.GutterFont(), original.GutterFont());

    TLP_Settings copy;
    copy.Assign(original);
    EXPECT_EQ(Bytes(copy), bytes);
}

TEST(TLP_Settings, GutterFontOnlyAboveVersion50) {
    TLP_Settings original = Customised();
    std::string v50 = Bytes(original, 50);
    std::string v51 = Bytes(original, 51);
    EXPECT_EQ(v51.size(), v50.size() + 4 + 15 + 4 + 1 + 4 + 1);
    EXPECT_EQ(v51.substr(0, v50.size()), v50);
    TLP_Settings read;
    TMemoryStream stream(v50);
    read.ReadFrom(stream, 50);
    EXPECT_EQ(read.GutterFont(), TLP_Settings().GutterFont());
    EXPECT_EQ(read.FontName(), "Liberation Mono");
}

TEST(TLP_Settings, FaultyStreamsLeaveTheSettingsAlone) {
    std::string bytes = Bytes(Customised());
    TLP_Settings settings;
    std::string before = Bytes(settings);
    for (size_t cut : {size_t{0}, size_t{10}, bytes.size() / 2, bytes.size() - 1}) {
        TMemoryStream stream(bytes.substr(0, cut));
        EXPECT_THROW(settings.ReadFrom(stream), Exception) << cut;
        EXPECT_EQ(Bytes(settings), before);
    }
    // 51 editable styles.
    TMemoryStream tooMany;
    for (int i = 0; i < 3; ++i)
        WriteLongString(tooMany, "");
    for (int i = 0; i < 11; ++i)
        WriteInt32(tooMany, 1);
    WriteInt32(tooMany, 0);
    WriteInt32(tooMany, 0);
    WriteInt32(tooMany, 51);
    tooMany.SetPosition(0);
    EXPECT_EQ(ErrorOf([&] { settings.ReadFrom(tooMany); }), "Too many editable styles");
}

TEST(TLP_Settings, EditableStylesAndKeywordTablesAreBounded) {
    TLP_Settings settings;
    for (int i = 0; i < 50; ++i)
        settings.AddEditableStyle(std::to_string(i) + "s", static_cast<uint8_t>(i));
    EXPECT_EQ(ErrorOf([&] { settings.AddEditableStyle("one more", 1); }),
              "Too many editable styles");
    TLP_KeywordTable table(TByteSet{0}, "", 1);
    for (int i = 0; i < 21; ++i)
        settings.AddKeywordTable(table);
    EXPECT_EQ(ErrorOf([&] { settings.AddKeywordTable(table); }), "Too many keyword tables");
    EXPECT_EQ(ErrorOf([] { TLP_KeywordTable(TByteSet{0}, "ab", 0); }),
              "Single character specifier expected");
}

TEST(TLP_Settings, AssignRejectsOtherClasses) {
    TLP_Settings settings;
    EXPECT_EQ(ErrorOf([&] { settings.Assign(TKeyboardActionContoller::DefaultKeyTable()); }),
              "Cannot assign a TKeyboardActionContoller to TLP_Settings");
}

// Every numeric setting that sizes or places text has bounds, checked where it
// is set; a refused value leaves the setting as it was.
TEST(TLP_Settings, NumericSettingsAreBoundedWithClearMessages) {
    struct Case {
        std::function<void(TLP_Settings&)> set;
        const char* message; // nullptr: accepted
    };
    const Case cases[] = {
        {[](TLP_Settings& s) { s.SetIndentStep(20); }, nullptr},
        {[](TLP_Settings& s) { s.SetIndentStep(0); }, nullptr},
        {[](TLP_Settings& s) { s.SetIndentStep(21); }, "Indent step must be between 0 and 20"},
        {[](TLP_Settings& s) { s.SetIndentStep(-1); }, "Indent step must be between 0 and 20"},
        {[](TLP_Settings& s) { s.SetTabDefault(64); }, nullptr},
        {[](TLP_Settings& s) { s.SetTabDefault(65); },
         "=Illegal default tab stop value, must be <= 64"},
        {[](TLP_Settings& s) { s.SetTabDefault(2147483647); },
         "=Illegal default tab stop value, must be <= 64"},
        {[](TLP_Settings& s) { s.SetTabColumns("5 2048"); }, nullptr},
        {[](TLP_Settings& s) { s.SetTabColumns("5 2049"); }, "Tab column must be <= 2048"},
        {[](TLP_Settings& s) { s.SetTabColumns("99999999999"); }, "Tab column must be <= 2048"},
        {[](TLP_Settings& s) { s.SetRightMargin(2048); }, nullptr},
        {[](TLP_Settings& s) { s.SetRightMargin(2049); },
         "Right margin must be between 0 and 2048"},
        {[](TLP_Settings& s) { s.SetRightMargin(-1); }, "Right margin must be between 0 and 2048"},
        {[](TLP_Settings& s) { s.SetWrapColumn(2048); }, nullptr},
        {[](TLP_Settings& s) { s.SetWrapColumn(2147483647); },
         "Word-wrap column must be between 0 and 2048"},
        {[](TLP_Settings& s) { s.SetGutter(1024); }, nullptr},
        {[](TLP_Settings& s) { s.SetGutter(1025); }, "Gutter width must be between 0 and 1024"},
        {[](TLP_Settings& s) { s.SetMargin(-2); }, "Margin width must be between 0 and 1024"},
    };
    for (const Case& c : cases) {
        TLP_Settings settings;
        const std::string before = Bytes(settings);
        std::string error = ErrorOf([&] { c.set(settings); });
        if (c.message) {
            EXPECT_EQ(error, c.message);
            EXPECT_EQ(Bytes(settings), before) << c.message;
        } else {
            EXPECT_EQ(error, "(no error)");
        }
    }
}

// A stored block is held to the same bounds.
TEST(TLP_Settings, ReadingRefusesValuesOutsideTheBounds) {
    TLP_Settings defaults;
    const std::string bytes = Bytes(defaults);
    // After the three strings come eleven 32-bit values; the sixth is the
    // indent step, the eleventh the default tab width.
    size_t values = 12 + defaults.ExampleText().size() + defaults.LanguageName().size() +
                    defaults.WrapOverride().size();
    const struct {
        size_t at;
        int32_t value;
        const char* message;
    } cases[] = {
        {values + 5 * 4, 2147483647, "Indent step must be between 0 and 20"},
        {values + 10 * 4, 0, "=Illegal default tab stop value, must be > 0"},
        {values + 2 * 4, -5, "Right margin must be between 0 and 2048"},
    };
    for (const auto& c : cases) {
        std::string patched = bytes;
        for (int i = 0; i < 4; ++i)
            patched[c.at + static_cast<size_t>(i)] =
                static_cast<char>(static_cast<uint32_t>(c.value) >> (8 * i));
        TLP_Settings settings;
        settings.SetIndentStep(3);
        TMemoryStream stream(patched);
        EXPECT_EQ(ErrorOf([&] { settings.ReadFrom(stream); }), c.message);
        EXPECT_EQ(settings.IndentStep(), 3) << "unchanged";
    }
}
