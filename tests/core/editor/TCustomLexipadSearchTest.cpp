#include "core/editor/ILexipadView.h"
#include "core/editor/LexipadMessages.h"
#include "core/editor/TCustomLexipad.h"
#include "core/services/TStoreSearch.h"
#include "support/SearchTestText.h"

#include <gtest/gtest.h>
#include <vector>

using namespace quarno;
using quarno::test::PadWithText;
using quarno::test::Span;

namespace {

std::string Selection(const TCustomLexipad& pad) {
    return Span(pad.SelStart(), pad.SelStart() + pad.SelLength());
}

// What the engine asks of its window: dialogs opened (preset/options) and
// search errors shown.
class SearchRequests : public ILexipadView {
public:
    void Repaint(bool) override {}
    void Beep() override {}
    void ShowFindDialog(const std::string& preset, uint32_t options) override {
        finds.push_back(preset + "/" + std::to_string(options));
    }
    void ShowReplaceDialog(const std::string& preset, uint32_t options) override {
        replaces.push_back(preset + "/" + std::to_string(options));
    }
    void ShowSearchError(const std::string& message) override { errors.push_back(message); }

    std::vector<std::string> finds;
    std::vector<std::string> replaces;
    std::vector<std::string> errors;
};

TEST(TCustomLexipadSearch, FindEntrySearchesFromTheSelectionAndSelectsTheMatch) {
    auto pad = PadWithText("loop a loop b loop");
    pad->SetSelection(0, 4);
    EXPECT_EQ(pad->Find(foSearchNow, "loop"), 7);
    EXPECT_EQ(Selection(*pad), "7-11");
    EXPECT_EQ(pad->Find(foSearchNow, "loop"), 14);
    EXPECT_EQ(pad->Find(foSearchNow, "loop"), -1);
    EXPECT_EQ(Selection(*pad), "14-18"); // a failed search leaves the selection
    EXPECT_EQ(pad->Find(foSearchNow | foBackward, "loop"), 7);
    EXPECT_EQ(pad->Find(foSearchNow | foBackward, "loop"), 0);
    EXPECT_EQ(pad->Find(foSearchNow | foBackward, "loop"), -1);
    EXPECT_EQ(pad->Find(foSearchNow | foBackward | foRegExpr, "l..p"), -1);
    pad->SetSelection(18, 18);
    EXPECT_EQ(pad->Find(foSearchNow | foBackward | foRegExpr, "l..p"), 14);
    EXPECT_EQ(pad->Find(foSearchNow | foBackward | foRegExpr, "l..p"), 7);
}

TEST(TCustomLexipadSearch, FindEntryHonoursCaseAndWholeWordInBothEngines) {
    auto pad = PadWithText("Loops LOOP loop");
    for (uint32_t engine : {0u, static_cast<uint32_t>(foRegExpr)}) {
        pad->SetSelection(0, 0);
        EXPECT_EQ(pad->Find(foSearchNow | engine, "loop"), 0) << engine;
        pad->SetSelection(0, 0);
        EXPECT_EQ(pad->Find(foSearchNow | foMatchCase | engine, "loop"), 11) << engine;
        pad->SetSelection(0, 0);
        EXPECT_EQ(pad->Find(foSearchNow | foWholeWord | engine, "loop"), 6) << engine;
        pad->SetSelection(15, 15);
        EXPECT_EQ(pad->Find(foSearchNow | foWholeWord | foBackward | engine, "LOOP"), 11) << engine;
    }
    // Whole words with a regular expression look at the whole match.
    pad->SetSelection(0, 0);
    EXPECT_EQ(pad->Find(foSearchNow | foWholeWord | foRegExpr | foMatchCase, "[a-z]+"), 11);
    // The owner's word test decides.
    pad->fn_CharIsInWord = [](char c) { return c == 'x'; };
    pad->SetSelection(0, 0);
    EXPECT_EQ(pad->Find(foSearchNow | foWholeWord, "loop"), 0);
}

TEST(TCustomLexipadSearch, EmptyMatchesMoveOnWhenSearchedAgain) {
    auto pad = PadWithText("ab\rcd\ref");
    std::vector<int> found;
    for (int start; (start = pad->Find(foSearchNow | foRegExpr, "$")) >= 0;)
        found.push_back(start);
    EXPECT_EQ(found, (std::vector<int>{2, 5, 8}));
}

TEST(TCustomLexipadSearch, WithoutSearchNowTheDialogOpensWithAPreset) {
    auto pad = PadWithText("first line\rsecond");
    SearchRequests view;
    pad->SetView(&view);
    pad->SetSelection(0, 5);
    EXPECT_EQ(pad->Find(0, "given"), -1);
    EXPECT_EQ(pad->Find(foRegExpr, "given"), -1);
    pad->SetSelection(6, 13); // across the line break
    EXPECT_EQ(pad->Find(0, "given"), -1);
    pad->SetSelection(3, 3);
    EXPECT_EQ(pad->Find(0, "given"), -1);
    EXPECT_EQ(view.finds, (std::vector<std::string>{"first/0", "given/32", "given/0", "given/0"}));
    EXPECT_EQ(Selection(*pad), "3-3");
}

TEST(TCustomLexipadSearch, InvalidPatternShowsTheMessageAndFindsNothing) {
    auto pad = PadWithText("[ab] ab");
    SearchRequests view;
    pad->SetView(&view);
    const std::vector<std::string>& errors = view.errors;
    pad->SetSelection(1, 2);
    EXPECT_EQ(pad->Find(foSearchNow | foRegExpr, "x[ab"), -1);
    EXPECT_EQ(Selection(*pad), "1-2");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "Unmatched bracket\nx[ab\n ^");
    // Runaway backtracking is reported the same way.
    pad->SearchEngine().RegExpr().SetStepBudget(1000, 0);
    pad->SetText(std::string(40, 'a') + "\rb");
    EXPECT_EQ(pad->Find(foSearchNow | foRegExpr, "(a|aa)*b"), -1);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[1], "Search abandoned: the expression needs too many steps");
    // The same pattern text is a literal for the plain search.
    pad->SetText("[ab] x[ab");
    EXPECT_EQ(pad->Find(foSearchNow, "x[ab"), 5);
}

