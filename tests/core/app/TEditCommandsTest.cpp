#include "core/app/TEditCommands.h"
#include "core/app/IDocumentsView.h"
#include "core/editor/TCustomLexipad.h"
#include "support/CaretText.h"

#include <gtest/gtest.h>

using namespace quarno;
using quarno::test::CaretText;
using quarno::test::SetCaretText;

namespace {

TEST(TEditCommands, CaseConversionTouchesOnlyAsciiLetters) {
    const struct {
        const char* text;
        TCaseConversion conversion;
        const char* expected;
    } cases[] = {
        {"hELLO wORLD", TCaseConversion::Capitalise, "Hello world"},
        {"  lead", TCaseConversion::Capitalise, "  lead"}, // only the very first character
        {"portb.1 = %01", TCaseConversion::Upper, "PORTB.1 = %01"},
        {"High PORTB.0", TCaseConversion::Lower, "high portb.0"},
        {"caf\xE9 \xC9T\xC9", TCaseConversion::Upper, "CAF\xE9 \xC9T\xC9"},
        {"", TCaseConversion::Capitalise, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ConvertCase(c.text, c.conversion), c.expected) << c.text;
}

// A selection over several lines is converted as one undo step; with nothing
// selected no text changes.
TEST(TEditCommands, ConvertSelectionAcrossLinesIsOneStep) {
    TCustomLexipad pad;
    SetCaretText(pad, "^high portb.0\nlow |led");
    ConvertSelection(pad, TCaseConversion::Upper);
    EXPECT_EQ(pad.Text(), "HIGH PORTB.0\rLOW led");
    pad.Undo();
    EXPECT_EQ(pad.Text(), "high portb.0\rlow led");
    EXPECT_FALSE(pad.CanUndo());

    SetCaretText(pad, "abc|def");
    ConvertSelection(pad, TCaseConversion::Upper);
    ConvertSelection(pad, TCaseConversion::Capitalise);
    EXPECT_EQ(CaretText(pad), "abc|def");
    EXPECT_FALSE(pad.CanUndo());
}

TEST(TEditCommands, DeleteNeedsASelection) {
    TCustomLexipad pad;
    SetCaretText(pad, "ab|cd");
    DeleteSelection(pad);
    EXPECT_EQ(CaretText(pad), "ab|cd");
    SetCaretText(pad, "a^bc|d");
    DeleteSelection(pad);
    EXPECT_EQ(CaretText(pad), "a|d");
    UndoCommand(pad);
    EXPECT_EQ(pad.Text(), "abcd");
    RedoCommand(pad);
    EXPECT_EQ(pad.Text(), "ad");
}

TEST(TEditCommands, BookmarkItemsActOnTheLastCaptionCharacter) {
    EXPECT_EQ(BookmarkFromCaption("Bookmark &3"), 3);
    EXPECT_EQ(BookmarkFromCaption("Bookmark &0"), 0);
    EXPECT_EQ(BookmarkFromCaption("Bookmark &9"), 9);
    EXPECT_EQ(BookmarkFromCaption("Bookmarks"), -1);
    EXPECT_EQ(BookmarkFromCaption(""), -1);

    TCustomLexipad pad;
    SetCaretText(pad, "one\ntw|o\nthree");
    ToggleBookmarkCommand(pad, "Bookmark &3");
    int line = 0;
    int column = 0;
    ASSERT_TRUE(pad.GetBookmark(3, line, column));
    EXPECT_EQ(line, 2);
    EXPECT_FALSE(pad.GetBookmark(4, line, column));
    pad.SetSelection(0, 0);
    GotoBookmarkCommand(pad, "Bookmark &4"); // not set: the caret stays
    EXPECT_EQ(pad.CaretLine(), 1);
    GotoBookmarkCommand(pad, "Bookmark &3");
    EXPECT_EQ(pad.CaretLine(), 2);
    ToggleBookmarkCommand(pad, "Bookmark &3"); // on its own line again: cleared
    EXPECT_FALSE(pad.GetBookmark(3, line, column));
}

TEST(TEditCommands, KeyboardHookTakesUndoAndRedoOnly) {
    TCustomLexipad pad;
    pad.SetText("abc");
    pad.SetSelection(3, 3);
    pad.ReplaceSelection("d");
    int code = caUNDO;
    TakeKeyboardCommand(pad, code);
    EXPECT_EQ(code, -1);
    EXPECT_EQ(pad.Text(), "abc");
    code = caREDO;
    TakeKeyboardCommand(pad, code);
    EXPECT_EQ(code, -1);
    EXPECT_EQ(pad.Text(), "abcd");
    for (int other : {int(caLEFT), int(caCUT), int(caDELETELINE), int(caDELPREVWORD)}) {
        code = other;
        TakeKeyboardCommand(pad, code);
        EXPECT_EQ(code, other);
    }
    EXPECT_EQ(pad.Text(), "abcd");
}

TEST(TEditCommands, EditItemsFollowTheStatus) {
    TDocumentStatus status;
    TEditItemStates none = EditItemStates(status);
    EXPECT_FALSE(none.undo || none.redo || none.cut || none.copy || none.paste ||
                 none.deleteSelection);
    status.canUndo = true;
    status.canPaste = true;
    status.hasSelection = true;
    TEditItemStates some = EditItemStates(status);
    EXPECT_TRUE(some.undo && some.paste && some.cut && some.copy && some.deleteSelection);
    EXPECT_FALSE(some.redo);
}

} // namespace
