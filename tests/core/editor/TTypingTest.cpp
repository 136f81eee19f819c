#include "core/base/Exceptions.h"
#include "core/editor/ILexipadClipboard.h"
#include "core/editor/TCustomLexipad.h"
#include "support/CaretText.h"

#include <gtest/gtest.h>

using namespace quarno;
using quarno::test::CaretText;
using quarno::test::SetCaretText;

namespace {

void Type(TCustomLexipad& pad, const std::string& keys) {
    for (char c : keys)
        pad.KeyPress(c);
}

} // namespace

TEST(TTyping, EachKeystrokeIsOneUndoStep) {
    TCustomLexipad pad;
    Type(pad, "abc");
    EXPECT_EQ(CaretText(pad), "abc|");
    pad.Undo();
    EXPECT_EQ(CaretText(pad), "ab|");
    pad.ExecuteAction(caUNDO, false);
    EXPECT_EQ(CaretText(pad), "a|");
}

TEST(TTyping, OverwriteReplacesButNotTheLineBreak) {
    TCustomLexipad pad;
    SetCaretText(pad, "a|bc\nd");
    pad.ExecuteAction(caINSTOGGLE, false);
    EXPECT_FALSE(pad.InsertMode());
    Type(pad, "x");
    EXPECT_EQ(CaretText(pad), "ax|c\nd");
    Type(pad, "yz");
    EXPECT_EQ(CaretText(pad), "axyz|\nd") << "at the line end typing appends";
    Type(pad, "\r");
    EXPECT_EQ(CaretText(pad), "axyz\n|\nd") << "Enter always inserts";
}

TEST(TTyping, EnterIndentsLikeTheLineAboveInTwoUndoSteps) {
    TCustomLexipad pad;
    pad.SetOptions(pad.Options() & ~smoUseTAB);
    SetCaretText(pad, "    abc|");
    Type(pad, "\r");
    EXPECT_EQ(CaretText(pad), "    abc\n    |");
    Type(pad, "\r");
    EXPECT_EQ(CaretText(pad), "    abc\n    \n    |") << "a blank line takes the indent above";
    pad.Undo();
    EXPECT_EQ(CaretText(pad), "    abc\n    \n|");
    pad.Undo();
    EXPECT_EQ(CaretText(pad), "    abc\n    |");
    SetCaretText(pad, "  |  abc");
    Type(pad, "\r");
    EXPECT_EQ(CaretText(pad), "  \n  |  abc") << "limited to the caret column";
    pad.SetOptions(pad.Options() & ~smoAutoIndent);
    SetCaretText(pad, "    abc|");
    Type(pad, "\r");
    EXPECT_EQ(CaretText(pad), "    abc\n|");
}

TEST(TTyping, TabKeyInsertsATabOrBlanks) {
    TCustomLexipad pad;
    pad.SetTabStops({}, 4);
    SetCaretText(pad, "ab|");
    Type(pad, "\t");
    EXPECT_EQ(CaretText(pad), "ab\t|");
    pad.SetOptions(pad.Options() & ~smoUseTAB);
    SetCaretText(pad, "ab|");
    Type(pad, "\t");
    EXPECT_EQ(CaretText(pad), "ab  |");
    pad.SetOptions(pad.Options() | smoTabToColumn);
    SetCaretText(pad, "Symbol   LED = PORTB.0\nab|");
    Type(pad, "\t");
    EXPECT_EQ(CaretText(pad), "Symbol   LED = PORTB.0\nab       |") << "smart tab to the next word";
}

// On the empty line after a final break the caret is at column 0, not at
// the end of the line above.
TEST(TTyping, TabOnTheLastEmptyLineStartsFromColumnZero) {
    TCustomLexipad pad;
    pad.SetOptions((pad.Options() | smoTabToColumn) & ~smoUseTAB);
    SetCaretText(pad, "    foo bar\n|");
    Type(pad, "\t");
    EXPECT_EQ(CaretText(pad), "    foo bar\n    |") << "smart tab to the first word above";
    pad.SetOptions(pad.Options() & ~(smoTabToColumn | smoAutoIndent));
    pad.SetTabStops({}, 8);
    SetCaretText(pad, "abc|");
    Type(pad, "\r\t");
    EXPECT_EQ(CaretText(pad), "abc\n        |") << "the next default stop after column 0";
    pad.SetOptions(pad.Options() | smoAutoIndent);
    SetCaretText(pad, "  x\n|");
    Type(pad, "\r");
    EXPECT_EQ(CaretText(pad), "  x\n\n  |") << "Enter there indents like the line above";
}

