#include "core/editor/LexipadMessages.h"
#include "core/editor/TCustomLexipad.h"
#include "support/CaretText.h"

#include <gtest/gtest.h>

using namespace quarno;
using quarno::test::CaretText;
using quarno::test::SetCaretText;

namespace {

// Default geometry: 34-pixel gutter, 2-pixel margin, 7 x 17 character cells;
// a point in the middle of a cell.
TPoint Cell(int column, int row) {
    return {36 + column * 7 + 3, row * 17 + 8};
}

} // namespace

TEST(TMouseCursor, EachAreaAsksForItsCursor) {
    TCustomLexipad pad;
    pad.SetText("link here\rsecond");
    uint8_t tokens[16] = {5, 5, 5, 5};
    int lines[2] = {0, 0};
    pad.Perform(LPM_SETSTYLES, reinterpret_cast<uintptr_t>(lines), tokens);
    TLP_Style hot;
    hot.hotSpot = 1;
    hot.defined = 1;
    pad.Settings().SetStyle(2, hot);
    pad.Settings().SetTokenStyle(5, 2);
    pad.SetOptions(pad.Options() | smoShowRMargin);
    pad.SetRightMargin(12);
    pad.SetSelection(5, 9);
    int hovers = 0;
    pad.OnHyperlinkHover = [&](TCustomLexipad&) { ++hovers; };
    struct Case {
        const char* name;
        TPoint point;
        TLexipadCursor expected;
    } cases[] = {
        {"gutter", {5, 5}, TLexipadCursor::Arrow},
        {"hot-spot token", Cell(2, 0), TLexipadCursor::Hyper},
        {"selection with smoOLEDragSource", Cell(6, 0), TLexipadCursor::DragArrow},
        {"plain text", Cell(1, 1), TLexipadCursor::IBeam},
        {"past the line end", Cell(9, 1), TLexipadCursor::IBeam},
        {"right-margin line", {36 + 12 * 7, 20}, TLexipadCursor::Split},
    };
    for (const Case& c : cases)
        EXPECT_EQ(pad.MouseHover(c.point), c.expected) << c.name;
    EXPECT_EQ(hovers, 1) << "only the hot spot raises OnHyperlinkHover";

    pad.SetOptions(pad.Options() & ~(smoOLEDragSource | smoSyntaxHighlight));
    EXPECT_EQ(pad.CursorAt(Cell(6, 0)), TLexipadCursor::IBeam);
    EXPECT_EQ(pad.CursorAt(Cell(2, 0)), TLexipadCursor::IBeam) << "no hot spots unhighlighted";
}

TEST(TMouseCursor, CharacterUnderAPointIsTheCellItLiesIn) {
    TCustomLexipad pad;
    pad.SetText("abc\rd");
    EXPECT_EQ(pad.CharUnderPoint({36 + 1, 3}), 0);
    EXPECT_EQ(pad.CharUnderPoint({36 + 7 + 6, 3}), 1) << "the right half of b is still b";
    EXPECT_EQ(pad.CharUnderPoint({36 + 3 * 7 + 2, 3}), -1) << "past the last character";
    EXPECT_EQ(pad.CharUnderPoint(Cell(0, 1)), 4);
    EXPECT_EQ(pad.CharUnderPoint(Cell(0, 2)), -1) << "below the last line";
    EXPECT_EQ(pad.CharUnderPoint({10, 3}), -1) << "in the gutter";
}

TEST(TTemplateList, PreselectsTheFirstNameHoldingTheWordAndExpandsTheChoice) {
    TCustomLexipad pad;
    TCodeTemplates& templates = pad.Settings().Templates();
    templates.Add("forloop", "For loop", false, "FOR I = 1 TO 10\rNEXT");
    templates.Add("ifthen", "If", false, "IF X THEN");
    templates.Add("whileloop", "While", false, "WHILE X\rWEND");
    EXPECT_EQ(pad.TemplateListIndex("LOOP"), 0);
    EXPECT_EQ(pad.TemplateListIndex("hil"), 2);
    EXPECT_EQ(pad.TemplateListIndex(""), 0);
    EXPECT_EQ(pad.TemplateListIndex("zz"), -1);

    std::string seenName;
    pad.OnTemplateEvent = [&](TCustomLexipad&, const std::string& name, std::string& body) {
        seenName = name;
        body += "!";
    };
    SetCaretText(pad, "x = 1\r  wh|");
    pad.ExpandTemplate(2);
    EXPECT_EQ(seenName, "whileloop");
    EXPECT_EQ(CaretText(pad), "x = 1\n  WHILE X\nWEND!|");
    pad.Undo();
    EXPECT_EQ(CaretText(pad), "x = 1\n  wh|") << "one undo step";
    pad.ExpandTemplate(7);
    EXPECT_EQ(CaretText(pad), "x = 1\n  wh|") << "an index outside the list does nothing";
}

TEST(TStoreEvents, TheAttachedStoreReportsThroughTheControl) {
    TCustomLexipad pad;
    TTextStore other;
    std::vector<std::string> seen;
    pad.OnCustomBookmarkFree = [&](TCustomLexipad&, const std::string& name) {
        seen.push_back("bookmark " + name);
    };
    pad.OnMarkChange = [&](TCustomLexipad&, TRangeMark& mark) {
        seen.push_back("mark change " + std::to_string(mark.value));
    };
    pad.OnMarkFree = [&](TCustomLexipad&, TRangeMark& mark) {
        seen.push_back("mark free " + std::to_string(mark.value));
    };
    pad.OnBreakpointFree = [&](TCustomLexipad&, TLP_BreakpointData& data) {
        seen.push_back("breakpoint free " + std::to_string(data.value1));
    };
    pad.OnBreakpointStateChange = [&](TCustomLexipad&, TLP_BreakpointData& data) {
        seen.push_back("breakpoint " + std::string(data.Enabled() ? "on" : "off"));
    };
    pad.AttachStore(&other);
    pad.SetText("one\rtwo\rthree");
    other.NamedBookmarks().Add("b", 5);
    other.RangeMarks().Add(9, 2, 7);
    other.RangeMarks().Add(4, 2, 8);
    TLP_BreakpointData* breakpoint = other.Breakpoints().Add(4);
    breakpoint->value1 = 42;
    breakpoint->SetEnabled(false);
    pad.SetSelection(0, 1);
    pad.ReplaceSelection("");
    pad.SetSelection(3, 8);
    pad.ReplaceSelection("");
    EXPECT_EQ(seen, (std::vector<std::string>{"breakpoint off", "mark change 8", "mark change 7",
                                              "breakpoint free 42", "bookmark b", "mark free 8",
                                              "mark change 7"}));

    pad.AttachStore(nullptr);
    seen.clear();
    other.RangeMarks().Add(0, 1, 9);
    other.SetLineStyle(lsLF);
    other.InsertText(0, "x");
    EXPECT_TRUE(seen.empty()) << "a store the control left no longer reports to it";
}

TEST(TMouseCursor, TheTextEndAfterAFinalBreakIsOnTheLineBelow) {
    TCustomLexipad pad;
    pad.SetText("ab\rcd\r");
    EXPECT_EQ(pad.PosFromChar(6), (TPoint{36, 2 * 17}));
    EXPECT_EQ(pad.PosFromChar(5), (TPoint{36 + 14, 17}));
    EXPECT_EQ(pad.CharFromPos({36 + 20, 2 * 17 + 3}, true), 6);
}
