#include "core/editor/TCustomLexipad.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace quarno;

namespace {

void Replace(TCustomLexipad& pad, int start, int end, const std::string& text) {
    pad.SetSelection(start, end);
    pad.ReplaceSelection(text);
}

} // namespace

TEST(TStoreAnnotations, NamedBookmarksMoveAndVanishWithTheirText) {
    TCustomLexipad pad;
    pad.SetText("0123456789");
    TCustomBookmarks& bookmarks = pad.Store().NamedBookmarks();
    std::vector<std::string> freed;
    bookmarks.OnFree = [&](const std::string& name) { freed.push_back(name); };
    bookmarks.Add("before", 2);
    bookmarks.Add("inside", 5);
    bookmarks.Add("after", 8);
    Replace(pad, 4, 7, "");
    EXPECT_EQ(bookmarks.Find("before"), 2);
    EXPECT_EQ(bookmarks.Find("inside"), -1);
    EXPECT_EQ(bookmarks.Find("after"), 5);
    EXPECT_EQ(freed, std::vector<std::string>{"inside"});
    Replace(pad, 2, 2, "xx");
    EXPECT_EQ(bookmarks.Find("before"), 4) << "a bookmark at the insertion point moves on";
    pad.SelectAll();
    pad.ReplaceSelection("");
    EXPECT_EQ(bookmarks.Count(), 0);
    EXPECT_EQ(freed.size(), 3u);
}

TEST(TStoreAnnotations, RangeMarkGrowsWithTypingAndVanishesWhenDeleted) {
    TCustomLexipad pad;
    pad.SetText("xx abc yy");
    TRangeMarks& marks = pad.Store().RangeMarks();
    int changes = 0;
    int freed = 0;
    marks.OnChange = [&](TRangeMark&) { ++changes; };
    marks.OnFree = [&](TRangeMark& mark) { freed += mark.value; };
    TRangeMark* mark = marks.Add(3, 3, 77);
    TRangeMark* later = marks.Add(8, -1, 5); // a negative length counts back
    EXPECT_EQ(later->start, 7);
    Replace(pad, 4, 4, "ZZ"); // typed inside "abc"
    EXPECT_EQ(mark->start, 3);
    EXPECT_EQ(mark->end, 8);
    EXPECT_EQ(later->start, 9);
    EXPECT_EQ(changes, 2);
    Replace(pad, 0, 1, "");
    EXPECT_EQ(mark->start, 2);
    Replace(pad, 4, 9, ""); // cuts the end of the first mark, removes the second
    EXPECT_EQ(mark->end, 4);
    EXPECT_EQ(freed, 5);
    Replace(pad, 1, 5, "");
    EXPECT_EQ(freed, 82);
    EXPECT_EQ(marks.Count(), 0);
}

TEST(TStoreAnnotations, RangeMarksStayInStartOrder) {
    TCustomLexipad pad;
    pad.SetText(std::string(40, 'a'));
    TRangeMarks& marks = pad.Store().RangeMarks();
    TRangeMark* c = marks.Add(30, 2, 3);
    TRangeMark* a = marks.Add(10, 2, 1);
    TRangeMark* b = marks.Add(20, 2, 2);
    EXPECT_EQ(marks.First(), a);
    EXPECT_EQ(marks.Next(a), b);
    EXPECT_EQ(marks.Next(b), c);
    marks.SetStart(a, 35); // past its end: the range is normalised to [12, 35)
    EXPECT_EQ(a->start, 12);
    EXPECT_EQ(a->end, 35);
    marks.SetEnd(a, 37);
    marks.SetStart(a, 35);
    EXPECT_EQ(marks.First(), b);
    EXPECT_EQ(marks.Next(c), a);
    TRangeMark* found = nullptr;
    EXPECT_TRUE(marks.Find(19, 2, found));
    EXPECT_EQ(found, b);
    EXPECT_FALSE(marks.Find(0, 5, found));
    TRangeMark* same = marks.Add(20, 1, 2); // after the marks starting where it starts
    EXPECT_EQ(marks.Next(b), same);
    int freed = 0;
    marks.OnFree = [&](TRangeMark&) { ++freed; };
    EXPECT_EQ(marks.DeleteIf([](const TRangeMark& mark) { return mark.value == 2; }), 2);
    EXPECT_EQ(marks.First(), c);
    EXPECT_EQ(marks.Next(c), a);
    EXPECT_EQ(marks.Count(), 2);
    EXPECT_EQ(freed, 0);
}