TEST(TTyping, BlockIndentStepsAreBounded) {
    TCustomLexipad pad;
    SetCaretText(pad, "^ab\ncd|");
    pad.BlockIndent(3, false);
    EXPECT_EQ(pad.Text(), "   ab\r   cd");
    for (int step : {-1, 21, 2147483647}) {
        try {
            pad.BlockIndent(step, false);
            FAIL() << step << " should be refused";
        } catch (const ELexipad& error) {
            EXPECT_STREQ(error.what(), "Indent step must be between 0 and 20");
        }
        EXPECT_THROW(pad.BlockUnindent(step), ELexipad);
    }
    EXPECT_EQ(pad.Text(), "   ab\r   cd");
    pad.SetIndentStep(0);
    pad.BlockIndent(0, false);
    pad.BlockUnindent(0);
    EXPECT_EQ(pad.Text(), "   ab\r   cd") << "a step of 0 indents nothing";
    EXPECT_THROW(pad.SetIndentStep(21), ELexipad);
    EXPECT_EQ(pad.IndentStep(), 0);
}

TEST(TTyping, ReadOnlyIgnoresTypingAndEdits) {
    TCustomLexipad pad;
    SetCaretText(pad, "ab|c");
    pad.SetReadOnly(true);
    Type(pad, "x\r");
    pad.ExecuteAction(caDELETE, false);
    pad.ExecuteAction(caBACKSPACE, false);
    pad.ExecuteAction(caDELETELINE, false);
    EXPECT_EQ(CaretText(pad), "ab|c");
    pad.ExecuteAction(caLEFT, false);
    EXPECT_EQ(CaretText(pad), "a|bc") << "moving still works";
}

TEST(TTyping, DeletingCharactersWordsAndLines) {
    TCustomLexipad pad;
    SetCaretText(pad, "one   |two three");
    pad.ExecuteAction(caDELPREVWORD, false);
    EXPECT_EQ(CaretText(pad), "|two three") << "the word and the blanks between";
    pad.ExecuteAction(caDELPREVWORD, false);
    EXPECT_EQ(CaretText(pad), "|two three");
    EXPECT_TRUE(pad.CanUndo());
    pad.ExecuteAction(caDELNEXTWORD, false);
    EXPECT_EQ(CaretText(pad), "|three");
    pad.Undo();
    EXPECT_EQ(CaretText(pad), "|two three");
    SetCaretText(pad, "a\nb|c\nd");
    pad.ExecuteAction(caDELETELINE, false);
    EXPECT_EQ(CaretText(pad), "a\n|d");
    pad.ExecuteAction(caBACKSPACE, false);
    EXPECT_EQ(CaretText(pad), "a|d");
    pad.ExecuteAction(caDELETE, false);
    EXPECT_EQ(CaretText(pad), "a|");
    pad.ExecuteAction(caDELETE, false);
    EXPECT_EQ(CaretText(pad), "a|");
}

TEST(TTyping, CutCopyPasteThroughTheClipboard) {
    TCustomLexipad pad;
    TMemoryClipboard clipboard;
    pad.SetClipboard(&clipboard);
    SetCaretText(pad, "^ab\n|cd");
    pad.ExecuteAction(caCOPY, false);
    EXPECT_EQ(clipboard.Text(), "ab\r\n");
    pad.ExecuteAction(caCUT, false);
    EXPECT_EQ(CaretText(pad), "|cd");
    pad.ExecuteAction(caDOCEND, false);
    pad.ExecuteAction(caPASTE, false);
    EXPECT_EQ(CaretText(pad), "cdab\n|");
    pad.Undo();
    EXPECT_EQ(pad.Text(), "cd");
    pad.Undo();
    EXPECT_EQ(pad.Text(), "ab\rcd");
}
