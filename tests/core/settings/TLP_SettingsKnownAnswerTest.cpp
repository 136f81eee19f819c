// The settings stream against a stream written by hand, field by field, from
// the format (tests/data/formats/settings_stream.hex): read into the expected
// values and written back byte for byte.
#include "core/base/TMemoryStream.h"
#include "core/lexicon/ShortCuts.h"
#include "core/settings/TLP_Settings.h"
#include "support/HexFixture.h"

#include <gtest/gtest.h>

using namespace quarno;
using quarno::test::ReadHexFixture;

namespace {

TLP_Settings ReadFixture(const std::string& bytes) {
    TMemoryStream stream(bytes);
    TLP_Settings settings;
    settings.ReadFrom(stream, TLP_Settings::kStreamVersion);
    EXPECT_EQ(stream.Position(), stream.Size()) << "every byte is read";
    return settings;
}

std::vector<int32_t> Numbers(const TLP_Settings& s) {
    return {s.Options(),      s.Margin(),      s.RightMargin(), s.WrapColumn(),
            s.Gutter(),       s.IndentStep(),  s.MarginColor(), s.GutterColor(),
            s.SelTextColor(), s.SelTextBack(), s.TabDefault()};
}

} // namespace

TEST(TLP_SettingsKnownAnswer, HandWrittenStreamReadsIntoTheExpectedValues) {
    const std::string bytes = ReadHexFixture("formats/settings_stream.hex")[""];
    TLP_Settings s = ReadFixture(bytes);

    EXPECT_EQ(s.ExampleText(), "x=1");
    EXPECT_EQ(s.LanguageName(), "TINY");
    EXPECT_EQ(s.WrapOverride(), ">|:");
    EXPECT_EQ(Numbers(s),
              (std::vector<int32_t>{67099632, 2, 72, 0, 34, 2, 0x00FFFFFF,
                                    static_cast<int32_t>(0x8000000F), 0x00FFFFFF, 0x00682400, 4}));
    EXPECT_EQ(s.DefinedStyleCount(), 2);
    const TLP_Style& bold = s.Style(1);
    EXPECT_EQ(std::vector<int32_t>({bold.fontStyle, bold.textColor, bold.backColor,
                                    bold.textDefault, bold.backDefault, bold.hotSpot}),
              (std::vector<int32_t>{kFsBold, 0x000000FF, 0x00FFFFFF, 0, 1, 0}));
    const TLP_Style& link = s.Style(7);
    EXPECT_EQ(std::vector<int32_t>({link.fontStyle, link.textColor, link.backColor,
                                    link.textDefault, link.backDefault, link.hotSpot}),
              (std::vector<int32_t>{kFsItalic | kFsUnderline, 0x00008000, 0, 1, 0, 1}));
    EXPECT_EQ(s.Style(0).defined, 0) << "styles not in the stream stay undefined";
    EXPECT_EQ(s.TokenStyle(3), 1);
    EXPECT_EQ(s.TokenStyle(9), 7);
    EXPECT_EQ(s.MapEntryCount(), 2);
    EXPECT_EQ(s.EditableStyles(), (std::vector<TLP_EditableStyle>{{"Keyword", 1}}));
    EXPECT_EQ(s.TabColumnsText(), "5 9") << "0-based 4 and 8";
    EXPECT_EQ(s.FontName(), "Courier New");
    EXPECT_EQ(s.FontSize(), 10);
    EXPECT_EQ(s.FontCharset(), 0);
    EXPECT_EQ(std::vector<int>(
                  {s.MarginDefault(), s.SelTextDefault(), s.SelBackDefault(), s.GutterDefault()}),
              (std::vector<int>{0, 1, 0, 0}));

    ASSERT_EQ(s.KeywordTables().size(), 1u);
    const TLP_KeywordTable& table = s.KeywordTables()[0];
    EXPECT_EQ(table.States(), TByteSet{0});
    EXPECT_EQ(table.EndsWith(), "");
    EXPECT_EQ(table.CaseFlag(), 0);
    EXPECT_EQ(table.Words(), (std::vector<std::pair<std::string, int32_t>>{{"rem", 5}}));

    ASSERT_EQ(s.AutoReplace().Entries().size(), 1u);
    EXPECT_EQ(s.AutoReplace().Entries()[0].name, "teh");
    EXPECT_EQ(s.AutoReplace().Entries()[0].body, "the");
    EXPECT_EQ(s.AutoReplace().HotKey(), 0);
    EXPECT_TRUE(s.AutoReplace().Enabled());
    EXPECT_EQ(s.AutoReplace().TriggerText(), ".,");
    ASSERT_EQ(s.Templates().Entries().size(), 1u);
    EXPECT_EQ(s.Templates().Entries()[0].name, "fori");
    EXPECT_EQ(s.Templates().Entries()[0].description, "for loop");
    EXPECT_EQ(s.Templates().Entries()[0].body, "FOR |\rNEXT");
    EXPECT_EQ(s.Templates().HotKey(), kScCtrl | 'J');

    EXPECT_EQ(s.Keys().Actions(), (std::vector<std::pair<int32_t, std::string>>{
                                      {0, "Cursor left"}, {17, "Indent selected block"}}));
    EXPECT_EQ(s.Keys().AllBindings(),
              (std::vector<TKeyPair>{{37, 0, 0}, {kScCtrl | 'K', 'I', 17}}));
    EXPECT_EQ(s.GutterFont(),
              (TLP_FontSpec{"MS Sans Serif", 8, 1, static_cast<int32_t>(0x80000008), 0}));
}

TEST(TLP_SettingsKnownAnswer, WritingWhatWasReadGivesTheSameBytes) {
    const std::string bytes = ReadHexFixture("formats/settings_stream.hex")[""];
    TMemoryStream out;
    ReadFixture(bytes).WriteTo(out, TLP_Settings::kStreamVersion);
    EXPECT_EQ(out.Bytes(), bytes);

    // Version 50 leaves out the gutter font: the last 27 bytes.
    TMemoryStream older;
    ReadFixture(bytes).WriteTo(older, 50);
    EXPECT_EQ(older.Bytes(), bytes.substr(0, bytes.size() - 27));
}
