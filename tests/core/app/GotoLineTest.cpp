#include "core/app/GotoLine.h"
#include "core/editor/TCustomLexipad.h"

#include <gtest/gtest.h>

using namespace quarno;

TEST(GotoLine, AcceptsOnlyNumbersFromOneToOnePastTheLastLine) {
    TCustomLexipad pad;
    pad.SetText("one\rtwo\rthree");
    pad.SetSelection(5, 9);
    TLineRange range = GotoLineRange(pad);
    EXPECT_EQ(range.lowest, 1);
    EXPECT_EQ(range.highest, 4);
    EXPECT_EQ(range.current, 2) << "the line of the selection start";
    EXPECT_EQ(LineRangeMessage(range), "Value must be between 1 and 4");
    struct Case {
        const char* typed;
        std::optional<int> line;
    };
    for (const Case& c : {Case{"1", 1}, Case{"4", 4}, Case{" 3 ", 3}, Case{"+2", 2}, Case{"0", {}},
                          Case{"5", {}}, Case{"-1", {}}, Case{"", {}}, Case{"two", {}},
                          Case{"3x", {}}, Case{"2 3", {}}, Case{"99999999999999999999", {}}}) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(ParseLineNumber(c.typed, range), c.line);
    }
}

TEST(GotoLine, GoesToTheStartOfALineAndCentresIt) {
    TCustomLexipad pad;
    std::string text;
    for (int line = 1; line <= 100; ++line)
        text += "line " + std::to_string(line) + "\r";
    pad.SetText(text);
    pad.SetVisibleSize(80, 20);
    struct Case {
        int line;
        int position;
        int top;
    };
    int last = static_cast<int>(text.size());
    for (const Case& c : {Case{50, pad.LineIndex(49), 39}, Case{3, pad.LineIndex(2), 0},
                          Case{101, last, 90}, Case{1, 0, 0}}) {
        SCOPED_TRACE(c.line);
        GotoLine(pad, c.line);
        EXPECT_EQ(pad.SelStart(), c.position);
        EXPECT_EQ(pad.SelLength(), 0);
        EXPECT_EQ(pad.TopLine(), c.top);
    }
}

// Real line numbers, as the gutter shows them, are translated into rows when
// lines are wrapped, or longer than a record holds.
TEST(GotoLine, CountsRealLinesInAWrappedDocument) {
    for (bool wrap : {true, false}) {
        SCOPED_TRACE(wrap ? "wrapped" : "long line");
        TCustomLexipad pad;
        std::string words;
        for (int i = 0; i < 30; ++i)
            words += "word" + std::to_string(i) + " ";
        std::string longLine = wrap ? words : std::string(5000, 'x');
        pad.SetText("first\r" + longLine + "\rthird\rfourth");
        if (wrap) {
            pad.SetWrapAtColumn(20);
            pad.SetOptions(pad.Options() | smoWordWrap);
        }
        ASSERT_GT(pad.LineCount(), 4) << "the long line takes several rows";
        TLineRange range = GotoLineRange(pad);
        EXPECT_EQ(range.highest, 5);
        int third = static_cast<int>(("first\r" + longLine + "\r").size());
        pad.SetSelection(third + 2, third + 2);
        EXPECT_EQ(GotoLineRange(pad).current, 3);
        pad.SetSelection(0, 0);
        GotoLine(pad, 3);
        EXPECT_EQ(pad.SelStart(), third);
        EXPECT_EQ(pad.LineText(pad.LineFromChar(-1)), "third");
        GotoLine(pad, 5);
        EXPECT_EQ(pad.SelStart(), pad.CharCount());
    }
}
