#include "core/base/Exceptions.h"
#include "core/editor/ILexipadView.h"
#include "core/editor/LexipadMessages.h"
#include "core/editor/TCustomLexipad.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <random>

using namespace quarno;

namespace {

class BeepCounter : public ILexipadView {
public:
    void Repaint(bool) override {}
    void Beep() override { ++beeps; }
    int beeps = 0;
};

// One keystroke: a compound typing group around the replacement.
void Type(TCustomLexipad& pad, const std::string& text) {
    pad.BeginUndoGroup(ucTyping);
    pad.ReplaceSelection(text);
    pad.EndUndoGroup(ucTyping);
}

} // namespace

TEST(TUndoStack, EachKeystrokeUndoesAloneAndAPasteAsOne) {
    TCustomLexipad pad;
    pad.SetText("x");
    pad.SetSelection(1, 1);
    for (const char* key : {"a", "b", "c"})
        Type(pad, key);
    pad.BeginUndoGroup(ucPaste);
    pad.ReplaceSelection("PASTED\r\nTWO");
    pad.EndUndoGroup(ucPaste);
    EXPECT_EQ(pad.Text(), "xabcPASTED\rTWO");
    pad.Undo();
    EXPECT_EQ(pad.Text(), "xabc");
    EXPECT_EQ(pad.CaretPos(), 4);
    pad.Undo();
    EXPECT_EQ(pad.Text(), "xab");
    pad.Redo();
    pad.Redo();
    EXPECT_EQ(pad.Text(), "xabcPASTED\rTWO");
    EXPECT_FALSE(pad.CanRedo());
}

TEST(TUndoStack, UndoRestoresTheSelectionThatWasReplaced) {
    TCustomLexipad pad;
    pad.SetText("one two three");
    pad.SetSelection(7, 4); // selected backwards
    pad.ReplaceSelection("2");
    EXPECT_EQ(pad.Text(), "one 2 three");
    pad.Undo();
    EXPECT_EQ(pad.Text(), "one two three");
    EXPECT_EQ(pad.Selection(), (TUndoSelection{7, 4}));
    pad.Redo();
    EXPECT_EQ(pad.Text(), "one 2 three");
    EXPECT_EQ(pad.Selection(), (TUndoSelection{5, 5}));
}

TEST(TUndoStack, NewEditAfterUndoDropsTheRedoBranch) {
    TCustomLexipad pad;
    Type(pad, "a");
    Type(pad, "b");
    pad.Undo();
    EXPECT_TRUE(pad.CanRedo());
    Type(pad, "c");
    EXPECT_FALSE(pad.CanRedo());
    EXPECT_EQ(pad.Text(), "ac");
}

TEST(TUndoStack, ModifiedFollowsTheLogAndTheSavePoint) {
    TCustomLexipad pad;
    pad.SetText("loaded");
    EXPECT_FALSE(pad.Modified());
    pad.SetSelection(6, 6);
    Type(pad, "!");
    EXPECT_TRUE(pad.Modified());
    EXPECT_EQ(pad.Perform(EM_GETMODIFY), 1);
    pad.Undo();
    EXPECT_FALSE(pad.Modified());
    Type(pad, "?");
    pad.Perform(LPM_MODIFIED, kLpmSet, 0);
    EXPECT_FALSE(pad.Modified());
    EXPECT_FALSE(pad.CanUndo()) << "clearing the flag clears the log";
}

// Saving keeps the log; returning to the saved text by undo and redo reads
// as unmodified, and a different edit of the same size does not.
TEST(TUndoStack, SavePointSurvivesUndoAndRedo) {
    quarno::test::TempDir dir;
    TCustomLexipad pad;
    Type(pad, "a");
    pad.SaveToFile(dir.File("f.bas"));
    EXPECT_FALSE(pad.Modified());
    EXPECT_TRUE(pad.CanUndo());
    pad.Undo();
    EXPECT_TRUE(pad.Modified());
    pad.Redo();
    EXPECT_FALSE(pad.Modified());
    pad.Undo();
    Type(pad, "b");
    EXPECT_EQ(pad.Text(), "b");
    EXPECT_TRUE(pad.Modified()) << "same log length, different text";
}

TEST(TUndoStack, BlockIndentSkipsALineTheSelectionEndsAtTheStartOf) {
    TCustomLexipad pad;
    pad.SetText("a\rb\rc");
    pad.SetSelection(0, 4); // ends at column 0 of "c"
    pad.BlockIndent(2, false);
    EXPECT_EQ(pad.Text(), "  a\r  b\rc");
    EXPECT_EQ(pad.Selection(), (TUndoSelection{0, 8}));
    pad.Undo();
    EXPECT_EQ(pad.Text(), "a\rb\rc");
    EXPECT_EQ(pad.Selection(), (TUndoSelection{0, 4}));
    EXPECT_FALSE(pad.CanUndo()) << "the whole block is one step";
}

