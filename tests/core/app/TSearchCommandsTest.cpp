// The main window's search commands over a headless control: Find and Search
// Again in both directions, replacing with scripted answers, Replace All as
// one undo step, and the marks of Show all.
#include "core/app/TSearchCommands.h"
#include "core/app/SearchMarks.h"
#include "core/editor/ILexipadView.h"
#include "core/services/TStoreSearch.h"
#include "support/CaretText.h"
#include "support/DocumentsFixture.h"

#include <gtest/gtest.h>

using namespace quarno;
using quarno::test::CaretText;
using quarno::test::DocumentsFixture;
using quarno::test::SetCaretText;
using Names = std::vector<std::string>;

namespace {

// Records what the control asks its window to show.
class ErrorView : public ILexipadView {
public:
    void Repaint(bool) override {}
    void Beep() override {}
    void ShowSearchError(const std::string& message) override { errors.push_back(message); }
    Names errors;
};

struct SearchFixture : DocumentsFixture {
    SearchFixture() {
        pad.SetView(&errorView);
        commands.SetPersistent(&history);
    }
    ~SearchFixture() override { pad.SetView(nullptr); }

    std::vector<std::pair<int, int>> SearchMarks() {
        std::vector<std::pair<int, int>> marks;
        if (!pad.Store().HasRangeMarks()) return marks;
        TRangeMarks& all = pad.Store().RangeMarks();
        for (TRangeMark* mark = all.First(); mark; mark = all.Next(mark))
            if (IsSearchMark(*mark)) marks.emplace_back(mark->start, mark->end);
        return marks;
    }

    ErrorView errorView;
    TSearchCommands commands{docs, prompts};
};

std::string NotFound(const std::string& text) {
    return TSearchCommands::NotFoundMessage(text);
}

} // namespace