TEST(TStoreAnnotations, BreakpointsFollowTheirLinesAndDieWithThem) {
    TCustomLexipad pad;
    pad.SetText("one\rtwo\rthree\r");
    TLP_Breakpoints& breakpoints = pad.Store().Breakpoints();
    int freed = 0;
    breakpoints.OnFree = [&](TLP_BreakpointData&) { ++freed; };
    TLP_BreakpointData* two = breakpoints.Add(4);
    TLP_BreakpointData* three = breakpoints.Add(8);
    Replace(pad, 4, 4, "x"); // typed at the start of "two": the breakpoint stays on it
    EXPECT_EQ(two->position, 4);
    Replace(pad, 0, 0, "\r");
    EXPECT_EQ(two->position, 5);
    EXPECT_EQ(three->position, 10);
    TBreakpointLook look;
    EXPECT_TRUE(breakpoints.LineLook(5, look));
    EXPECT_EQ(look.backColor, 255);
    two->SetEnabled(false);
    EXPECT_TRUE(breakpoints.LineLook(5, look));
    EXPECT_EQ(look.backColor, 32768);
    Replace(pad, 5, 10, ""); // the whole line "xtwo\r"
    EXPECT_EQ(freed, 1);
    EXPECT_EQ(breakpoints.Count(), 1);
    EXPECT_EQ(breakpoints.Find(5), three);
}

TEST(TStoreAnnotations, CodeBreakIsDisabledWhenItsLineGoes) {
    TCustomLexipad pad;
    pad.SetText("a\rb\rc\r");
    TLP_CodeBreak& codeBreak = pad.Store().CodeBreak();
    TBreakpointLook look;
    EXPECT_FALSE(codeBreak.LineLook(0, look));
    codeBreak.Set(2);
    EXPECT_TRUE(codeBreak.LineLook(2, look));
    EXPECT_EQ(look.backColor, 8388608);
    Replace(pad, 2, 4, "");
    EXPECT_FALSE(codeBreak.Data().Enabled());
    EXPECT_EQ(codeBreak.Count(), 1);
}

TEST(TStoreAnnotations, TheAttachedControlReportsAnnotationChanges) {
    TCustomLexipad pad;
    pad.SetText("abc\rdef\r");
    std::vector<std::string> events;
    pad.OnMarkChange = [&](TCustomLexipad&, TRangeMark&) { events.push_back("change"); };
    pad.OnMarkFree = [&](TCustomLexipad&, TRangeMark&) { events.push_back("free"); };
    pad.OnCustomBookmarkFree = [&](TCustomLexipad&, const std::string& name) {
        events.push_back(name);
    };
    pad.OnBreakpointFree = [&](TCustomLexipad&, TLP_BreakpointData&) { events.push_back("bp"); };
    pad.Store().RangeMarks().Add(4, 2, 0);
    pad.Store().NamedBookmarks().Add("here", 5);
    pad.Store().Breakpoints().Add(4);
    pad.SetSelection(0, 0);
    pad.ReplaceSelection("x");
    pad.SetSelection(4, 9);
    pad.ReplaceSelection("");
    EXPECT_EQ(events, (std::vector<std::string>{"change", "bp", "here", "free"}));

    TTextStore other; // a tab's store: its notifications go to the control it is in
    pad.AttachStore(&other);
    other.NamedBookmarks().Add("x", 0);
    pad.AttachStore(nullptr);
    events.clear();
    other.NamedBookmarks().Clear();
    EXPECT_TRUE(events.empty()) << "a detached store no longer reports to the control";
}