TEST(TCustomLexipadSearch, ReplaceVariantSelectsAndFillsInTheReplacement) {
    auto pad = PadWithText("let key= 1");
    auto insert = pad->FindReplace(foRegExpr, "(\\w+)=", "%1:\\t");
    ASSERT_TRUE(insert.has_value());
    EXPECT_EQ(*insert, "key:\t");
    EXPECT_EQ(Selection(*pad), "4-8");
    pad->SetSelection(0, 0);
    insert = pad->FindReplace(0, "key=", "%1");
    ASSERT_TRUE(insert.has_value());
    EXPECT_EQ(*insert, "%1");
    EXPECT_FALSE(pad->FindReplace(0, "absent", "x").has_value());
}

TEST(TCustomLexipadSearch, ReplaceAllIsUndoneInOneStep) {
    const std::string original = "High PORTB.0\rLow portb.1\rToggle PORTB.2\r";
    auto pad = PadWithText(original);
    pad->SetSelection(20, 25);
    EXPECT_EQ(pad->ReplaceAll(foMatchCase, "PORTB", "PORTC"), 2);
    EXPECT_EQ(pad->Text(), "High PORTC.0\rLow portb.1\rToggle PORTC.2\r");
    EXPECT_EQ(pad->ReplaceAll(0, "portb", "GPIO"), 1);
    pad->Undo();
    EXPECT_EQ(pad->Text(), "High PORTC.0\rLow portb.1\rToggle PORTC.2\r");
    pad->Undo();
    EXPECT_EQ(pad->Text(), original);
    EXPECT_FALSE(pad->CanUndo());
    pad->Redo();
    EXPECT_EQ(pad->Text(), "High PORTC.0\rLow portb.1\rToggle PORTC.2\r");
}

TEST(TCustomLexipadSearch, ReplaceAllWithRegularExpressions) {
    const struct {
        const char* text;
        const char* pattern;
        const char* replacement;
        const char* expected;
    } cases[] = {
        {"PORTA.1 PORTB.2 PORTC.3", "PORT[AB]\\.([0-7])", "P%4", "P1 P2 PORTC.3"},
        {"a\rb\r\rc", "^", "' ", "' a\r' b\r' \r' c"},
        {"a\rb", "$", ";", "a;\rb;"},
        {"ab", "x*", "-", "-a-b-"},
        {"xab", "x*", "-", "-a-b-"},
        {"aaa", "a", "aa", "aaaaaa"},
        {"a\rb\rc", "\\n", " ", "a b c"},
    };
    for (const auto& c : cases) {
        auto pad = PadWithText(c.text);
        pad->ReplaceAll(foRegExpr | foMatchCase, c.pattern, c.replacement);
        EXPECT_EQ(pad->Text(), c.expected) << c.pattern;
        pad->Undo();
        EXPECT_EQ(pad->Text(), c.text) << c.pattern;
    }
}

