#include "core/options/OptionsPages.h"
#include "core/options/ColorPalette.h"
#include "core/options/OptionSwitches.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace quarno;

TEST(OptionsPages, HighlightingFirstWhenShownElseTheFirstShown) {
    struct Case {
        TOptionsPages pages;
        TOptionsPages first;
    } cases[] = {
        {kAllOptionsPages, opHighlighting},
        {opOptions | opHighlighting, opHighlighting},
        {opOptions | opKeyAssignments, opOptions},
        {opKeyAssignments, opKeyAssignments},
        {opAutoCorrect | opCodeTemplates, opAutoCorrect},
        {opCodeTemplates, opCodeTemplates},
        {0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FirstOptionsPage(c.pages), c.first) << int(c.pages);
    EXPECT_STREQ(OptionsPageCaption(opKeyAssignments), "Key assignments");
    EXPECT_STREQ(OptionsPageCaption(opAutoCorrect), "Auto correct");
}

TEST(OptionSwitches, TwentyTwoBoxesEachWithItsOwnBitPrintOnesFirst) {
    std::set<int32_t> bits;
    std::set<std::string> names;
    int printed = 0;
    for (size_t i = 0; i < OptionSwitches().size(); ++i) {
        const TOptionSwitch& entry = OptionSwitches()[i];
        bits.insert(entry.option);
        names.insert(entry.name);
        if (entry.print) {
            EXPECT_EQ(static_cast<int>(i), printed++) << entry.name;
        }
    }
    EXPECT_EQ(bits.size(), 22u);
    EXPECT_EQ(names.size(), 22u);
    EXPECT_EQ(printed, 6);
    EXPECT_EQ(bits.count(smoColumnTrack) + bits.count(smoProcessDroppedFiles) +
                  bits.count(smoOLEDragSource),
              0u)
        << "the dialog has no box for these";
}

TEST(ColorPalette, TwentyDistinctStandardColours) {
    std::set<int32_t> colors(StandardColors().begin(), StandardColors().end());
    EXPECT_EQ(colors.size(), 20u);
    EXPECT_TRUE(colors.count(0x000000) && colors.count(0xFFFFFF) && colors.count(0x0000FF));
}

TEST(ColorPalette, BelowTheButtonElseAboveAndInsideTheWorkArea) {
    const TScreenRect work{0, 0, 800, 600};
    struct Case {
        const char* name;
        TScreenRect button;
        TScreenRect expected;
    } cases[] = {
        {"room below", {100, 100, 124, 22}, {100, 122, 90, 120}},
        {"no room below", {100, 500, 124, 22}, {100, 380, 90, 120}},
        {"exactly fits below", {100, 458, 124, 22}, {100, 480, 90, 120}},
        {"past the right edge", {760, 100, 45, 22}, {710, 122, 90, 120}},
        {"left of the work area", {-30, 100, 45, 22}, {0, 122, 90, 120}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PalettePlacement(c.button, 90, 120, work), c.expected) << c.name;
}
