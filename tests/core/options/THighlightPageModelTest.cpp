#include "core/options/THighlightPageModel.h"
#include "core/editor/TCustomLexipad.h"
#include "core/highlight/ShippedLanguages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <string>

using namespace quarno;

namespace {

// The BASIC language in a preview editor, as the dialog shows it.
struct BasicPreview {
    BasicPreview() : parser(MakeShippedParser("basic")) {
        preview.SetParser(1, parser.get());
        preview.SetText(preview.Settings().ExampleText());
        page.emplace(preview);
    }
    int Element(const std::string& caption) const {
        const auto& elements = page->Elements();
        auto found = std::find_if(elements.begin(), elements.end(),
                                  [&](const THighlightElement& e) { return e.caption == caption; });
        return found == elements.end() ? -1 : static_cast<int>(found - elements.begin());
    }
    std::unique_ptr<TLexipadParser> parser;
    TCustomLexipad preview;
    std::optional<THighlightPageModel> page; // made over the language's settings
};

// Default geometry of the engine: 34-pixel gutter, 2-pixel margin, 7 x 17 cells.
TPoint Cell(int column, int row) {
    return {36 + column * 7 + 3, row * 17 + 8};
}

} // namespace

TEST(THighlightPageModel, EditableStylesThenTheThreeFixedElements) {
    BasicPreview basic;
    const auto& elements = basic.page->Elements();
    const auto& styles = basic.preview.Settings().EditableStyles();
    ASSERT_EQ(elements.size(), styles.size() + 3);
    EXPECT_EQ(elements[0].caption, "Comment");
    EXPECT_EQ(elements[0].style, 6);
    EXPECT_EQ(elements[elements.size() - 3].caption, "Selected text");
    EXPECT_EQ(elements[elements.size() - 2].caption, "Left margin");
    EXPECT_EQ(elements[elements.size() - 1].caption, "Gutter");
    EXPECT_EQ(basic.page->LanguageName(), "MCUBASIC");
}

TEST(THighlightPageModel, WhatTheControlsShowForEachKindOfElement) {
    BasicPreview basic;
    TLP_Settings& settings = basic.preview.Settings();
    settings.SetSelTextDefault(1);
    settings.SetMarginColor(0x00FF00);
    settings.SetGutterDefault(1);
    TElementLook reserved = basic.page->Look(basic.Element("Reserved word"));
    EXPECT_TRUE(reserved.bold && reserved.fontStylesEnabled);
    EXPECT_FALSE(reserved.italic || reserved.underline);
    EXPECT_TRUE(reserved.foregroundEnabled && reserved.backgroundEnabled);

    TElementLook selected = basic.page->Look(basic.Element("Selected text"));
    EXPECT_FALSE(selected.fontStylesEnabled);
    EXPECT_TRUE(selected.foregroundDefault);
    EXPECT_FALSE(selected.foregroundEnabled) << "takes the system colour";
    EXPECT_TRUE(selected.backgroundEnabled);
    EXPECT_EQ(selected.background, settings.SelTextBack());

    TElementLook margin = basic.page->Look(basic.Element("Left margin"));
    EXPECT_FALSE(margin.foregroundEnabled || margin.foregroundDefaultEnabled);
    EXPECT_EQ(margin.background, 0x00FF00);
    EXPECT_TRUE(margin.backgroundEnabled);

    TElementLook gutter = basic.page->Look(basic.Element("Gutter"));
    EXPECT_TRUE(gutter.backgroundDefault);
    EXPECT_FALSE(gutter.backgroundEnabled);
}

TEST(THighlightPageModel, FontStyleBoxesSetOneBitOfTheStyle) {
    BasicPreview basic;
    int comment = basic.Element("Comment");
    basic.page->SetFontStyle(comment, kFsItalic, true);
    basic.page->SetFontStyle(comment, kFsUnderline, true);
    EXPECT_EQ(basic.preview.Settings().Style(6).fontStyle, kFsItalic | kFsUnderline);
    basic.page->SetFontStyle(comment, kFsItalic, false);
    EXPECT_EQ(basic.preview.Settings().Style(6).fontStyle, kFsUnderline);
    basic.page->SetFontStyle(basic.Element("Gutter"), kFsBold, true);
    EXPECT_EQ(basic.preview.Settings().Style(0).fontStyle, 0) << "the gutter has no font style";
}

