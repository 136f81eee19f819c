#include "services/TLexipadSearch.h"
#include "editor/LexipadMessages.h"
#include "editor/TCustomLexipad.h"
#include "support/SearchTestText.h"

#include <gtest/gtest.h>
#include <random>
#include <vector>

using namespace quarno;
using quarno::test::PadWithText;
using quarno::test::Span;

namespace {

std::string Selection(const TCustomLexipad& pad) {
    return Span(pad.SelStart(), pad.SelStart() + pad.SelLength());
}

TEST(TLexipadSearch, FindEntrySearchesFromTheSelectionAndSelectsTheMatch) {
    auto pad = PadWithText("loop a loop b loop");
    TLexipadSearch search;
    pad->SetSelection(0, 4);
    EXPECT_EQ(search.Find(*pad, foSearchNow, "loop"), 7);
    EXPECT_EQ(Selection(*pad), "7-11");
    EXPECT_EQ(search.Find(*pad, foSearchNow, "loop"), 14);
    EXPECT_EQ(search.Find(*pad, foSearchNow, "loop"), -1);
    EXPECT_EQ(Selection(*pad), "14-18"); // a failed search leaves the selection
    EXPECT_EQ(search.Find(*pad, foSearchNow | foBackward, "loop"), 7);
    EXPECT_EQ(search.Find(*pad, foSearchNow | foBackward, "loop"), 0);
    EXPECT_EQ(search.Find(*pad, foSearchNow | foBackward, "loop"), -1);
    EXPECT_EQ(search.Find(*pad, foSearchNow | foBackward | foRegExpr, "l..p"), -1);
    pad->SetSelection(18, 18);
    EXPECT_EQ(search.Find(*pad, foSearchNow | foBackward | foRegExpr, "l..p"), 14);
    EXPECT_EQ(search.Find(*pad, foSearchNow | foBackward | foRegExpr, "l..p"), 7);
}

TEST(TLexipadSearch, FindEntryHonoursCaseAndWholeWordInBothEngines) {
    auto pad = PadWithText("Loops LOOP loop");
    TLexipadSearch search;
    for (uint32_t engine : {0u, static_cast<uint32_t>(foRegExpr)}) {
        pad->SetSelection(0, 0);
        EXPECT_EQ(search.Find(*pad, foSearchNow | engine, "loop"), 0) << engine;
        pad->SetSelection(0, 0);
        EXPECT_EQ(search.Find(*pad, foSearchNow | foMatchCase | engine, "loop"), 11) << engine;
        pad->SetSelection(0, 0);
        EXPECT_EQ(search.Find(*pad, foSearchNow | foWholeWord | engine, "loop"), 6) << engine;
        pad->SetSelection(15, 15);
        EXPECT_EQ(search.Find(*pad, foSearchNow | foWholeWord | foBackward | engine, "LOOP"), 11)
            << engine;
    }
    // Whole words with a regular expression look at the whole match.
    pad->SetSelection(0, 0);
    EXPECT_EQ(search.Find(*pad, foSearchNow | foWholeWord | foRegExpr | foMatchCase, "[a-z]+"), 11);
    // The owner's word test decides.
    search.SetCharIsInWord([](char c) { return c == 'x'; });
    pad->SetSelection(0, 0);
    EXPECT_EQ(search.Find(*pad, foSearchNow | foWholeWord, "loop"), 0);
}

TEST(TLexipadSearch, EmptyMatchesMoveOnWhenSearchedAgain) {
    auto pad = PadWithText("ab\rcd\ref");
    TLexipadSearch search;
    std::vector<int> found;
    for (int start; (start = search.Find(*pad, foSearchNow | foRegExpr, "$")) >= 0;)
        found.push_back(start);
    EXPECT_EQ(found, (std::vector<int>{2, 5, 8}));
}

TEST(TLexipadSearch, WithoutSearchNowTheDialogOpensWithAPreset) {
    auto pad = PadWithText("first line\rsecond");
    TLexipadSearch search;
    std::vector<std::string> presets;
    search.OnFindDialog = [&](const std::string& preset, uint32_t) { presets.push_back(preset); };
    pad->SetSelection(0, 5);
    EXPECT_EQ(search.Find(*pad, 0, "given"), -1);
    EXPECT_EQ(search.Find(*pad, foRegExpr, "given"), -1);
    pad->SetSelection(6, 13); // across the line break
    EXPECT_EQ(search.Find(*pad, 0, "given"), -1);
    pad->SetSelection(3, 3);
    EXPECT_EQ(search.Find(*pad, 0, "given"), -1);
    EXPECT_EQ(presets, (std::vector<std::string>{"first", "given", "given", "given"}));
    EXPECT_EQ(Selection(*pad), "3-3");
}

TEST(TLexipadSearch, InvalidPatternShowsTheMessageAndFindsNothing) {
    auto pad = PadWithText("[ab] ab");
    TLexipadSearch search;
    std::vector<std::string> errors;
    search.OnSearchError = [&](const std::string& message) { errors.push_back(message); };
    pad->SetSelection(1, 2);
    EXPECT_EQ(search.Find(*pad, foSearchNow | foRegExpr, "x[ab"), -1);
    EXPECT_EQ(Selection(*pad), "1-2");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "Unmatched bracket\nx[ab\n ^");
    // Runaway backtracking is reported the same way.
    search.RegExpr().SetStepBudget(1000, 0);
    pad->SetText(std::string(40, 'a') + "\rb");
    EXPECT_EQ(search.Find(*pad, foSearchNow | foRegExpr, "(a|aa)*b"), -1);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[1], "Internal error");
    // The same pattern text is a literal for the plain search.
    pad->SetText("[ab] x[ab");
    EXPECT_EQ(search.Find(*pad, foSearchNow, "x[ab"), 5);
}

