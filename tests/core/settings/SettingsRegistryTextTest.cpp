#include "core/settings/SettingsRegistryText.h"
#include "core/base/TMemoryStream.h"
#include "core/lexicon/ShortCuts.h"
#include "core/settings/TLP_Settings.h"

#include <gtest/gtest.h>

using namespace quarno;

namespace {

std::string Bytes(const TLP_Settings& settings) {
    TMemoryStream stream;
    settings.WriteTo(stream);
    return stream.Bytes();
}

std::string ReadError(TLP_Settings& settings, const std::string& text) {
    try {
        ReadHighlightingRegistryText(settings, text);
    } catch (const ELexipad& error) {
        return error.what();
    }
    return "(read)";
}

} // namespace

TEST(SettingsRegistryText, DefaultSettingsWriteThe24Fields) {
    EXPECT_EQ(HighlightingRegistryText(TLP_Settings()),
              "Vemlor6:OPT#8#67099632GWD#2#34GCL#11#-2147483633WRC#1#0IDS#1#1WRO#3#>|:"
              "FON#11#Courier NewFOS#2#10STC#11#-2147483634STB#11#-2147483635TBC#0#TBD#1#4"
              "EFF#1#0GDF#1#0MDF#1#0SDF#1#0BDF#1#0FOC#1#1RMG#2#80LNN#13#MS Sans Serif"
              "LNS#1#8LNC#11#-2147483640LNT#1#1LNE#0##END#");
}

TEST(SettingsRegistryText, WrittenTextReadsBackIntoDefaults) {
    TLP_Settings settings;
    settings.SetOptions(smoLineNumbers | smoSyntaxHighlight);
    settings.SetGutter(40);
    settings.SetWrapColumn(72);
    settings.SetIndentStep(4);
    settings.SetWrapOverride("#TAG#3#x"); // separators inside a value
    settings.SetFontName("Liberation Mono");
    settings.SetFontSize(11);
    settings.SetSelTextColor(colors::White);
    settings.SetSelTextBack(0x00682400);
    settings.SetTabColumns("5 9 13");
    settings.SetTabDefault(8);
    settings.SetStyle(0, {0, colors::Black, colors::White, 0, 0, 0, 1});
    settings.SetStyle(12, {kFsBold | kFsUnderline, 0x800000, colors::White, 1, 1, 0, 1});
    settings.SetStyle(200, {kFsItalic, 255, 0x00FFFF00, 0, 1, 0, 1});
    settings.SetGutterDefault(1);
    settings.SetSelBackDefault(1);
    settings.SetFontCharset(0);
    settings.SetRightMargin(100);
    settings.SetGutterFont({"Liberation Sans", 9, 0, 0xFF, kFsBold | kFsStrikeOut});
    std::string text = HighlightingRegistryText(settings);
    EXPECT_NE(text.find("EFF#61#3,0,0,16777215,;12,8388608,16777215,XYBU;200,255,16776960,XI;"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("LNE#2#BS"), std::string::npos);

    TLP_Settings read;
    ReadHighlightingRegistryText(read, text);
    EXPECT_EQ(HighlightingRegistryText(read), text);
    EXPECT_EQ(Bytes(read), Bytes(settings));
}

TEST(SettingsRegistryText, AllStylesDefinedSurviveTheCountOf255) {
    TLP_Settings settings;
    for (int index = 0; index < 256; ++index)
        settings.SetStyle(static_cast<uint8_t>(index), {0, index, 0, 0, 0, 0, 1});
    std::string text = HighlightingRegistryText(settings);
    EXPECT_NE(text.find("#255,0,0,0,;"), std::string::npos);
    TLP_Settings read;
    ReadHighlightingRegistryText(read, text);
    EXPECT_EQ(read.DefinedStyleCount(), 256);
    EXPECT_EQ(read.Style(255).textColor, 255);
}

TEST(SettingsRegistryText, OlderLayoutsOneToFour) {
    const std::string styles = "2,5,128,,b;,,,YX;";
    struct Case {
        std::string text;
        const char* font;
        int32_t fontSize;
        int32_t selText;
        const char* tabs;
        int32_t tabDefault;
    };
    const Case cases[] = {
        {"Vemlor1:1,40,72,3,2,<>," + styles, "Courier New", 10, colors::HighlightText, "", 4},
        {"Vemlor2:1,40,72,3,2,<>,5,Arial,12," + styles, "Arial", 12, colors::White, "", 4},
        {"Vemlor3:1,40,72,3,2,<>,5,Arial,,255,0," + styles, "Arial", 10, 255, "", 4},
        {"Vemlor4:1,40,72,3,2,<>,5,Arial,12,255,0,3,5 9,8," + styles, "Arial", 12, 255, "5 9", 8},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.text);
        TLP_Settings settings;
        settings.SetSelTextColor(colors::White);
        ReadHighlightingRegistryText(settings, test.text);
        EXPECT_EQ(settings.Options(), 1);
        EXPECT_EQ(settings.Gutter(), 40);
        EXPECT_EQ(settings.WrapColumn(), 72);
        EXPECT_EQ(settings.IndentStep(), 3);
        EXPECT_EQ(settings.WrapOverride(), "<>");
        EXPECT_EQ(settings.FontName(), test.font);
        EXPECT_EQ(settings.FontSize(), test.fontSize);
        EXPECT_EQ(settings.SelTextColor(), test.selText);
        EXPECT_EQ(settings.TabColumnsText(), test.tabs);
        EXPECT_EQ(settings.TabDefault(), test.tabDefault);
        EXPECT_EQ(settings.DefinedStyleCount(), 2);
        EXPECT_EQ(settings.Style(5), (TLP_Style{kFsBold, 128, colors::White, 0, 0, 0, 1}));
        EXPECT_EQ(settings.Style(255), (TLP_Style{0, colors::Black, colors::White, 1, 1, 0, 1}))
            << "a missing index means 255, missing colours black on white";
    }
    TLP_Settings settings;
    ReadHighlightingRegistryText(settings, "Vemlor1:,,,,0,0");
    EXPECT_EQ(settings.Options(), TLP_Settings::kDefaultOptions) << "empty fields take defaults";
    EXPECT_EQ(settings.Gutter(), 34);
    EXPECT_EQ(settings.WrapOverride(), "");
}