// The matches are those of the text before the run: a replacement is not
// part of a later match, nor the character before one.
TEST(TCustomLexipadSearch, ReplaceAllMatchesTheTextAsItWas) {
    const struct {
        uint32_t options;
        const char* text;
        const char* pattern;
        const char* replacement;
        const char* expected;
    } cases[] = {
        {foRegExpr, "xxx", "^x", "\\n", "\rxx"},
        {foRegExpr | foWholeWord, "a++", "[a+]", ".", ".+."},
    };
    for (const auto& c : cases) {
        auto pad = PadWithText(c.text);
        pad->ReplaceAll(c.options | foMatchCase, c.pattern, c.replacement);
        EXPECT_EQ(pad->Text(), c.expected) << c.pattern;
    }
}

// However many matches, the undo step holds the replaced span once, old
// and new, and not a record per replacement.
TEST(TCustomLexipadSearch, ReplaceAllRecordsOneCompactUndoStep) {
    const std::string original(100000, 'x');
    auto pad = PadWithText(original);
    EXPECT_EQ(pad->ReplaceAll(0, "x", "yy"), 100000);
    EXPECT_EQ(pad->Text(), std::string(200000, 'y'));
    EXPECT_EQ(pad->Selection(), (TUndoSelection{200000, 200000}));
    int64_t recorded = pad->Store().UndoStack()->AccountedSize();
    EXPECT_GE(recorded, 300000);
    EXPECT_LT(recorded, 301000) << "the old and the new text and a few records";
    pad->Undo();
    EXPECT_EQ(pad->Text(), original);
    EXPECT_FALSE(pad->CanUndo());
    pad->Redo();
    EXPECT_EQ(pad->Text(), std::string(200000, 'y'));
}

TEST(TCustomLexipadSearch, PromptedReplaceAllStopsAtCancelAndSkipsNo) {
    auto pad = PadWithText("x1 x2 x3 x4");
    std::vector<TReplaceAnswer> answers = {raYes, raNo, raYes, raCancel};
    std::vector<std::string> asked;
    size_t next = 0;
    TReplacePrompt prompt = [&](const std::string& found, const std::string& replacement) {
        asked.push_back(found + ">" + replacement);
        return answers[next++];
    };
    EXPECT_EQ(pad->ReplaceAll(foRegExpr, "x(\\d)", "y%2", prompt), 2);
    EXPECT_EQ(pad->Text(), "y1 x2 y3 x4");
    EXPECT_EQ(asked, (std::vector<std::string>{"x1>y1", "x2>y2", "x3>y3", "x4>y4"}));
    pad->Undo();
    EXPECT_EQ(pad->Text(), "x1 x2 x3 x4");
}

TEST(TCustomLexipadSearch, BackwardReplaceAllReplacesNothing) {
    auto pad = PadWithText("abc abc");
    EXPECT_EQ(pad->ReplaceAll(foBackward, "abc", "x"), 0);
    EXPECT_EQ(pad->Text(), "abc abc");
    EXPECT_FALSE(pad->CanUndo());
}

TEST(TCustomLexipadSearch, ReplaceAllStopsAtAnInvalidPattern) {
    auto pad = PadWithText("abc");
    EXPECT_EQ(pad->ReplaceAll(foRegExpr, "a{2,1}", "x"), 0);
    EXPECT_TRUE(pad->PatternFailed());
    EXPECT_EQ(pad->SearchError(), "Invalid range\na{2,1}\n ^");
    EXPECT_EQ(pad->Text(), "abc");
}