TEST(TLexipadSearch, ReplaceVariantSelectsAndFillsInTheReplacement) {
    auto pad = PadWithText("let key= 1");
    TLexipadSearch search;
    auto insert = search.FindReplace(*pad, foRegExpr, "(\\w+)=", "%1:\\t");
    ASSERT_TRUE(insert.has_value());
    EXPECT_EQ(*insert, "key:\t");
    EXPECT_EQ(Selection(*pad), "4-8");
    pad->SetSelection(0, 0);
    insert = search.FindReplace(*pad, 0, "key=", "%1");
    ASSERT_TRUE(insert.has_value());
    EXPECT_EQ(*insert, "%1");
    EXPECT_FALSE(search.FindReplace(*pad, 0, "absent", "x").has_value());
}

TEST(TLexipadSearch, ReplaceAllIsUndoneInOneStep) {
    const std::string original = "High PORTB.0\rLow portb.1\rToggle PORTB.2\r";
    auto pad = PadWithText(original);
    TLexipadSearch search;
    pad->SetSelection(20, 25);
    EXPECT_EQ(search.ReplaceAll(*pad, foMatchCase, "PORTB", "PORTC"), 2);
    EXPECT_EQ(pad->Text(), "High PORTC.0\rLow portb.1\rToggle PORTC.2\r");
    EXPECT_EQ(search.ReplaceAll(*pad, 0, "portb", "GPIO"), 1);
    pad->Undo();
    EXPECT_EQ(pad->Text(), "High PORTC.0\rLow portb.1\rToggle PORTC.2\r");
    pad->Undo();
    EXPECT_EQ(pad->Text(), original);
    EXPECT_FALSE(pad->CanUndo());
    pad->Redo();
    EXPECT_EQ(pad->Text(), "High PORTC.0\rLow portb.1\rToggle PORTC.2\r");
}

TEST(TLexipadSearch, ReplaceAllWithRegularExpressions) {
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
        TLexipadSearch search;
        search.ReplaceAll(*pad, foRegExpr | foMatchCase, c.pattern, c.replacement);
        EXPECT_EQ(pad->Text(), c.expected) << c.pattern;
        pad->Undo();
        EXPECT_EQ(pad->Text(), c.text) << c.pattern;
    }
}