TEST_F(SearchFixture, FindMovesFromTheSelectionAndNeverWraps) {
    struct Case {
        const char* name;
        const char* before;
        const char* text;
        uint32_t options;
        const char* after; // the selection is left alone when nothing is found
        bool found;
    };
    const Case cases[] = {
        {"next, not the selected one", "^loop| loop", "loop", 0, "loop ^loop|", true},
        {"any case", "^LOOP| loop", "loop", 0, "LOOP ^loop|", true},
        {"overlapping after the selected", "^aa|a", "aa", 0, "a^aa|", true},
        {"no wrap at the end", "loop ^loop| x", "loop", 0, "loop ^loop| x", false},
        {"backward from the caret", "loop loop |x", "loop", foBackward, "loop ^loop| x", true},
        {"backward past the selected", "loop ^loop|", "loop", foBackward, "^loop| loop", true},
        {"backward, one character", "a a ^a|", "a", foBackward, "a ^a| a", true},
        {"no wrap at the start", "|loop", "loop", foBackward, "|loop", false},
        {"whole word at the text start", "|loop loops", "loop", foWholeWord, "^loop| loops", true},
        {"whole word at the text end", "|loops loop", "loop", foWholeWord, "loops ^loop|", true},
        {"whole word inside a word", "|loops", "loop", foWholeWord, "|loops", false},
        {"case", "|Loop loop", "loop", foMatchCase, "Loop ^loop|", true},
        {"regular expression", "|ab12", "\\d+", foRegExpr, "ab^12|", true},
        {"a pattern skips nothing", "^aa|a", "aa", foRegExpr, "^aa|a", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetCaretText(pad, c.before);
        size_t boxes = prompts.Boxes().size();
        EXPECT_EQ(commands.Find(c.text, c.options), c.found);
        EXPECT_EQ(CaretText(pad), c.after);
        if (c.found) {
            EXPECT_EQ(prompts.Boxes().size(), boxes);
        } else {
            ASSERT_EQ(prompts.Boxes().size(), boxes + 1);
            EXPECT_EQ(prompts.Boxes().back().kind, TPromptKind::Plain);
            EXPECT_EQ(prompts.Boxes().back().text, NotFound(c.text));
        }
        EXPECT_EQ(history.LastSearchText(), c.text);
        EXPECT_EQ(history.SearchOptions(), c.options | foSearchNow);
    }
    EXPECT_TRUE(errorView.errors.empty());
}

TEST_F(SearchFixture, SearchAgainRepeatsTheStoredSearchAndEnablesItself) {
    SetCaretText(pad, "|x loop LOOP loop");
    docs.StatusRefresh();
    EXPECT_FALSE(view.status.canSearchAgain);
    EXPECT_FALSE(commands.SearchAgain()) << "nothing to repeat yet";
    EXPECT_TRUE(commands.Find("loop", foMatchCase));
    EXPECT_TRUE(view.status.canSearchAgain);
    EXPECT_TRUE(commands.SearchAgain());
    EXPECT_EQ(CaretText(pad), "x loop LOOP ^loop|");
    EXPECT_FALSE(commands.SearchAgain());
    EXPECT_EQ(CaretText(pad), "x loop LOOP ^loop|");
    EXPECT_EQ(prompts.Boxes().back().text, NotFound("loop"));
}

TEST_F(SearchFixture, InitialTextIsTheSelectionOnOneLineElseTheLastSearch) {
    SetCaretText(pad, "al^pha| beta");
    EXPECT_EQ(commands.InitialText(), "pha");
    SetCaretText(pad, "alpha |beta");
    EXPECT_EQ(commands.InitialText(), "") << "no last search yet";
    commands.Find("beta", 0);
    SetCaretText(pad, "alpha |beta");
    EXPECT_EQ(commands.InitialText(), "beta");
    SetCaretText(pad, "al^pha\nbe|ta");
    EXPECT_EQ(commands.InitialText(), "beta") << "a selection across lines is not taken";
}

TEST_F(SearchFixture, EmptySearchTextOrNoDocumentDoesNothing) {
    SetCaretText(pad, "^ab|c");
    EXPECT_FALSE(commands.Find("", 0));
    EXPECT_FALSE(commands.Replace("", "x", 0, false));
    EXPECT_EQ(commands.ReplaceAll("", "x", foRegExpr, false), 0);
    EXPECT_FALSE(commands.ShowAll());
    EXPECT_EQ(CaretText(pad), "^ab|c");
    EXPECT_TRUE(prompts.Boxes().empty());
    EXPECT_TRUE(errorView.errors.empty());
    EXPECT_EQ(history.LastSearchText(), "");
    EXPECT_FALSE(pad.CanUndo());

    commands.Find("b", 0);
    ASSERT_TRUE(docs.Close1Click());
    ASSERT_EQ(docs.Current(), nullptr);
    size_t boxes = prompts.Boxes().size();
    std::string hidden = pad.Text();
    EXPECT_FALSE(commands.Find("zz", 0));
    EXPECT_FALSE(commands.SearchAgain());
    EXPECT_FALSE(commands.Replace("b", "x", 0, false));
    EXPECT_EQ(commands.ReplaceAll("b", "x", 0, false), 0);
    EXPECT_TRUE(commands.ShowAll()) << "there is a search, but no document to mark";
    EXPECT_EQ(prompts.Boxes().size(), boxes) << "without a document nothing is searched";
    EXPECT_EQ(pad.Text(), hidden);
}

// The control reports a pattern error itself; "not found" would be wrong.
TEST_F(SearchFixture, EngineErrorsAreReportedOnceAndNothingElse) {
    SetCaretText(pad, "|x[ab " + std::string(2000, 'a'));
    EXPECT_FALSE(commands.Find("x[ab", foRegExpr));
    ASSERT_EQ(errorView.errors.size(), 1u);
    EXPECT_EQ(errorView.errors[0], "Unmatched bracket\nx[ab\n ^");

    // A pattern the step budget stops: the engine's message, at once.
    pad.SearchEngine().RegExpr().SetStepBudget(50, 0);
    EXPECT_FALSE(commands.Find("(a|b)*[cd]", foRegExpr));
    EXPECT_EQ(commands.ReplaceAll("(a|b)*[cd]", "y", foRegExpr, false), 0);
    EXPECT_TRUE(commands.ShowAll());
    const std::string budget = "Search abandoned: the expression needs too many steps";
    EXPECT_EQ(errorView.errors, (Names{"Unmatched bracket\nx[ab\n ^", budget, budget, budget}));
    EXPECT_TRUE(prompts.Boxes().empty());
    EXPECT_TRUE(SearchMarks().empty());
    EXPECT_EQ(pad.SelStart(), 0);
}

TEST_F(SearchFixture, ReplaceAsksAndReplacesOnlyOnYes) {
    struct Case {
        TPromptButton answer;
        const char* after;
    };
    for (const Case& c :
         {Case{TPromptButton::Yes, "one two| one"}, Case{TPromptButton::No, "one ^one| one"},
          Case{TPromptButton::Cancel, "one ^one| one"}}) {
        SCOPED_TRACE(PromptButtonName(c.answer));
        SetCaretText(pad, "^one| one one");
        prompts.QueueAnswer(c.answer);
        EXPECT_TRUE(commands.Replace("one", "two", 0, true));
        EXPECT_EQ(CaretText(pad), c.after);
        EXPECT_EQ(prompts.Boxes().back().kind, TPromptKind::Confirmation);
        EXPECT_EQ(prompts.Boxes().back().buttons, TPromptButtons::YesNoCancel);
        EXPECT_EQ(prompts.Boxes().back().text, "Replace this instance of \"one\" with \"two\" ?");
        EXPECT_EQ(pad.CanUndo(), c.answer == TPromptButton::Yes);
    }
    pad.Undo();
    EXPECT_EQ(pad.Text(), "one one one") << "one replacement, one undo step";
    EXPECT_EQ(history.LastSearchText(), "") << "replacing does not store the search";
}

TEST_F(SearchFixture, ReplaceWithoutPromptAndWithPatterns) {
    SetCaretText(pad, "|a1 b22 c333");
    EXPECT_TRUE(commands.Replace("\\w\\d+", "x", foRegExpr, false));
    EXPECT_EQ(CaretText(pad), "x| b22 c333");
    EXPECT_TRUE(commands.Replace("\\w\\d+", "[%%]\\t", foRegExpr, false));
    EXPECT_EQ(CaretText(pad), "x [%]\t| c333");
    SetCaretText(pad, "x |y");
    EXPECT_FALSE(commands.Replace("x", "z", 0, false));
    EXPECT_EQ(CaretText(pad), "x |y");
    EXPECT_EQ(prompts.Boxes().back().text, NotFound("x"));
    EXPECT_TRUE(prompts.Boxes().size() == 1);
}

TEST_F(SearchFixture, ReplaceAllRunsFromTheStartAsOneUndoStep) {
    struct Case {
        const char* name;
        const char* text;
        const char* find;
        const char* replacement;
        uint32_t options;
        const char* after;
        int count;
    };
    const Case cases[] = {
        {"every match", "a.b.a|b", "a", "x", 0, "x.b.xb", 2},
        {"replacement holds the text", "a a a|", "a", "aa", 0, "aa aa aa", 3},
        {"whole words", "ab a b|a a", "a", "c", foWholeWord, "ab c ba c", 2},
        {"pattern", "k1 k22|", "k\\d+", "v", foRegExpr, "v v", 2},
        {"backward finds nothing", "a a a|", "a", "b", foBackward, "a a a", 0},
        {"nothing found", "abc|", "z", "y", 0, "abc", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetCaretText(pad, c.text);
        std::string before = pad.Text();
        EXPECT_EQ(commands.ReplaceAll(c.find, c.replacement, c.options, false), c.count);
        EXPECT_EQ(pad.Text(), c.after);
        EXPECT_EQ(history.LastSearchText(), c.find);
        EXPECT_EQ(history.SearchOptions(), c.options | foSearchNow);
        EXPECT_EQ(pad.CanUndo(), c.count > 0) << "a run that changes nothing leaves no step";
        if (c.count == 0) continue;
        pad.Undo();
        EXPECT_EQ(pad.Text(), before);
        EXPECT_FALSE(pad.CanUndo());
    }
    EXPECT_TRUE(prompts.Boxes().empty()) << "no message and no count";
}

TEST_F(SearchFixture, PromptedReplaceAllSkipsOnNoAndStopsOnCancel) {
    SetCaretText(pad, "t t t t t|");
    for (TPromptButton answer :
         {TPromptButton::Yes, TPromptButton::No, TPromptButton::Yes, TPromptButton::Cancel})
        prompts.QueueAnswer(answer);
    EXPECT_EQ(commands.ReplaceAll("t", "TT", foMatchCase, true), 2);
    EXPECT_EQ(pad.Text(), "TT t TT t t");
    EXPECT_EQ(prompts.Boxes().size(), 4u) << "the fourth question was cancelled";
    EXPECT_EQ(prompts.PendingAnswers(), 0u);
    pad.Undo();
    EXPECT_EQ(pad.Text(), "t t t t t") << "both replacements undo together";
}

// Where both walk the same matches, the engine's own Replace All agrees with
// this one, text and count.
TEST_F(SearchFixture, ReplaceAllAgreesWithTheEngines) {
    struct Case {
        std::string text;
        std::string find;
        std::string replacement;
        uint32_t options;
    };
    const std::string sample = "Loop: x = x + 1\rloop\rGOTO Loop ' loops\r\rend loop";
    const Case cases[] = {
        {sample, "loop", "Again", 0},
        {sample, "Loop", "L", foMatchCase},
        {sample, "loop", "loop loop", foWholeWord},
        {sample, "x", "", 0},
        {sample, "l(o+)p", "%1", foRegExpr},
        {sample, "^\\w+", "<%0>", foRegExpr},
        {sample, "\\n", " ", foRegExpr},
        {sample, "o", "oo", foMatchCase},
        {std::string(300, 'a'), "aa", "a", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.find);
        TCustomLexipad engine;
        engine.SetText(c.text);
        int expected = engine.ReplaceAll(c.options | foSearchNow, c.find, c.replacement);
        pad.SetText(c.text);
        EXPECT_EQ(commands.ReplaceAll(c.find, c.replacement, c.options, false), expected);
        EXPECT_EQ(pad.Text(), engine.Text());
    }
}

TEST_F(SearchFixture, ShowAllMarksEveryMatchAndTypingRemovesThem) {
    SetCaretText(pad, "b^et|a alpha beta\ngamma BETA");
    EXPECT_FALSE(commands.ShowAll()) << "without a last search the find dialog opens instead";
    commands.Find("beta", foBackward); // the direction does not matter to Show all
    SetCaretText(pad, "b^et|a alpha beta\ngamma BETA");
    pad.SetTopLine(1);
    ASSERT_TRUE(commands.ShowAll());
    EXPECT_EQ(pad.TopLine(), 1) << "the view stays";
    using Spans = std::vector<std::pair<int, int>>;
    EXPECT_EQ(SearchMarks(), (Spans{{0, 4}, {11, 15}, {22, 26}}));
    EXPECT_TRUE(docs.SearchMarks());
    EXPECT_EQ(CaretText(pad), "b^et|a alpha beta\ngamma BETA") << "the selection stays";
    ASSERT_TRUE(commands.ShowAll());
    EXPECT_EQ(SearchMarks().size(), 3u) << "marks never pile up";

    pad.Store().RangeMarks().Add(6, 5, 7); // not a search mark: it stays
    pad.KeyPress('x');
    commands.TextChanged();
    EXPECT_TRUE(SearchMarks().empty());
    EXPECT_EQ(pad.Store().RangeMarks().Count(), 1);
    EXPECT_FALSE(docs.SearchMarks());
}

TEST_F(SearchFixture, SearchMarksFlagTravelsWithItsDocument) {
    pad.OnTextChange = [this](TCustomLexipad&, int, int) { commands.TextChanged(); };
    SetCaretText(pad, "one two one");
    commands.Find("one", 0);
    commands.ShowAll();
    docs.NewButtonClick();
    EXPECT_FALSE(docs.SearchMarks()) << "the new document has none";
    pad.KeyPress('z');
    tabs.Select(0);
    docs.OpenFilesTabChange();
    EXPECT_TRUE(docs.SearchMarks());
    EXPECT_EQ(SearchMarks().size(), 2u) << "typing elsewhere left them";
    pad.KeyPress('z');
    EXPECT_TRUE(SearchMarks().empty());
    EXPECT_FALSE(docs.SearchMarks());
    pad.OnTextChange = nullptr;
}

// The status refresh reads KBX.INI; run for every match it made Replace All
// of 20,000 matches take seconds instead of a fifth of one.
TEST_F(SearchFixture, LongRunsRefreshTheStatusOnce) {
    pad.OnChange = [this](TCustomLexipad&) { docs.Lexipad1Change(); };
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "PORTA.1 = 1\r";
    pad.SetText(text);
    commands.Find("PORTA", 0);
    int before = view.refreshes;
    ASSERT_TRUE(commands.ShowAll());
    EXPECT_EQ(SearchMarks().size(), 200u);
    EXPECT_EQ(commands.ReplaceAll("PORTA", "PORTB", 0, false), 200);
    EXPECT_LE(view.refreshes - before, 4);
    EXPECT_TRUE(view.status.canUndo) << "the refresh after the run saw its result";
    pad.OnChange = nullptr;
}
