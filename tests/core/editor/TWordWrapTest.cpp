#include "core/editor/TCustomLexipad.h"
#include "support/StoreInspection.h"

#include <gtest/gtest.h>

using namespace quarno;
using quarno::test::CheckInvariants;
using quarno::test::RecordLayout;

namespace {

void WrapAt(TCustomLexipad& pad, int column) {
    pad.SetWrapAtColumn(column);
    pad.SetOptions(pad.Options() | smoWordWrap);
}

} // namespace

TEST(TWordWrap, BreaksAfterBlanksAndInsideLongWords) {
    TCustomLexipad pad;
    pad.SetText("the quick brown fox jumps\rabcdefghijklmnopqrstuvw");
    WrapAt(pad, 10);
    EXPECT_EQ(RecordLayout(pad.Store()), "10 +10 +6 10 +10 +3");
    EXPECT_EQ(pad.Text(), "the quick brown fox jumps\rabcdefghijklmnopqrstuvw");
    EXPECT_EQ(pad.LineCount(), 6) << "records are counted";
    EXPECT_EQ(CheckInvariants(pad.Store()), "");
    pad.SetOptions(pad.Options() & ~smoWordWrap);
    EXPECT_EQ(RecordLayout(pad.Store()), "26 23");
}

TEST(TWordWrap, OverrideCharactersKeepALineWhole) {
    TCustomLexipad pad;
    pad.SetText(">not wrapped at all here\rwrapped because not marked");
    WrapAt(pad, 8);
    pad.SetOptions(pad.Options() | smoWrapOverride);
    EXPECT_EQ(pad.Store().LineRecordCount(0), 1);
    EXPECT_GT(pad.Store().LineRecordCount(1), 1);
    pad.SetWrapOverride("");
    EXPECT_GT(pad.Store().LineRecordCount(0), 1);
}

TEST(TWordWrap, EditsRewrapTheirLineAndUndoRestoresIt) {
    TCustomLexipad pad;
    pad.SetText("aaa bbb ccc\rnext");
    WrapAt(pad, 8);
    EXPECT_EQ(RecordLayout(pad.Store()), "8 +4 4") << "\"aaa bbb \" \"ccc\\r\"";
    pad.SetSelection(0, 0);
    pad.ReplaceSelection("zz ");
    EXPECT_EQ(pad.Text(), "zz aaa bbb ccc\rnext");
    EXPECT_EQ(RecordLayout(pad.Store()), "7 +8 4") << "\"zz aaa \" \"bbb ccc\\r\"";
    EXPECT_EQ(CheckInvariants(pad.Store()), "");
    pad.Undo();
    EXPECT_EQ(RecordLayout(pad.Store()), "8 +4 4");
}

TEST(TWordWrap, LineNumbersAndBookmarksUseRealLines) {
    TCustomLexipad pad;
    pad.SetText("one two three four\rfive");
    WrapAt(pad, 6);
    ASSERT_GT(pad.Store().RecordCount(), 2);
    std::vector<int> lines;
    pad.OnGutterClick = [&](TCustomLexipad&, int line) { lines.push_back(line); };
    pad.MouseDown({3, 17 + 2}, 0, 0); // second record: a continuation of line 1
    pad.MouseDown({3, 17 * (pad.Store().RecordCount() - 1) + 2}, 0, 5000);
    EXPECT_EQ(lines, (std::vector<int>{1, 2}));
    pad.SetSelection(10, 10);
    pad.SetBookmark(1);
    EXPECT_TRUE(pad.Store().Record(0).Marks() & 2) << "set on the real start of the line";
}

// Whole-document wrap against each line's breaks computed alone: lines that
// fit are skipped without being measured, and must come out as if they
// had been. Behind thousands of short lines only a few records change, and
// the lines are laid out one by one rather than all anew.
TEST(TWordWrap, WholeDocumentMatchesEachLineBrokenAlone) {
    std::string wrapping;
    const char* words[] = {"Dim", "x", "As", "Byte", "\t", "PORTB.1", "'", "=", "$1F", "Toggle"};
    for (int line = 0; line < 400; ++line) {
        int count = (line * 7) % 23;
        for (int w = 0; w < count; ++w)
            wrapping += std::string(words[(line + w * 3) % 10]) + (w % 4 == 3 ? "" : " ");
        wrapping += '\r';
    }
    std::string shortLines;
    for (int line = 0; line < 4000; ++line)
        shortLines += "x\r";
    for (int width : {0, 150, 400})
        for (const std::string& text : {wrapping, shortLines + wrapping}) {
            TCustomLexipad pad;
            pad.SetText(text);
            if (width == 0)
                pad.SetWrapAtColumn(12);
            else
                pad.SetClientSize(width + pad.TextLeft() + 32, 300);
            std::string expected;
            size_t start = 0;
            while (start < text.size()) {
                size_t end = text.find('\r', start);
                std::string_view line = std::string_view(text).substr(start, end - start);
                int from = 0;
                for (int at : pad.WrapBreaks(line)) {
                    expected += (expected.empty() ? "" : " ") + std::string(from > 0 ? "+" : "") +
                                std::to_string(at - from);
                    from = at;
                }
                expected += (expected.empty() ? "" : " ") + std::string(from > 0 ? "+" : "") +
                            std::to_string(static_cast<int>(line.size()) - from + 1);
                start = end + 1;
            }
            pad.SetOptions(pad.Options() | smoWordWrap);
            EXPECT_EQ(RecordLayout(pad.Store()), expected)
                << "width " << width << ", " << text.size() << " characters";
            EXPECT_EQ(pad.Text(), text);
            EXPECT_EQ(CheckInvariants(pad.Store()), "");
        }
}

// Changing the wrap keeps the text at the top of the view where it was,
// however many rows the lines above it take now.
TEST(TWordWrap, TheTopOfTheViewKeepsItsText) {
    std::string text;
    for (int line = 0; line < 300; ++line)
        text += "line " + std::to_string(line) + " with several words in it\r";
    const int line200 = static_cast<int>(text.find("line 200 "));
    TCustomLexipad pad;
    pad.SetText(text);
    pad.SetTopLine(200);
    pad.SetWrapAtColumn(6);
    pad.SetOptions(pad.Options() | smoWordWrap);
    ASSERT_GT(pad.Store().RecordCount(), 1000);
    EXPECT_EQ(pad.Store().RecordStart(pad.TopLine()), line200);
    pad.SetWrapAtColumn(20);
    EXPECT_EQ(pad.Store().RecordStart(pad.TopLine()), line200);
    pad.SetOptions(pad.Options() & ~smoWordWrap);
    EXPECT_EQ(pad.TopLine(), 200);
}
