#include "core/editor/TLexipadStrings.h"
#include "core/editor/TCustomLexipad.h"

#include <gtest/gtest.h>

using namespace quarno;

TEST(TLexipadStrings, ListOperationsEditTheDocument) {
    TCustomLexipad pad;
    TLexipadStrings lines(pad);
    EXPECT_EQ(lines.Count(), 0) << "an empty document has no lines";
    lines.Add("first");
    lines.Add("third");
    lines.Insert(1, "second");
    EXPECT_EQ(pad.Text(), "first\rsecond\rthird");
    EXPECT_EQ(lines.Count(), 3);
    lines.Put(1, "2nd");
    EXPECT_EQ(lines.Get(1), "2nd");
    lines.Delete(0);
    EXPECT_EQ(pad.Text(), "2nd\rthird");
    lines.Delete(1);
    EXPECT_EQ(pad.Text(), "2nd\r");
    lines.Add("after a final break");
    EXPECT_EQ(pad.Text(), "2nd\rafter a final break");
    EXPECT_EQ(lines.Get(7), "");
}

TEST(TLexipadStrings, SettingTheSameTextKeepsTheUndoLog) {
    TCustomLexipad pad;
    TLexipadStrings lines(pad);
    lines.SetText("a\r\nb");
    pad.SetSelection(3, 3);
    pad.ReplaceSelection("c");
    lines.SetText("a\nbc");
    EXPECT_TRUE(pad.CanUndo()) << "unchanged text is not reloaded";
    lines.SetText("other");
    EXPECT_EQ(lines.Text(), "other");
    EXPECT_FALSE(pad.CanUndo());
}
