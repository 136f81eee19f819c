#include "core/options/TOptionsPageModel.h"
#include "core/base/TMemoryStream.h"
#include "core/editor/TCustomLexipad.h"
#include "core/lexicon/ShortCuts.h"
#include "core/options/OptionSwitches.h"

#include <gtest/gtest.h>

using namespace quarno;

namespace {

std::string StreamForm(const TLP_Settings& settings) {
    TMemoryStream stream;
    settings.SaveToStream(stream);
    return stream.Bytes();
}

} // namespace

TEST(TOptionsPageModel, EachBoxTogglesItsBitAndNothingElse) {
    TCustomLexipad preview;
    preview.SetText("some text\rmore");
    TOptionsPageModel model(preview);
    for (const TOptionSwitch& entry : OptionSwitches()) {
        const std::string before = StreamForm(preview.Settings());
        const uint32_t options = preview.Options();
        bool was = model.Checked(entry.option);
        model.SetChecked(entry.option, !was);
        EXPECT_EQ(preview.Options(), options ^ static_cast<uint32_t>(entry.option)) << entry.name;
        EXPECT_EQ(model.Checked(entry.option), !was) << entry.name;
        model.SetChecked(entry.option, was);
        EXPECT_EQ(StreamForm(preview.Settings()), before) << entry.name;
    }
}

TEST(TOptionsPageModel, SmartTabOnlyWithoutWordWrap) {
    TCustomLexipad preview;
    TOptionsPageModel model(preview);
    model.SetChecked(smoWordWrap, false);
    EXPECT_TRUE(model.SmartTabEnabled());
    model.SetChecked(smoWordWrap, true);
    EXPECT_FALSE(model.SmartTabEnabled());
    EXPECT_TRUE(model.CaretAfterEOLEnabled()) << "the stand-in metrics are fixed-pitch";
}

TEST(TOptionsPageModel, GutterAndMarginTakeZeroTo199ElseOne) {
    struct Case {
        const char* typed;
        const char* shown;
    } cases[] = {
        {"0", "0"}, {"25", "25"}, {"199", "199"}, {"200", "1"},  {"250", "1"},
        {"", "1"},  {"x", "1"},   {"-5", "1"},    {"025", "25"},
    };
    for (const Case& c : cases) {
        TCustomLexipad preview;
        TOptionsPageModel model(preview);
        EXPECT_EQ(model.GutterChanged(c.typed), c.shown) << c.typed;
        EXPECT_EQ(std::to_string(preview.Gutter()), c.shown) << c.typed;
        EXPECT_EQ(model.RightMarginChanged(c.typed), c.shown) << c.typed;
        EXPECT_EQ(std::to_string(preview.RightMargin()), c.shown) << c.typed;
    }
}

TEST(TOptionsPageModel, SpinStepsWithin0To199) {
    struct Case {
        const char* text;
        int delta;
        const char* result;
    } cases[] = {
        {"5", 1, "6"},     {"5", -1, "4"}, {"0", -1, "0"},
        {"199", 1, "199"}, {"", 1, "1"},   {"a", -1, "1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TOptionsPageModel::Stepped(c.text, c.delta), c.result) << c.text << c.delta;
}

TEST(TOptionsPageModel, WrapColumnAndIndentKeepTheEditorsWidths) {
    TCustomLexipad preview;
    TOptionsPageModel model(preview);
    EXPECT_EQ(model.WrapColumnLeft("72"), (TFieldResult{"72", ""}));
    EXPECT_EQ(preview.Settings().WrapColumn(), 72);
    EXPECT_EQ(model.WrapColumnLeft("65537"), (TFieldResult{"1", ""})) << "a 16-bit column";
    EXPECT_EQ(model.IndentStepLeft("3"), (TFieldResult{"3", ""}));
    EXPECT_EQ(model.IndentStepLeft("258"), (TFieldResult{"2", ""})) << "a byte";
    EXPECT_EQ(preview.Settings().IndentStep(), 2);

    EXPECT_EQ(model.WrapColumnLeft("7x"), (TFieldResult{"1", "'7x' is not a valid integer value"}));
    EXPECT_EQ(model.IndentStepLeft(""), (TFieldResult{"2", "'' is not a valid integer value"}));
    EXPECT_EQ(preview.Settings().IndentStep(), 2) << "unchanged";
}

TEST(TOptionsPageModel, RefusedTabColumnsAndTabStopBringThePreviousBack) {
    TCustomLexipad preview;
    TOptionsPageModel model(preview);
    EXPECT_EQ(model.TabColumnsLeft("5 9;13"), (TFieldResult{"5 9 13", ""}));
    EXPECT_EQ(model.TabColumnsLeft("9 5"),
              (TFieldResult{"5 9 13", "Tab columns must be in order and unique"}));
    EXPECT_EQ(model.TabColumnsLeft("1"), (TFieldResult{"5 9 13", "Tab column must be > 1"}));
    EXPECT_EQ(model.TabStopLeft("8"), (TFieldResult{"8", ""}));
    EXPECT_EQ(model.TabStopLeft("0"),
              (TFieldResult{"8", "=Illegal default tab stop value, must be > 0"}));
    EXPECT_EQ(model.TabStopLeft("eight"),
              (TFieldResult{"8", "'eight' is not a valid integer value"}));
    EXPECT_EQ(preview.Settings().TabDefault(), 8);
}

TEST(TOptionsPageModel, KeyFiltersOfTheNumberFields) {
    using K = TNumberFieldKind;
    struct Case {
        uint16_t key;
        bool small;
        bool wide;
    } cases[] = {
        {vk::Back, true, true},    {vk::Left, true, true},    {vk::Right, true, true},
        {vk::Delete, true, true},  {vk::Insert, true, false}, {vk::Home, false, true},
        {vk::End, false, true},    {vk::Up, false, false},    {vk::Down, false, false},
        {'0', true, true},         {'1', true, true},         {'2', false, true},
        {'9', false, true},        {vk::Tab, true, true},     {vk::Return, true, true},
        {vk::Prior, false, false}, {vk::F1, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TOptionsPageModel::PassesKey(K::Small, c.key), c.small) << c.key;
        EXPECT_EQ(TOptionsPageModel::PassesKey(K::Wide, c.key), c.wide) << c.key;
    }
}
