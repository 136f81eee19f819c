#include "core/editor/TDisplayLine.h"
#include "core/editor/LexipadMessages.h"
#include "core/editor/TCustomLexipad.h"
#include "core/settings/RunColors.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace quarno;

namespace {

// Runs as "column+columns:token" with "*" for selected and "T" for a TAB.
std::string Describe(const TDisplayLine& line) {
    std::ostringstream out;
    for (const TDisplayRun& run : line.Runs()) {
        out << run.column << '+' << run.columns << ':' << int(run.token);
        if (run.selected) out << '*';
        if (run.tab) out << 'T';
        out << ' ';
    }
    return out.str();
}

void SetTokens(TCustomLexipad& pad, int line, const std::vector<uint8_t>& tokens) {
    int lines[2] = {line, line};
    pad.Perform(LPM_SETSTYLES, reinterpret_cast<uintptr_t>(lines), tokens.data());
}

} // namespace

TEST(TDisplayLine, TokensFormRunsAndTabsFillToTheirStop) {
    TCustomLexipad pad;
    pad.SetText("ab\tcd\rnext");
    SetTokens(pad, 0, {1, 1, 0, 2, 2, 0});
    TDisplayLine line;
    line.Build(pad, 0, 100);
    EXPECT_EQ(line.Text(), "ab  cd");
    EXPECT_EQ(Describe(line), "0+2:1 2+2:0T 4+2:2 ");
    EXPECT_EQ(line.EndColumn(), 6);
    EXPECT_TRUE(line.EndsWithBreak());
    EXPECT_EQ(line.Tokens(), (std::vector<uint8_t>{1, 1, 0, 0, 2, 2}));
    line.Build(pad, 1, 100);
    EXPECT_EQ(line.RecordStart(), 6);
    EXPECT_EQ(Describe(line), "0+4:0 ") << "a record without token bytes is token 0";
}

TEST(TDisplayLine, SelectionSplitsRunsAndMayGoPastTheEnd) {
    TCustomLexipad pad;
    pad.SetText("abcdef\rxy");
    pad.SetSelection(2, 4);
    TDisplayLine line;
    line.Build(pad, 0, 100);
    EXPECT_EQ(Describe(line), "0+2:0 2+2:0* 4+2:0 ");
    EXPECT_FALSE(line.SelectedPastEnd());
    pad.SetSelection(4, 8);
    line.Build(pad, 0, 100);
    EXPECT_EQ(Describe(line), "0+4:0 4+2:0* ");
    EXPECT_TRUE(line.SelectedPastEnd()) << "the selection holds the line break";
    line.Build(pad, 1, 100);
    EXPECT_EQ(Describe(line), "0+1:0* 1+1:0 ");
    EXPECT_FALSE(line.SelectedPastEnd());
}

TEST(TDisplayLine, LeftColumnCutsTheLineAndMaxColumnsEndsIt) {
    TCustomLexipad pad;
    pad.SetText("\tabcdefgh");
    pad.SetLeftCol(2);
    TDisplayLine line;
    line.Build(pad, 0, 3);
    EXPECT_EQ(Describe(line), "0+2:0T 2+1:0 ") << "the rest of a cut TAB stays a TAB cell";
    EXPECT_EQ(line.Text(), "  a");
    pad.SetLeftCol(20);
    line.Build(pad, 0, 10);
    EXPECT_TRUE(line.Runs().empty());
    EXPECT_LT(line.EndColumn(), 0);
    line.Build(pad, 5, 10);
    EXPECT_TRUE(line.Runs().empty()) << "a record past the end is an empty line";
}

TEST(TDisplayLine, SoftContinuationsAreSeparateRows) {
    TCustomLexipad pad;
    pad.SetText(std::string(2047, 'a') + "bc");
    TDisplayLine line;
    line.Build(pad, 0, 10);
    EXPECT_TRUE(line.ContinuesBelow());
    EXPECT_FALSE(line.EndsWithBreak());
    line.Build(pad, 1, 10);
    EXPECT_EQ(line.Text(), "bc") << "a continuation starts at column 0 again";
}

namespace {

TLP_Settings StyledSettings() {
    TLP_Settings settings;
    TLP_Style plain{0, 0x000000, 0xFFFFFF, 0, 0, 0, 1};
    TLP_Style keyword{kFsBold, 0xFF0000, 0xEEEEEE, 0, 0, 0, 1};
    TLP_Style inherits{kFsItalic, 0x123456, 0x654321, 1, 1, 0, 1};
    settings.SetStyle(0, plain);
    settings.SetStyle(3, keyword);
    settings.SetStyle(4, inherits);
    settings.SetTokenStyle(7, 3);
    settings.SetTokenStyle(8, 4);
    settings.SetSelTextColor(0xFFFFFF);
    settings.SetSelTextBack(0x808000);
    return settings;
}

} // namespace

TEST(TRunColors, PrecedenceFromPrintingDownToTheStyle) {
    TLP_Settings settings = StyledSettings();
    TLineLook none;
    TLineLook mono;
    mono.monoPrint = true;
    mono.breakpoint = true;
    TLineLook breakpoint;
    breakpoint.breakpoint = true;
    breakpoint.breakText = 0xFFFFFF;
    breakpoint.breakBack = 0x0000FF;
    breakpoint.lineBack = 0x00FF00;
    TLineLook coloured;
    coloured.lineText = 0x00FFFF;
    struct Case {
        const char* name;
        uint8_t token;
        bool selected;
        TLineLook line;
        TRunLook expected;
    } cases[] = {
        {"style of the token", 7, false, none, {0xFF0000, 0xEEEEEE, kFsBold}},
        {"unmapped token is style 0", 9, false, none, {0x000000, 0xFFFFFF, 0}},
        {"default flags take style 0", 8, false, none, {0x000000, 0xFFFFFF, kFsItalic}},
        {"selection", 7, true, none, {0xFFFFFF, 0x808000, kFsBold}},
        {"breakpoint beats the selection", 7, false, breakpoint, {0xFFFFFF, 0x0000FF, kFsBold}},
        {"selected breakpoint text is swapped", 7, true, breakpoint, {0x0000FF, 0xFFFFFF, kFsBold}},
        {"printing in black and white beats all", 7, true, mono, {0x000000, 0xFFFFFF, kFsBold}},
        {"the line's own text colour", 7, false, coloured, {0x00FFFF, 0xEEEEEE, kFsBold}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RunLook(settings, c.token, c.selected, c.line), c.expected) << c.name;

    settings.SetOptions(settings.Options() & ~smoSyntaxHighlight);
    EXPECT_EQ(RunLook(settings, 7, false, coloured), (TRunLook{0x000000, 0xFFFFFF, 0}))
        << "highlighting off paints style 0, line colours too";
    settings.SetSelTextDefault(1);
    settings.SetSelBackDefault(1);
    EXPECT_EQ(RunLook(settings, 7, true, none),
              (TRunLook{colors::HighlightText, colors::Highlight, 0}));
}

TEST(TRunColors, StyleZeroFlaggedDefaultUsesTheWindowColours) {
    TLP_Settings settings = StyledSettings();
    TLP_Style base = settings.Style(0);
    base.textDefault = 1;
    base.backDefault = 1;
    settings.SetStyle(0, base);
    TRunLook look = StyleLook(settings, 4);
    EXPECT_EQ(look.text, colors::WindowText);
    EXPECT_EQ(static_cast<uint32_t>(look.back), 0x80000005u);
}