TEST(TLexipadSearch, PromptedReplaceAllStopsAtCancelAndSkipsNo) {
    auto pad = PadWithText("x1 x2 x3 x4");
    TLexipadSearch search;
    std::vector<TReplaceAnswer> answers = {raYes, raNo, raYes, raCancel};
    std::vector<std::string> asked;
    size_t next = 0;
    TReplacePrompt prompt = [&](const std::string& found, const std::string& replacement) {
        asked.push_back(found + ">" + replacement);
        return answers[next++];
    };
    EXPECT_EQ(search.ReplaceAll(*pad, foRegExpr, "x(\\d)", "y%2", prompt), 2);
    EXPECT_EQ(pad->Text(), "y1 x2 y3 x4");
    EXPECT_EQ(asked, (std::vector<std::string>{"x1>y1", "x2>y2", "x3>y3", "x4>y4"}));
    pad->Undo();
    EXPECT_EQ(pad->Text(), "x1 x2 x3 x4");
}

TEST(TLexipadSearch, BackwardReplaceAllReplacesNothing) {
    auto pad = PadWithText("abc abc");
    TLexipadSearch search;
    EXPECT_EQ(search.ReplaceAll(*pad, foBackward, "abc", "x"), 0);
    EXPECT_EQ(pad->Text(), "abc abc");
    EXPECT_FALSE(pad->CanUndo());
}

TEST(TLexipadSearch, ReplaceAllStopsAtAnInvalidPattern) {
    auto pad = PadWithText("abc");
    TLexipadSearch search;
    std::string error;
    search.OnSearchError = [&](const std::string& message) { error = message; };
    EXPECT_EQ(search.ReplaceAll(*pad, foRegExpr, "a{2,1}", "x"), 0);
    EXPECT_EQ(error, "Invalid range\na{2,1}\n ^");
    EXPECT_EQ(pad->Text(), "abc");
}

// A long line is stored in records of 2047 characters; matches straddle the
// split and replacements change the layout as they go.
TEST(TLexipadSearch, ReplaceAllAcrossRecordSplits) {
    std::string line;
    while (line.size() < 6000)
        line += "word ";
    auto pad = PadWithText(line + "\rword");
    TLexipadSearch search;
    EXPECT_EQ(search.ReplaceAll(*pad, foWholeWord, "word", "w"), 1201);
    std::string expected;
    for (int i = 0; i < 1200; ++i)
        expected += "w ";
    EXPECT_EQ(pad->Text(), expected + "\rw");
    pad->Undo();
    EXPECT_EQ(pad->Text(), line + "\rword");
}

// Walking through every match of a document of many blocks of records, both
// engines in both directions, against std::string search.
TEST(TLexipadSearch, WalksEveryMatchOfALargeDocument) {
    std::mt19937 random(3);
    const char* lines[] = {"    High PORTB.1", "", "x", "Toggle PORTA.0 : PORTB.1", "GoSub Sub_1"};
    std::string text;
    while (text.size() < 200000) {
        text += lines[random() % std::size(lines)];
        if (random() % 300 == 0) text += std::string(2040 + random() % 20, 'y') + "PORTB.1";
        text += '\r';
    }
    auto pad = PadWithText(text);
    std::vector<int> expected;
    for (size_t at = text.find("PORTB.1"); at != std::string::npos;
         at = text.find("PORTB.1", at + 1))
        expected.push_back(static_cast<int>(at));
    TLexipadSearch search;
    for (uint32_t engine : {0u, static_cast<uint32_t>(foRegExpr)}) {
        const char* pattern = engine ? "PORT[B]\\.1" : "PORTB.1";
        std::vector<int> forward;
        int from = 0;
        while (auto match =
                   search.SearchNext(pad->Store(), from, -1, engine | foMatchCase, pattern)) {
            forward.push_back(match->start);
            from = match->end;
        }
        EXPECT_EQ(forward, expected) << engine;
        std::vector<int> backward;
        from = pad->CharCount();
        while (auto match =
                   search.Search(pad->Store(), from, engine | foMatchCase | foBackward, pattern)) {
            backward.insert(backward.begin(), match->start);
            from = match->start;
        }
        EXPECT_EQ(backward, expected) << engine;
    }
}

