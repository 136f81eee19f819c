#include "core/editor/LexipadMessages.h"
#include "core/editor/TCustomLexipad.h"
#include "core/lexicon/ShortCuts.h"
#include "support/CaretText.h"

#include <gtest/gtest.h>

using namespace quarno;
using quarno::test::CaretText;
using quarno::test::SetCaretText;

namespace {

// Default geometry: 34-pixel gutter, 2-pixel margin, 7 x 17 character cells.
TPoint At(int column, int row) {
    return {36 + column * 7 + 1, row * 17 + 3};
}

void Click(TCustomLexipad& pad, TPoint point, int64_t time, uint32_t shift = 0) {
    pad.MouseDown(point, shift, time);
    pad.MouseUp(point, shift);
}

} // namespace

TEST(TMouse, PositionsAndPointsRoundTrip) {
    TCustomLexipad pad;
    pad.SetText("abc\rdefgh");
    EXPECT_EQ(pad.CharFromPos(At(2, 1)), 6);
    EXPECT_EQ(pad.PosFromChar(6), (TPoint{36 + 14, 17}));
    EXPECT_EQ(pad.CharFromPos({10, 5}), -1) << "the gutter is outside the text";
    EXPECT_EQ(pad.Perform(EM_CHARFROMPOS, 0, (17 << 16) | (36 + 21)), 7);
    pad.SetTopLine(1);
    EXPECT_EQ(pad.Perform(EM_POSFROMCHAR, 1), -1) << "above the top line";
}

TEST(TMouse, ShiftClickMovesTheNearerEnd) {
    TCustomLexipad pad;
    SetCaretText(pad, "0123^456|789");
    Click(pad, At(9, 0), 1000, kShiftKey);
    EXPECT_EQ(CaretText(pad), "0123^45678|9");
    Click(pad, At(1, 0), 5000, kShiftKey);
    EXPECT_EQ(CaretText(pad), "0|12345678^9") << "the start moved, the end stayed";
}

TEST(TMouse, ClicksCountToSelectWordsAndLines) {
    TCustomLexipad pad;
    pad.SetText("first word\rsecond line\rthird");
    Click(pad, At(8, 0), 1000);
    EXPECT_EQ(pad.ClickCount(), 1);
    Click(pad, At(8, 0), 1200);
    EXPECT_EQ(pad.ClickCount(), 2);
    EXPECT_EQ(pad.SelectedText(), "word");
    Click(pad, At(8, 0), 1400);
    EXPECT_EQ(pad.ClickCount(), 3);
    EXPECT_EQ(pad.SelectedText(), "first word\r");
    Click(pad, At(2, 1), 9000);
    EXPECT_EQ(pad.ClickCount(), 1) << "too late for a double click";
    int triples = 0;
    pad.OnTripleClick = [&](TCustomLexipad&, TPoint, int offset) { triples += offset; };
    Click(pad, At(2, 1), 9100);
    Click(pad, At(2, 1), 9200);
    EXPECT_EQ(triples, 13);
}

TEST(TMouse, GutterAndMarginClicks) {
    TCustomLexipad pad;
    pad.SetText("one\rtwo\rthree");
    std::vector<int> lines;
    pad.OnGutterClick = [&](TCustomLexipad&, int line) { lines.push_back(line); };
    Click(pad, {5, 17 * 2 + 4}, 100);
    EXPECT_EQ(lines, std::vector<int>{3});
    EXPECT_EQ(pad.SelLength(), 0) << "a gutter click does nothing else";
    Click(pad, {35, 17 + 4}, 5000);
    EXPECT_EQ(pad.SelectedText(), "two\r") << "the margin strip selects the line";
}

TEST(TMouse, DraggingSelectsAndPressInSelectionPlacesTheCaret) {
    TCustomLexipad pad;
    pad.SetText("abcdefgh\rijkl");
    pad.MouseDown(At(1, 0), 0, 100);
    pad.MouseMove(At(3, 1), 0);
    pad.MouseUp(At(3, 1), 0);
    EXPECT_EQ(pad.SelectedText(), "bcdefgh\rijk");
    pad.MouseDown(At(4, 0), 0, 5000);
    EXPECT_TRUE(pad.DragPending());
    pad.MouseUp(At(4, 0), 0);
    EXPECT_FALSE(pad.DragPending());
    EXPECT_EQ(pad.SelLength(), 0);
    EXPECT_EQ(pad.CaretPos(), 4);
}

TEST(TMouse, RightMarginLineCanBeDragged) {
    TCustomLexipad pad;
    pad.SetText("text");
    pad.SetRightMargin(10);
    pad.MouseDown({36 + 70, 5}, 0, 100);
    EXPECT_EQ(pad.MarginDrag(), 1);
    pad.MouseUp({36 + 70 + 35, 5}, 0);
    EXPECT_EQ(pad.RightMargin(), 15);
    EXPECT_EQ(pad.MarginDrag(), 0);
}