TEST(THighlightPageModel, ColoursAreStoredUnlessTheDefaultIsTaken) {
    BasicPreview basic;
    TLP_Settings& settings = basic.preview.Settings();
    int comment = basic.Element("Comment");
    basic.page->SetColor(comment, true, 0x0000FF);
    EXPECT_EQ(settings.Style(6).textColor, 0x0000FF);
    basic.page->SetDefault(comment, true, true);
    basic.page->SetColor(comment, true, 0x00FF00);
    EXPECT_EQ(settings.Style(6).textColor, 0x0000FF) << "the default flag keeps it";
    EXPECT_EQ(settings.Style(6).textDefault, 1);

    basic.page->SetColor(basic.Element("Selected text"), false, 0x112233);
    EXPECT_EQ(settings.SelTextBack(), 0x112233);
    basic.page->SetColor(basic.Element("Gutter"), false, 0x445566);
    EXPECT_EQ(settings.GutterColor(), 0x445566);
    basic.page->SetDefault(basic.Element("Left margin"), false, true);
    basic.page->SetColor(basic.Element("Left margin"), false, 0x778899);
    EXPECT_EQ(settings.MarginDefault(), 1);
    EXPECT_NE(settings.MarginColor(), 0x778899);
    basic.page->SetDefault(basic.Element("Gutter"), true, true);
    EXPECT_EQ(settings.GutterDefault(), 0) << "only the background box counts";
}

TEST(THighlightPageModel, ClickingATokenChoosesItsStyleUnlessTooCloseToTheLastClick) {
    BasicPreview basic;
    // The example text starts with a comment line; a later line declares RSOUT_PIN.
    std::string text = basic.preview.Text();
    ASSERT_EQ(text.rfind("' Comment Line", 0), 0u);
    EXPECT_EQ(basic.page->Click(Cell(3, 0)), basic.Element("Comment"));
    EXPECT_EQ(basic.preview.CaretPos(), 3);
    TPoint near{Cell(3, 0).x + 5, Cell(3, 0).y + 5};
    EXPECT_EQ(basic.page->Click(near), -1) << "within 5 pixels";
    int position = static_cast<int>(text.find("RSOUT_PIN"));
    int line = basic.preview.LineFromChar(position);
    int column = position - basic.preview.LineIndex(line);
    EXPECT_EQ(basic.page->Click(Cell(column + 1, line)), basic.Element("Declare Keywords"));
    EXPECT_EQ(basic.preview.CaretPos(), position + 1);
    EXPECT_EQ(basic.page->ElementAt(basic.preview.CharCount() + 5), -1);
}

TEST(THighlightPageModel, ACharsetKeepsTheFontOnlyWhenItHasIt) {
    BasicPreview basic;
    TLP_Settings& settings = basic.preview.Settings();
    settings.SetFontCharset(0);
    EXPECT_EQ(basic.page->ChooseCharset(204, {"Arial", "courier new", "Tahoma"}), 1);
    EXPECT_EQ(settings.FontCharset(), 204);
    EXPECT_EQ(basic.page->ChooseCharset(161, {"Arial"}), -1);
    EXPECT_EQ(settings.FontCharset(), 204);
    basic.page->SetFontName("Liberation Mono");
    basic.page->SetFontSize(12);
    EXPECT_EQ(settings.FontName(), "Liberation Mono");
    EXPECT_EQ(settings.FontSize(), 12);
}

TEST(THighlightPageModel, EighteenCharsetsSortedByName) {
    const auto& charsets = THighlightPageModel::Charsets();
    std::set<int> values;
    for (size_t i = 0; i < charsets.size(); ++i) {
        values.insert(charsets[i].charset);
        if (i > 0) {
            EXPECT_LT(std::string(charsets[i - 1].name), std::string(charsets[i].name));
        }
    }
    EXPECT_EQ(values.size(), 18u);
    EXPECT_EQ(THighlightPageModel::FontSizes().front(), 8);
    EXPECT_EQ(THighlightPageModel::FontSizes().back(), 30);
}