// The control's find entry message runs the same search with the control's
// own word test, and keeps its engines between calls.
TEST(TLexipadSearch, ControlAnswersTheFindEntryMessage) {
    auto pad = PadWithText("a-loop loop x");
    auto find = [&](uint32_t options, const char* text) {
        return static_cast<int>(pad->Perform(LPM_FIND, options, reinterpret_cast<intptr_t>(text)));
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
// hands both hooks the option word, so the dialogs can set their boxes.
TEST(TLexipadSearch, ReplaceDialogMessageOpensTheReplaceDialogWithAPreset) {
    auto pad = PadWithText("first line\rsecond");
    std::vector<std::string> finds;
    std::vector<std::string> replaces;
    auto record = [](std::vector<std::string>& into) {
        return [&into](const std::string& preset, uint32_t options) {
            into.push_back(preset + "/" + std::to_string(options));
        };
    };
    pad->SearchEngine().OnFindDialog = record(finds);
    pad->SearchEngine().OnReplaceDialog = record(replaces);
    const char* given = "given";
    pad->SetSelection(6, 10);
    pad->Perform(LPM_REPLACEDIALOG, foMatchCase, reinterpret_cast<intptr_t>(given));
    pad->Perform(LPM_REPLACEDIALOG, foRegExpr, reinterpret_cast<intptr_t>(given));
    pad->Perform(LPM_FIND, foBackward, reinterpret_cast<intptr_t>(given));
    EXPECT_EQ(replaces, (std::vector<std::string>{"line/16", "given/32"}));
    EXPECT_EQ(finds, (std::vector<std::string>{"line/128"}));
    EXPECT_EQ(Selection(*pad), "6-10");
}

TEST(TLexipadSearch, SearchFailMessageQuotesTheSearchText) {
    const std::pair<const char*, const char*> cases[] = {
        {"abc", "Search string \"abc\" not found."},
        {"", "Search string \"\" not found."},
        {"say \"hi\"", "Search string \"say \"hi\"\" not found."},
        {"a%sb%d", "Search string \"a%sb%d\" not found."},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(TLexipadSearch::SearchFailMessage(text), expected) << text;
}

// The dialogs tell an invalid pattern (already reported) from a search that
// found nothing, for Find, the replace variant and Replace All alike.
TEST(TLexipadSearch, PatternFailedTellsAnInvalidPatternFromNothingFound) {
    auto pad = PadWithText("ab ab");
    TLexipadSearch search;
    int errors = 0;
    search.OnSearchError = [&](const std::string&) { ++errors; };
    EXPECT_EQ(search.Find(*pad, foSearchNow | foRegExpr, "(a"), -1);
    EXPECT_TRUE(search.PatternFailed());
    EXPECT_EQ(search.Find(*pad, foSearchNow | foRegExpr, "x"), -1);
    EXPECT_FALSE(search.PatternFailed());
    EXPECT_FALSE(search.FindReplace(*pad, foRegExpr, "a{3,2}", "y").has_value());
    EXPECT_TRUE(search.PatternFailed());
    EXPECT_EQ(search.ReplaceAll(*pad, 0, "b", "c"), 2);
    EXPECT_FALSE(search.PatternFailed());
    EXPECT_EQ(search.ReplaceAll(*pad, foRegExpr, "[", "c"), 0);
    EXPECT_TRUE(search.PatternFailed());
    EXPECT_EQ(search.ReplaceAll(*pad, foRegExpr, "z", "c"), 0);
    EXPECT_FALSE(search.PatternFailed());
    EXPECT_EQ(errors, 3);
    EXPECT_EQ(pad->Text(), "ac ac");
}

} // namespace
