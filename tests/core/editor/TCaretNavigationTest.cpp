#include "core/base/Exceptions.h"
#include "core/editor/TCustomLexipad.h"
#include "support/CaretText.h"

#include <gtest/gtest.h>

using namespace quarno;
using quarno::test::CaretText;
using quarno::test::SetCaretText;

namespace {

struct ActionCase {
    const char* before;
    int action;
    bool extend;
    const char* after;
};

class ActionTest : public testing::TestWithParam<ActionCase> {};

} // namespace

TEST_P(ActionTest, MovesTheCaret) {
    const ActionCase& c = GetParam();
    TCustomLexipad pad;
    SetCaretText(pad, c.before);
    pad.ExecuteAction(c.action, c.extend);
    EXPECT_EQ(CaretText(pad), c.after);
}

INSTANTIATE_TEST_SUITE_P(Actions, ActionTest,
                         testing::Values(ActionCase{"ab|c  \nx", caLINEEND, false, "abc|  \nx"},
                                         ActionCase{"  |  \nx", caLINEEND, false, "|    \nx"},
                                         ActionCase{"abc\nxy|z", caLINEHOME, false, "abc\n|xyz"},
                                         ActionCase{"abc\n|", caLINEHOME, false, "abc\n|"},
                                         ActionCase{"ab|c", caLEFT, true, "a|b^c"},
                                         ActionCase{"|abc", caLEFT, false, "|abc"},
                                         ActionCase{"abc|", caRIGHT, false, "abc|"},
                                         ActionCase{"one two|", caWORDLEFT, false, "one |two"},
                                         ActionCase{"one   |two", caWORDLEFT, false, "|one   two"},
                                         ActionCase{"one\n|two", caWORDLEFT, false, "|one\ntwo"},
                                         ActionCase{"o|ne two", caWORDRIGHT, false, "one |two"},
                                         ActionCase{"one 42 _x", caWORDRIGHT, false, "one 42 |_x"},
                                         ActionCase{"one| 42", caWORDRIGHT, false, "one| 42"},
                                         ActionCase{"abcd|ef\nxy\nabcdef", caDOWN, false,
                                                    "abcdef\nxy|\nabcdef"},
                                         ActionCase{"abcdef\nab|c", caDOWN, false, "abcdef\nabc|"},
                                         ActionCase{"abc|\nxyz", caDOCEND, true, "abc^\nxyz|"},
                                         ActionCase{"abc\nx|yz", caDOCSTART, false, "|abc\nxyz"},
                                         // The empty line after a final break has no record.
                                         ActionCase{"abc\nxy\n|", caUP, false, "abc\n|xy\n"},
                                         ActionCase{"abc\nxy\n|", caLINEEND, false, "abc\nxy\n|"},
                                         ActionCase{"abc\nxy\n|", caDOWN, false, "abc\nxy\n|"},
                                         ActionCase{"abc\nxy\n|", caDELETELINE, false, "abc\nxy|"},
                                         ActionCase{"abc\n|xy\n", caDELETELINE, false, "abc\n|"},
                                         ActionCase{"abc\n\n|", caDELETELINE, false, "abc\n|"}));

TEST(TCaretNavigation, TabStopsDefaultAndExplicit) {
    TCustomLexipad pad;
    pad.SetText("abc\tx\rabcde\ty");
    pad.SetTabStops({}, 8);
    EXPECT_EQ(pad.DisplayColumn(0, 4), 8) << "a TAB at column 3 ends at 8";
    pad.SetTabStops({4, 8, 12}, 8);
    EXPECT_EQ(pad.DisplayColumn(1, 6), 8) << "a TAB at column 5 ends at the stop 8";
    EXPECT_EQ(pad.NextTabStop(12), 16);
    EXPECT_EQ(pad.OffsetFromColumn(1, 7), 5) << "inside the TAB's cells";
    EXPECT_EQ(pad.OffsetFromColumn(1, 8), 6);
    EXPECT_EQ(pad.DisplayColumn(0, 99), 5) << "the CR has no column";
}

TEST(TCaretNavigation, VerticalMovesKeepTheColumnThroughTabs) {
    TCustomLexipad pad;
    pad.SetTabStops({}, 4);
    SetCaretText(pad, "abcde|f\n\tx\nabcdefgh");
    pad.ExecuteAction(caDOWN, false);
    EXPECT_EQ(CaretText(pad), "abcdef\n\tx|\nabcdefgh") << "column 5 is past the TAB";
    pad.ExecuteAction(caDOWN, false);
    EXPECT_EQ(CaretText(pad), "abcdef\n\tx\nabcde|fgh");
    pad.SetOptions(pad.Options() | smoColumnTrack);
    SetCaretText(pad, "abcdef|\nab\nabcdefgh");
    pad.ExecuteAction(caDOWN, false);
    pad.ExecuteAction(caDOWN, false);
    EXPECT_EQ(CaretText(pad), "abcdef\nab\nabcdef|gh") << "the column survives the short line";
    pad.SetOptions(pad.Options() & ~smoColumnTrack);
    SetCaretText(pad, "abcdef|\nab\nabcdefgh");
    pad.ExecuteAction(caDOWN, false);
    pad.ExecuteAction(caDOWN, false);
    EXPECT_EQ(CaretText(pad), "abcdef\nab\nab|cdefgh");
}

