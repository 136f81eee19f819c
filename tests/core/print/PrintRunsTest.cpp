#include "core/print/PrintRuns.h"
#include "core/editor/ITextMetrics.h"
#include "core/editor/TCustomLexipad.h"

#include <gtest/gtest.h>

using namespace quarno;

namespace {

constexpr int32_t kRed = 0x0000FF;
constexpr int32_t kYellow = 0x00FFFF;
constexpr uint8_t kKeyword = 5;

struct StyledPad {
    TFixedMetrics metrics{10, 20};
    TCustomLexipad pad;
    TPrintLine line{0, "ab\tcd", {kKeyword, kKeyword, 0, 0, kKeyword}, 1};
    StyledPad() {
        pad.SetText("ab\tcd\rnext");
        pad.SetTabStops({}, 4);
        TLP_Style keyword;
        keyword.fontStyle = kFsBold;
        keyword.textColor = kRed;
        keyword.backColor = kYellow;
        pad.Settings().SetStyle(2, keyword);
        pad.Settings().SetTokenStyle(kKeyword, 2);
    }
};

std::string Geometry(const std::vector<TPrintRun>& runs) {
    std::string text;
    for (const TPrintRun& run : runs)
        text += std::to_string(run.x) + "+" + std::to_string(run.width) + (run.tab ? "T" : "") +
                "[" + run.text + "] ";
    return text;
}

} // namespace

TEST(PrintRuns, RunsFollowTokensAndTabStops) {
    StyledPad doc;
    auto runs = PrintRuns(doc.pad, doc.metrics, doc.line, false);
    EXPECT_EQ(Geometry(runs), "0+20[ab] 20+20T[  ] 40+10[c] 50+10[d] ");
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[0].look, (TRunLook{kRed, kYellow, kFsBold}));
    EXPECT_EQ(runs[3].look, runs[0].look);
    EXPECT_EQ(runs[2].look, StyleLook(doc.pad.Settings(), 0));
    EXPECT_EQ(runs[3].offset, 4);
}

TEST(PrintRuns, MonochromeIsBlackOnWhiteButKeepsFontStyles) {
    StyledPad doc;
    doc.pad.Store().Record(0).SetColors(kYellow, kRed);
    auto colour = PrintRuns(doc.pad, doc.metrics, doc.line, false);
    auto mono = PrintRuns(doc.pad, doc.metrics, doc.line, true);
    EXPECT_EQ(Geometry(mono), Geometry(colour));
    EXPECT_EQ(colour[2].look.text, kYellow) << "the line's own colours print in colour";
    EXPECT_EQ(colour[2].look.back, kRed);
    for (const TPrintRun& run : mono) {
        EXPECT_EQ(run.look.text, colors::Black);
        EXPECT_EQ(run.look.back, colors::White);
    }
    EXPECT_EQ(mono[0].look.fontStyle, kFsBold);
}

TEST(PrintRuns, HighlightingOffPrintsEverythingInStyleZero) {
    StyledPad doc;
    doc.pad.SetOptions(doc.pad.Options() & ~smoSyntaxHighlight);
    for (const TPrintRun& run : PrintRuns(doc.pad, doc.metrics, doc.line, false))
        EXPECT_EQ(run.look, StyleLook(doc.pad.Settings(), 0));
}