TEST(TUndoStack, BlockIndentUsesTabsOnlyWithTheOption) {
    TCustomLexipad pad;
    pad.SetText("a\rb");
    pad.SelectAll();
    pad.Perform(LPM_BLOCKINDENT, 1, 1);
    EXPECT_EQ(pad.Text(), "\ta\r\tb");
    pad.SetOptions(pad.Options() & ~smoUseTAB);
    pad.SelectAll();
    pad.Perform(LPM_BLOCKINDENT, 0, 1); // step 0: the IndentStep setting
    EXPECT_EQ(pad.Text(), " \ta\r \tb");
}

TEST(TUndoStack, BlockUnindentRemovesAtMostTheStepOfBlanks) {
    TCustomLexipad pad;
    pad.SetText("\t x\r    y\rz\r\xA0\xA0w");
    pad.SelectAll();
    pad.BlockUnindent(2);
    EXPECT_EQ(pad.Text(), "x\r  y\rz\rw");
    pad.Undo();
    EXPECT_EQ(pad.Text(), "\t x\r    y\rz\r\xA0\xA0w");
    pad.SetText("none\rhere");
    pad.SelectAll();
    pad.BlockUnindent(2);
    EXPECT_FALSE(pad.CanUndo()) << "nothing removed, nothing to undo";
}

TEST(TUndoStack, TransactionErrorsClearTheLog) {
    TUndoStack stack;
    stack.BeginTransaction(ucReplace, {}, "", "x");
    stack.EndTransaction(ucReplace, {1, 1});
    EXPECT_TRUE(stack.CanUndo());
    stack.BeginTransaction(ucReplace, {}, "", "y");
    try {
        stack.BeginTransaction(ucReplace, {}, "", "z");
        FAIL() << "no exception";
    } catch (const ELexipad& error) {
        EXPECT_STREQ(error.what(), "Bad transaction log entry");
    }
    EXPECT_FALSE(stack.CanUndo());
    EXPECT_THROW(stack.EndTransaction(ucStream, {}), ELexipad);
    EXPECT_THROW(stack.Pop(), ELexipad);
    try {
        stack.Pop();
    } catch (const ELexipad& error) {
        EXPECT_STREQ(error.what(), "Stack underflow");
    }
}

TEST(TUndoStack, BrokenLogIsClearedWithABeepOnUndo) {
    TCustomLexipad pad;
    BeepCounter view;
    pad.SetView(&view);
    Type(pad, "a");
    TUndoRecord stray;
    stray.kind = ukMarker;
    stray.first = ucReplace;
    pad.Store().UndoStack()->Push(stray); // a closing marker without its group
    pad.Undo();
    EXPECT_EQ(view.beeps, 1);
    EXPECT_FALSE(pad.CanUndo());
    EXPECT_EQ(pad.Text(), "a");
}

TEST(TUndoStack, SizeLimitDropsWholeOldestGroups) {
    TCustomLexipad pad;
    pad.Store().UndoStack()->SetLimit(2000);
    for (int i = 0; i < 50; ++i)
        Type(pad, "word ");
    TUndoStack& stack = *pad.Store().UndoStack();
    EXPECT_LE(stack.AccountedSize(), 2000);
    int steps = 0;
    while (pad.CanUndo()) {
        pad.Undo();
        ++steps;
    }
    EXPECT_GT(steps, 0);
    EXPECT_LT(steps, 50);
    EXPECT_EQ(pad.Text().size(), 5u * static_cast<size_t>(50 - steps));
}

// Random replacements undone to the start and redone to the end.
TEST(TUndoStack, UndoAllThenRedoAllRoundTrips) {
    std::mt19937 random(3);
    TCustomLexipad pad;
    pad.SetText("The quick brown fox\rjumps over\rthe lazy dog\r");
    std::string original = pad.Text();
    for (int i = 0; i < 300; ++i) {
        int start = static_cast<int>(random() % (pad.CharCount() + 1));
        int end = std::min(pad.CharCount(), start + static_cast<int>(random() % 8));
        pad.SetSelection(start, end);
        std::string text(random() % 5, "ab\rc"[random() % 4]);
        if (i % 10 == 0) {
            pad.SetSelection(start, end);
            pad.BlockIndent(1, false);
        } else {
            Type(pad, text);
        }
    }
    std::string final = pad.Text();
    while (pad.CanUndo())
        pad.Undo();
    EXPECT_EQ(pad.Text(), original);
    while (pad.CanRedo())
        pad.Redo();
    EXPECT_EQ(pad.Text(), final);
}