TEST(TCaretNavigation, PageDownScrollsWithTheCaret) {
    TCustomLexipad pad;
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "line\r";
    pad.SetText(text);
    pad.SetVisibleSize(80, 10);
    pad.SetSelection(2, 2);
    pad.ExecuteAction(caPAGEDOWN, false);
    EXPECT_EQ(pad.CaretLine(), 11);
    EXPECT_EQ(pad.CaretColumn(), 3);
    EXPECT_EQ(pad.TopLine(), 10);
    pad.ExecuteAction(caSCROLLUP, false);
    EXPECT_EQ(pad.TopLine(), 9);
    EXPECT_EQ(pad.CaretLine(), 11) << "the caret stays while it is in view";
    pad.ExecuteAction(caSCROLLDOWN, false);
    pad.ExecuteAction(caSCROLLDOWN, false);
    EXPECT_EQ(pad.TopLine(), 11);
    EXPECT_EQ(pad.CaretLine(), 12) << "the caret moves with the view";
}

TEST(TCaretNavigation, BeyondTheLineEndTypingFillsTheGap) {
    TCustomLexipad pad;
    pad.SetOptions((pad.Options() | smoCaretAfterEOL) & ~smoUseTAB);
    SetCaretText(pad, "ab|\ncd");
    for (int i = 0; i < 3; ++i)
        pad.ExecuteAction(caRIGHT, false);
    EXPECT_TRUE(pad.BeyondLineEnd());
    EXPECT_EQ(CaretText(pad), "ab|\ncd") << "the caret stays on its line";
    EXPECT_EQ(pad.CaretColumn(), 6);
    pad.ExecuteAction(caLEFT, false);
    EXPECT_EQ(pad.CaretColumn(), 5);
    pad.KeyPress('x');
    EXPECT_EQ(CaretText(pad), "ab  x|\ncd");
    EXPECT_FALSE(pad.BeyondLineEnd());
    pad.SetOptions(pad.Options() | smoUseTAB | smoSmartFill);
    pad.SetTabStops({}, 4);
    SetCaretText(pad, "ab|");
    for (int i = 0; i < 4; ++i)
        pad.ExecuteAction(caRIGHT, false);
    pad.KeyPress('y');
    EXPECT_EQ(CaretText(pad), "ab\t  y|") << "smart fill: a TAB to column 4, then spaces";
}

TEST(TCaretNavigation, BeyondTheLineEndOnTheLastEmptyLine) {
    TCustomLexipad pad;
    pad.SetOptions((pad.Options() | smoCaretAfterEOL) & ~smoUseTAB);
    SetCaretText(pad, "ab\n|");
    pad.ExecuteAction(caRIGHT, false);
    pad.ExecuteAction(caRIGHT, false);
    EXPECT_TRUE(pad.BeyondLineEnd()) << "Right works there as on every other line";
    EXPECT_EQ(pad.CaretLine(), 2);
    EXPECT_EQ(pad.CaretColumn(), 3);
    pad.ExecuteAction(caLEFT, false);
    EXPECT_EQ(pad.CaretColumn(), 2);
    pad.KeyPress('x');
    EXPECT_EQ(CaretText(pad), "ab\n x|") << "the gap is filled on that line, not the one above";
    SetCaretText(pad, "ab\n|");
    pad.ExecuteAction(caRIGHT, false);
    pad.ExecuteAction(caDELETELINE, false);
    EXPECT_FALSE(pad.BeyondLineEnd());
    EXPECT_EQ(CaretText(pad), "ab|");
}

TEST(TCaretNavigation, CaretLineAndColumnAreOneBased) {
    TCustomLexipad pad;
    pad.SetTabStops({}, 8);
    SetCaretText(pad, "ab\n\tx|");
    EXPECT_EQ(pad.CaretLine(), 2);
    EXPECT_EQ(pad.CaretColumn(), 10);
    SetCaretText(pad, "ab\n|");
    EXPECT_EQ(pad.CaretLine(), 2) << "the line after a final break";
    EXPECT_EQ(pad.CaretColumn(), 1);
}

TEST(TNumberedBookmarks, SetToggleMoveAndGo) {
    TCustomLexipad pad;
    std::vector<int> set;
    pad.OnBookmarkSet = [&](TCustomLexipad&, int index) { set.push_back(index); };
    SetCaretText(pad, "first\nsec|ond\nthird");
    pad.ExecuteAction(caSETBOOKMARK0 + 3, false);
    int line = 0;
    int column = 0;
    ASSERT_TRUE(pad.GetBookmark(3, line, column));
    EXPECT_EQ(line, 2);
    EXPECT_EQ(column, 4);
    pad.ExecuteAction(caSETBOOKMARK0 + 3, false);
    EXPECT_FALSE(pad.GetBookmark(3, line, column)) << "setting it again on its line removes it";
    pad.SetBookmark(3, 1, 2);
    pad.SetBookmark(3, 3, 99);
    ASSERT_TRUE(pad.GetBookmark(3, line, column));
    EXPECT_EQ(line, 3);
    EXPECT_EQ(column, 6) << "limited to the line length";
    EXPECT_EQ(set, (std::vector<int>{3, 3, 3}));
    pad.SetSelection(0, 0);
    pad.ExecuteAction(caGOTOBOOKMARK0 + 3, false);
    EXPECT_EQ(CaretText(pad), "first\nsecond\nthird|");
    EXPECT_THROW(pad.SetBookmark(10), ELexipad);
}

TEST(TNumberedBookmarks, OneBookmarkPerLine) {
    TCustomLexipad pad;
    SetCaretText(pad, "li|ne\nother");
    pad.SetBookmark(3);
    pad.SetBookmark(4);
    int line = 0;
    int column = 0;
    EXPECT_FALSE(pad.GetBookmark(3, line, column));
    EXPECT_TRUE(pad.GetBookmark(4, line, column));
    pad.SetSelection(8, 8);
    pad.GotoBookmark(3);
    EXPECT_EQ(pad.CaretPos(), 8) << "going to a removed bookmark does nothing";
}