// A long line is stored in records of 2047 characters; matches straddle the
// split and replacements change the layout as they go.
TEST(TCustomLexipadSearch, ReplaceAllAcrossRecordSplits) {
    std::string line;
    while (line.size() < 6000)
        line += "word ";
    auto pad = PadWithText(line + "\rword");
    EXPECT_EQ(pad->ReplaceAll(foWholeWord, "word", "w"), 1201);
    std::string expected;
    for (int i = 0; i < 1200; ++i)
        expected += "w ";
    EXPECT_EQ(pad->Text(), expected + "\rw");
    pad->Undo();
    EXPECT_EQ(pad->Text(), line + "\rword");
}

// The control's find entry message runs the same search with the control's
// own word test, and keeps its engines between calls.
TEST(TCustomLexipadSearch, ControlAnswersTheFindEntryMessage) {
    auto pad = PadWithText("a-loop loop x");
    auto find = [&](uint32_t options, const char* text) {
        return static_cast<int>(pad->Perform(LPM_FIND, options, text));
    };
    EXPECT_EQ(find(foSearchNow | foWholeWord, "loop"), 7);
    EXPECT_EQ(Selection(*pad), "7-11");
    pad->fn_CharIsInWord = [](char c) { return c >= 'a' && c <= 'z'; };
    pad->SetSelection(0, 0);
    EXPECT_EQ(find(foSearchNow | foWholeWord, "loop"), 2);
    EXPECT_EQ(find(foSearchNow | foRegExpr, "l..p"), 7);
    EXPECT_EQ(find(foSearchNow | foRegExpr, "l..p"), -1);
    EXPECT_EQ(pad->SearchEngine().RegExpr().CompileCount(), 1);
    EXPECT_EQ(find(foSearchNow | foBackward, "x"), -1); // the selection ends before it
}

// The replace dialog message presets its dialog as the find entry does and
// hands the view the option word, so the dialogs can set their boxes.
TEST(TCustomLexipadSearch, ReplaceDialogMessageOpensTheReplaceDialogWithAPreset) {
    auto pad = PadWithText("first line\rsecond");
    SearchRequests view;
    pad->SetView(&view);
    const char* given = "given";
    pad->SetSelection(6, 10);
    pad->Perform(LPM_REPLACEDIALOG, foMatchCase, given);
    pad->Perform(LPM_REPLACEDIALOG, foRegExpr, given);
    pad->Perform(LPM_FIND, foBackward, given);
    EXPECT_EQ(view.replaces, (std::vector<std::string>{"line/16", "given/32"}));
    EXPECT_EQ(view.finds, (std::vector<std::string>{"line/128"}));
    EXPECT_EQ(Selection(*pad), "6-10");
}

TEST(TCustomLexipadSearch, SearchFailMessageQuotesTheSearchText) {
    const std::pair<const char*, const char*> cases[] = {
        {"abc", "Search string \"abc\" not found."},
        {"", "Search string \"\" not found."},
        {"say \"hi\"", "Search string \"say \"hi\"\" not found."},
        {"a%sb%d", "Search string \"a%sb%d\" not found."},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(TCustomLexipad::SearchFailMessage(text), expected) << text;
}

// The dialogs tell an invalid pattern (already reported) from a search that
// found nothing, for Find, the replace variant and Replace All alike.
TEST(TCustomLexipadSearch, PatternFailedTellsAnInvalidPatternFromNothingFound) {
    auto pad = PadWithText("ab ab");
    SearchRequests view;
    pad->SetView(&view);
    EXPECT_EQ(pad->Find(foSearchNow | foRegExpr, "(a"), -1);
    EXPECT_TRUE(pad->PatternFailed());
    EXPECT_EQ(pad->Find(foSearchNow | foRegExpr, "x"), -1);
    EXPECT_FALSE(pad->PatternFailed());
    EXPECT_FALSE(pad->FindReplace(foRegExpr, "a{3,2}", "y").has_value());
    EXPECT_TRUE(pad->PatternFailed());
    EXPECT_EQ(pad->ReplaceAll(0, "b", "c"), 2);
    EXPECT_FALSE(pad->PatternFailed());
    EXPECT_EQ(pad->ReplaceAll(foRegExpr, "[", "c"), 0);
    EXPECT_TRUE(pad->PatternFailed());
    EXPECT_EQ(pad->ReplaceAll(foRegExpr, "z", "c"), 0);
    EXPECT_FALSE(pad->PatternFailed());
    EXPECT_EQ(view.errors.size(), 3u);
    EXPECT_EQ(pad->Text(), "ac ac");
}

} // namespace
