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