TEST(SettingsRegistryText, FaultsAndTheirEffects) {
    const char* invalid = "Invalid data in style string";
    TLP_Settings settings;
    settings.SetGutter(50);
    for (const char* text :
         {"", "Vemlor", "Vemlor0:", "vemlor6:", "Vemlor6:OPT#3#abc", "Vemlor6:OPT#99#1",
          "Vemlor6:TBC#3#9 5", "Vemlor6:TBD#1#0", "Vemlor2:1,2,3,4,99,x"}) {
        EXPECT_EQ(ReadError(settings, text), invalid) << text;
        EXPECT_EQ(settings.Gutter(), 50) << "unchanged after " << text;
    }
    // An unknown tag ends reading without a fault.
    ReadHighlightingRegistryText(settings, "Vemlor6:OPT#2#17XYZ#1#5GWD#2#99");
    EXPECT_EQ(settings.Options(), 17);
    EXPECT_EQ(settings.Gutter(), 50);
    // A fault in the style list resets everything.
    EXPECT_EQ(ReadError(settings, "Vemlor6:GWD#2#77EFF#8#1,256,,;"), invalid);
    EXPECT_EQ(settings.Gutter(), 34);
    EXPECT_EQ(settings.Options(), TLP_Settings::kDefaultOptions);
}

TEST(SettingsRegistryText, KeyAssignmentsCarryTheMarker) {
    TLP_Settings settings;
    settings.Keys().Bind(kScCtrl | 'K', 'B', 45);
    std::string value = KeyAssignmentsRegistryValue(settings);
    EXPECT_EQ(value.substr(0, 9), "\x08Vemlor6:");
    TLP_Settings read;
    EXPECT_TRUE(ReadKeyAssignmentsRegistryValue(read, value));
    EXPECT_EQ(read.Keys().AllBindings(), settings.Keys().AllBindings());
    EXPECT_FALSE(ReadKeyAssignmentsRegistryValue(read, "\x08Vemlor5:" + value.substr(9)));
    EXPECT_FALSE(ReadKeyAssignmentsRegistryValue(read, ""));
    EXPECT_THROW(ReadKeyAssignmentsRegistryValue(read, value.substr(0, 20)), Exception);
    EXPECT_EQ(read.Keys().AllBindings(), settings.Keys().AllBindings()) << "kept after a fault";
}

TEST(SettingsRegistryText, TemplatesValueKeepsReplacementsAndTemplates) {
    TLP_Settings settings;
    settings.AutoReplace().Add("teh", "", false, "the");
    settings.AutoReplace().SetTriggerText(";,");
    settings.Templates().Add("fori", "for loop", false, "FOR I = 1 TO 10\rNEXT");
    settings.Templates().SetHotKey(0x8000 | 'A');
    std::string bytes = TemplatesRegistryValue(settings);

    TLP_Settings read;
    EXPECT_FALSE(ReadTemplatesRegistryValue(read, "garbage"));
    EXPECT_TRUE(read.Templates().Entries().empty());
    ASSERT_TRUE(ReadTemplatesRegistryValue(read, bytes));
    EXPECT_EQ(read.AutoReplace().Lookup("teh"), "the");
    EXPECT_EQ(read.AutoReplace().TriggerText(), ";,");
    EXPECT_EQ(read.Templates().Lookup("fori"), "FOR I = 1 TO 10\rNEXT");
    EXPECT_EQ(read.Templates().HotKey(), 0x8000 | 'A');

    TLP_Settings kept;
    kept.Templates().Add("keep", "", false, "me");
    EXPECT_ANY_THROW(ReadTemplatesRegistryValue(kept, bytes.substr(0, bytes.size() - 3)));
    EXPECT_EQ(kept.Templates().Lookup("keep"), "me") << "a damaged value changes nothing";
}
